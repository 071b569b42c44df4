#!/usr/bin/env bash
# Remakes screenshot.png for the README: the window after a Scan of the rigged sample map.
# Needs a build (./dev test or ./dev run), and xdotool and imagemagick besides the test tools.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="$PWD/build/wineprefix-screenshot"
. cmake/wine-env.sh
[ -d "$WINEPREFIX" ] || cmake/wine-prefix.sh "$WINEPREFIX" >/dev/null
out="$PWD/screenshot.png"
cd build/native/samples
xvfb-run -a -s '-screen 0 800x600x24' bash -c '
  /usr/lib/wine/wine64 ../../win64/shell/statwarden.exe &
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^Statwarden" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  sleep 1
  xdotool windowactivate --sync "$window" 2>/dev/null || true
  # Opening a menu sets the list tab stops, as it does for a user.
  xdotool key alt+f Escape Escape
  xdotool key s
  sleep 2
  xdotool key Return
  sleep 1
  xwd -id "$window" -silent | convert xwd:- png:'"$out"'
  wineserver -k'
echo "wrote $out"
