#!/bin/sh
# Fails unless every function the programs import is one that Windows XP's system DLLs export:
# each must be declared by the Windows headers when they are told to describe Windows XP
# (_WIN32_WINNT 0x0501), or be one of the C runtime's start-up entries, which every msvcrt.dll
# exports.
# usage: check-xp-imports.sh OBJDUMP CC PROGRAM...
objdump=$1
cc=$2
shift 2
startup=" _amsg_exit _initterm _iob _onexit "
source=$(mktemp --suffix=.c)
trap 'rm -f "$source"' EXIT
{
  echo '#define WINVER 0x0501'
  echo '#define _WIN32_WINNT 0x0501'
  for header in windows.h commctrl.h commdlg.h mmsystem.h shellapi.h stdio.h stdlib.h string.h \
                wchar.h ctype.h locale.h signal.h setjmp.h direct.h io.h process.h errno.h; do
    echo "#include <$header>"
  done
  echo 'void UsedOnXp(void) {'
  for program in "$@"; do
    "$objdump" -p "$program" |
      awk -F'\t' '/DLL Name:/ { dll = 1; next } /^$/ { dll = 0 }
                  dll && $3 ~ /^ +[0-9]+ +[A-Za-z_]/ { split($3, name, " "); print name[2] }'
  done | sort -u | while read -r name; do
    case "$name" in __*) continue ;; esac
    case "$startup" in *" $name "*) continue ;; esac
    echo "  (void)&$name;"
  done
  echo '}'
} > "$source"
echo "$(grep -c '(void)&' "$source") imported functions checked against the Windows XP headers"
"$cc" -fsyntax-only -Werror=implicit-function-declaration "$source"
