#!/usr/bin/env bash
# Takes docs/screenshot.png: the program on the default board in a virtual X server with a
# window manager, the ICP figures on, a piece chosen and the pointer over French North Africa.
#   docs/screenshot.sh [path/to/qelmap]      (default: build/app/qelmap)
set -euo pipefail
cd "$(dirname "$0")/.."
exe="$(realpath "${1:-build/app/qelmap}")"
out="$PWD/docs/screenshot.png"
work="$(mktemp -d)"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

cp data/* "$work/"
cat > "$work/QelWin.INI" <<'INI'
[MapForm]
Top=0
Left=0
Height=960
Width=1250
[GameInfoForm]
Top=140
Left=1262
[ToolsForm]
Top=10
Left=1262
[SektorInfoForm]
Top=380
Left=1262
[Options]
ICPsAnzeigen=1
LandnameAmCursor=1
[FensterAnzeigen]
SektorInfo=1
GameInfo=1
INI

exec 3< <(Xvfb -displayfd 1 -screen 0 1680x1000x24 -nolisten tcp)
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
xdotool mousemove --window "$tools" 37 22 sleep 0.2 click 1
xdotool mousemove 700 420 sleep 0.3 mousemove 705 425
sleep 0.5
import -window root -crop 1680x960+0+0 +repage "$out"
echo "wrote $out"
