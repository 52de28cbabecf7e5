#!/usr/bin/env bash
# The headless demo: Wine's virtual desktop on a private Xvfb display, with a
# Wine prefix of the demo's own; shortcuts on its desktop, windows piled over
# their icons, and Brellox uncovering them, one screenshot per step. Writes
# the steps as PNG files and the whole errand as one animated GIF into OUT
# (build/demo by default), each with a caption.
#
#   tools/demo.sh [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-build/demo}")

tools/setup.sh
tools/build.sh >/dev/null

arch=$(tools/wine-arch.sh)
if [ "$arch" = 32 ]; then build=build/win32; else
  build=build/win64
  echo "note: this machine cannot run 32-bit programs; the demo runs the x86_64 build of Brellox"
fi

raw=$(mktemp -d)
trap 'rm -rf "$raw"' EXIT
tools/wine-session.sh --arch "$arch" --prefix "build/wine/demo$arch" -- \
  tools/wine-run.sh "$build/tests/wine/brellox_demo.exe" "Z:${raw//\//\\}" >"$raw/demo.log" 2>&1 ||
  { cat "$raw/demo.log"; echo "demo: a step failed" >&2; exit 1; }
grep -v '^screenshot' "$raw/demo.log" || true

mkdir -p "$out"
frames=()
while IFS=$'\t' read -r name caption click; do
  click=${click%$'\r'}
  # A ring where the user clicked: a screenshot shows no pointer.
  ring=()
  if [ "$click" != none ]; then
    x=${click%,*} y=${click#*,}
    ring=(-fill none -stroke '#e02020' -strokewidth 3 -draw "circle $x,$y $((x + 14)),$y")
  fi
  convert "$raw/$name.bmp" "${ring[@]}" "$out/$name.png"
  convert "$out/$name.png" -background '#202020' -fill white -font DejaVu-Sans -pointsize 20 \
    -gravity south -splice 0x40 -annotate +0+10 "$caption" "$raw/$name-captioned.png"
  frames+=("$raw/$name-captioned.png")
  echo "saved $out/$name.png"
done <"$raw/captions.txt"
convert -delay 250 -loop 0 "${frames[@]}" -resize 800x -layers Optimize "$out/errand.gif"
echo "saved $out/errand.gif"
