#!/usr/bin/env bash
# Takes docs/screenshot.png: the program started for the first time (no settings file) on the
# default board in a virtual X server of 1024 x 768 with a window manager; the ICP figures
# switched on, the sector information opened from the "Windows" menu, a piece chosen
# and the pointer over Western Canada.
#   docs/screenshot.sh [path/to/qelmap]      (default: build/app/qelmap)
set -euo pipefail
cd "$(dirname "$0")/.."
exe="$(realpath "${1:-build/app/qelmap}")"
out="$PWD/docs/screenshot.png"
work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  # The program writes its settings as it ends: let it finish before its folder goes.
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A first start: no settings file, so the program places its windows itself.
cp data/* "$work/"
rm -f "$work/QelWin.INI"

exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp)
pids+=($!)
read -r -t 10 display <&3
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
(cd "$work" && exec "$exe") >/dev/null 2>&1 &
pids+=($!)
tools=""
for _ in $(seq 50); do
  tools="$(xdotool search --onlyvisible --name '^tools$' 2>/dev/null | head -1)" && [ -n "$tools" ] && break
  sleep 0.2
done
sleep 1
# "show ICPs" is the first entry of "Options", the second entry of the menu bar; "sectorninfo"
# the first of "Windows", the fourth.
xdotool mousemove 60 28 click 1 sleep 0.5 mousemove 80 50 sleep 0.2 click 1 sleep 0.3
xdotool mousemove 156 28 click 1 sleep 0.5 mousemove 170 50 sleep 0.2 click 1
sleep 0.5
xdotool mousemove --window "$tools" 37 22 sleep 0.2 click 1
xdotool mousemove 200 250 sleep 0.3 mousemove 205 255
sleep 0.5
import -window root -crop 1024x600+0+0 +repage "$out"
echo "wrote $out"
