#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Brellox under Wine on your display.
# Without a display it runs the headless demo instead (tools/demo.sh): icons on
# Wine's virtual desktop on a private display, windows over them and Brellox
# uncovering them, with screenshots and an animated GIF saved under build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

tools/setup.sh
tools/build.sh >/dev/null

arch=$(tools/wine-arch.sh)
if [ "$arch" = 32 ]; then build=build/win32; else
  build=build/win64
  echo "note: this machine cannot run 32-bit programs; running the x86_64 build of Brellox"
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX="$root/build/wine/user$arch" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
  if [ "$arch" = 32 ]; then wine=/usr/lib/wine/wine; else wine=/usr/lib/wine/wine64; fi
  export WINELOADER=$wine
  echo "Starting Brellox on $DISPLAY; its settings file is $root/build/Brellox.ini"
  cd build
  exec "$wine" "$root/$build/Brellox.exe"
fi

echo "No display: running the headless demo"
exec tools/demo.sh "$root/build/demo"
