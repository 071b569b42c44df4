# Sourced by whatever starts Wine: quiet, without the .NET and HTML engines, and with a UTF-8
# locale, without which Wine cannot make or open files whose names go beyond ASCII. A fresh
# machine or container may have no locale set at all.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *[Uu][Tt][Ff]-8* | *[Uu][Tt][Ff]8*) ;;
  *) export LANG=C.UTF-8 LC_ALL=C.UTF-8 ;;
esac
