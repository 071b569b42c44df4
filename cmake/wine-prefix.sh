#!/bin/sh
# Makes a fresh Wine prefix for the tests: no window manager waits, no audio, no debug output.
set -e
prefix=$1
export WINEPREFIX="$prefix"
. "$(dirname "$0")/wine-env.sh"
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix"
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
cat > "$prefix/test-settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Drivers]
"Audio"=""
REG
/usr/lib/wine/wine64 regedit /S "$(/usr/lib/wine/wine64 winepath -w "$prefix/test-settings.reg" 2>/dev/null)" >/dev/null 2>&1
wineserver -w
echo "Wine prefix ready: $prefix"
