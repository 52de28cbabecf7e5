#!/usr/bin/env bash
# The headless demo: Wine's virtual desktop on a private Xvfb display, with a
# Wine prefix of the demo's own; shortcuts on its desktop, windows piled over
# their icons, and Brellox uncovering them, one screenshot per step. Then a
# second session of two monitors side by side (1024x768 and 800x600), with a
# prefix of its own, for one picture of both monitors' bars and the second
# monitor's strip cleared. Writes the steps and that picture as PNG files and
# the errand as one animated GIF into OUT (build/demo by default), each with a
# caption.
#
#   tools/demo.sh [OUT]
set -euo pipefail
cd "$(dirname "$0")/.."
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
# Runs the demo in a session (the options before --) writing into $raw/SCENE;
# the demo's arguments follow.
scene() {
  local name=$1
  shift
  local session=()
  while [ "$1" != -- ]; do session+=("$1"); shift; done
  shift
  mkdir -p "$raw/$name"
  tools/wine-session.sh --arch "$arch" "${session[@]}" -- \
    tools/wine-run.sh "$build/tests/demo/brellox_demo.exe" "Z:${raw//\//\\}\\$name" "$@" >"$raw/$name.log" 2>&1 ||
    { cat "$raw/$name.log"; echo "demo: a step failed" >&2; exit 1; }
  grep -v '^screenshot' "$raw/$name.log" || true
}
scene errand --prefix "build/wine/demo$arch" --
# A prefix of its own: switching one between the virtual desktop and the
# monitors restarts its Wine server each time.
scene monitors --prefix "build/wine/demo$arch-monitors" --monitors 1024x768,800x600 -- monitors

mkdir -p "$out"
# Writes each picture of a scene into OUT as PNG, with a ring where the user
# clicked (a screenshot shows no pointer), and a copy with its caption below
# beside the raw one. A picture of the GIF is written plain, since the GIF
# shows the captions; one of its own gets its caption. No time is written into
# a PNG, so that a picture made again of the same screen is the same file.
pictures() {
  local dir=$1 kind=$2 name caption click x y ring
  while IFS=$'\t' read -r name caption click; do
    click=${click%$'\r'}
    ring=()
    if [ "$click" != none ]; then
      x=${click%,*} y=${click#*,}
      ring=(-fill none -stroke '#e02020' -strokewidth 3 -draw "circle $x,$y $((x + 14)),$y")
    fi
    convert "$dir/$name.bmp" "${ring[@]}" -define png:exclude-chunk=date,time "$dir/$name.png"
    convert "$dir/$name.png" -background '#202020' -fill white -font DejaVu-Sans -pointsize 20 \
      -gravity south -splice 0x40 -annotate +0+10 "$caption" -define png:exclude-chunk=date,time \
      "$dir/$name-captioned.png"
    if [ "$kind" = plain ]; then cp "$dir/$name.png" "$out/$name.png"; else cp "$dir/$name-captioned.png" "$out/$name.png"; fi
    echo "saved $out/$name.png"
  done <"$dir/captions.txt"
}
pictures "$raw/errand" plain
pictures "$raw/monitors" captioned
frames=()
while IFS=$'\t' read -r name _; do frames+=("$raw/errand/$name-captioned.png"); done <"$raw/errand/captions.txt"
convert -delay 250 -loop 0 "${frames[@]}" -resize 800x -layers Optimize "$out/errand.gif"
echo "saved $out/errand.gif"
