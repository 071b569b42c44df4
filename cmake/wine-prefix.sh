#!/bin/sh
# Makes a fresh Wine prefix for the tests with the settings of wine-settings.reg; no debug output.
set -e
prefix=$1
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
/usr/lib/wine/wine64 regedit /S "$(/usr/lib/wine/wine64 winepath -w "$(dirname "$0")/wine-settings.reg" 2>/dev/null)" >/dev/null 2>&1
wineserver -w
echo "Wine prefix ready: $prefix"
