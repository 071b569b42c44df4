#!/bin/sh
# Runs one Windows test program under wine64 in the tests' prefix, on a virtual display, with
# no Wine process left before or after.
prefix=$1
shift
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$1" ]; then
  echo "wine-run: no such program: $1" >&2
  exit 1
fi
wineserver -k 2>/dev/null
xvfb-run -a -s '-screen 0 1024x768x24' /usr/lib/wine/wine64 "$@"
status=$?
wineserver -k 2>/dev/null
exit $status
