#!/usr/bin/env bash
# Takes docs/web-page.png: the page that "qelmap-tool html" writes of the German attack with
# its changes since the start, in headless chromium, showing what pointing at Karelia shows
# (the page's test hook points there).
#   docs/web-page.sh [path/to/qelmap-tool]      (default: build/tools/qelmap-tool/qelmap-tool)
set -euo pipefail
cd "$(dirname "$0")/.."
tool="$(realpath "${1:-build/tools/qelmap-tool/qelmap-tool}")"
out="$PWD/docs/web-page.png"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$tool" html examples/German-attack.map --changes data/Start.map --icps --data data -o "$work/page.html"
chromium --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --user-data-dir="$work/profile" --hide-scrollbars \
  --window-size=1500,940 --screenshot="$out" "file://$work/page.html#test=912,115" 2>/dev/null
echo "wrote $out"
