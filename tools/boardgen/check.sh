#!/usr/bin/env bash
# Regenerates the default board into a temporary folder and fails when any file differs from
# data/ (or examples/OwnPieces.BMP) by a single byte. Installs what the generator needs first.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
sudo_cmd=""
if [ "$(id -u)" != "0" ]; then sudo_cmd="sudo"; fi

if [ ! -f /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf ]; then
  echo "boardgen: installing fonts-dejavu-core"
  $sudo_cmd apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq fonts-dejavu-core >/dev/null
fi
if ! command -v node >/dev/null 2>&1; then
  echo "boardgen: installing nodejs and npm"
  $sudo_cmd apt-get update -qq || true
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq nodejs npm >/dev/null
fi

cd "$here"
npm ci --no-audit --no-fund --loglevel=error

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
node "$here/generate.mjs" "$tmp/data" --examples "$tmp/examples" --quiet

status=0
for f in "$tmp"/data/*; do
  name="$(basename "$f")"
  if [ ! -f "$root/data/$name" ]; then
    echo "boardgen: data/$name is missing (the generator makes it)"; status=1
  elif ! cmp -s "$f" "$root/data/$name"; then
    echo "boardgen: data/$name differs from the generator's output"; status=1
  fi
done
if ! cmp -s "$tmp/examples/OwnPieces.BMP" "$root/examples/OwnPieces.BMP"; then
  echo "boardgen: examples/OwnPieces.BMP differs from the generator's output"; status=1
fi
if [ "$status" = 0 ]; then echo "boardgen: data/ is reproduced byte for byte ($(ls "$tmp/data" | wc -l) files)"; fi
exit $status
