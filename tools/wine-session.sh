#!/usr/bin/env bash
# Runs one command inside a private Wine session: its own Xvfb display, a Wine
# prefix that belongs to the build tree, a persistent wineserver and Wine's
# virtual desktop named "Brellox" at 1024x768 (on a larger display, so that a
# program can tell it is inside the desktop). With --shell the desktop also
# shows Wine's taskbar; with --dpi N the display is scaled to N DPI (96 by
# default). With --monitors WxH,WxH[,...] there is no virtual desktop: Xephyr
# runs inside the display with those heads side by side, the first one primary,
# and Wine sees each head as a monitor. With --xorg-monitors WxH,WxH[,...] the
# display is Xorg's dummy driver with those heads side by side, the first one
# primary, set by xrandr: Wine follows them through XRandR, so their layout can
# change while the session runs, from Windows programs or from xrandr on the
# display. Everything started here is stopped again by its PID when the
# command ends.
#
#   tools/wine-session.sh --arch 32|64 --prefix DIR [--shell | --monitors LIST | --xorg-monitors LIST] [--dpi N]
#     -- COMMAND [ARGS...]
#
# COMMAND sees WINE (the loader to run Windows programs with), WINEPREFIX,
# WINESERVER and DISPLAY, and BRELLOX_MONITORS (the --monitors or
# --xorg-monitors list, empty in a virtual desktop). The session's exit code is
# the command's. Send the output of Wine programs to files, not into a pipe:
# Wine's service processes inherit the pipe and hold it open until the session
# ends.
set -euo pipefail

arch=64
prefix=
shell=0
dpi=96
monitors=
xorg=0
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=$2; shift 2 ;;
    --prefix) prefix=$2; shift 2 ;;
    --shell) shell=1; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    --monitors) monitors=$2; xorg=0; shift 2 ;;
    --xorg-monitors) monitors=$2; xorg=1; shift 2 ;;
    --) shift; break ;;
    *) echo "wine-session: unknown option $1" >&2; exit 2 ;;
  esac
done
[ -n "$prefix" ] && [ $# -gt 0 ] || { echo "usage: $0 --arch 32|64 --prefix DIR -- COMMAND..." >&2; exit 2; }
if [ -n "$monitors" ]; then
  [[ "$monitors" =~ ^[1-9][0-9]*x[1-9][0-9]*(,[1-9][0-9]*x[1-9][0-9]*)+$ ]] ||
    { echo "wine-session: --monitors and --xorg-monitors take two or more heads, as 1024x768,800x600" >&2; exit 2; }
  # Wine's taskbar belongs to the virtual desktop.
  [ "$shell" = 0 ] || { echo "wine-session: --shell needs the virtual desktop, not several monitors" >&2; exit 2; }
fi
export BRELLOX_MONITORS=$monitors

case "$arch" in
  32) export WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32 WINEARCH=win32 ;;
  64) export WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 WINEARCH=win64 ;;
  *) echo "wine-session: --arch must be 32 or 64" >&2; exit 2 ;;
esac
export WINELOADER=$WINE
export WINEPREFIX=$(realpath -m "$prefix")
# A home of the session's own: Wine links the user's Desktop and Documents
# folders into the home it finds as the prefix is made, and the tests and the
# demo put shortcuts on that Desktop and files in those folders.
export HOME="$WINEPREFIX-home"
mkdir -p "$HOME"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEDEBUG=${WINEDEBUG:--all}
: "${LC_ALL:=en_US.UTF-8}"
export LC_ALL

# One session at a time per prefix: a prefix has one wineserver, and a second
# session would share it and then stop it under the first.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
# Everything started below gets the lock closed (9>&-): a Wine service process
# left over from a killed session must not keep the next session waiting.

pids=()
# Whether a process id still names a process this script started. Ids come
# round again within minutes on a busy machine (each pointer move a test makes
# starts a process): a stale one may name anybody's process, such as another
# session's display or a fuzzer.
ours() { [ "$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d ' ' -f 2)" = "$$" ]; }
stop() {
  ours "$1" || return 0
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do ours "$1" || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null || true
}
cleanup() {
  local status=$?
  # Wine first (its clients end with its server), the display last; newest first.
  if [ -n "${wineserver_pid:-}" ]; then
    "$WINESERVER" -k 2>/dev/null || true
    stop "$wineserver_pid"
  fi
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do stop "${pids[i]}"; done
  [ -z "${xorg_dir:-}" ] || rm -rf "$xorg_dir"
  exit $status
}
trap cleanup EXIT INT TERM

# Starts an X server (its command, with -displayfd 3) and points DISPLAY at it.
# The server takes a display number nobody uses and writes it once it answers,
# so sessions started at the same moment never pick the same one.
start_display() {
  local displayfile
  displayfile=$(mktemp)
  "$@" -displayfd 3 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 9>&- &
  pids+=($!)
  until [ -s "$displayfile" ]; do
    ours "${pids[-1]}" || { rm -f "$displayfile"; echo "wine-session: $1 ended before it gave a display" >&2; exit 1; }
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$displayfile")"
  rm -f "$displayfile"
  xdpyinfo >/dev/null 2>&1 || { echo "wine-session: $1's display $DISPLAY does not answer" >&2; exit 1; }
}

# Xorg's dummy driver with a head per monitor. Each head gets the sizes of all
# heads and 1024x768, 800x600 and 640x480 to change to (a size the server lacks
# made from cvt's timings), and xrandr places the heads side by side. One
# xrandr command that sets several heads can show layouts in between, so the
# script waits for the whole one.
start_xorg() {
  local width=0 height=0 head index=0 left=0 modes mode layout=() expected=
  [ "$(id -u)" = 0 ] || { echo "wine-session: --xorg-monitors starts Xorg, which needs root" >&2; exit 1; }
  for head in ${monitors//,/ }; do
    width=$((width + ${head%x*}))
    height=$((height + ${head#*x}))
  done
  xorg_dir=$(mktemp -d)
  # The framebuffer holds the heads in a row or in a column. The monitor's
  # ranges keep the server's own modes to a few of 60 Hz: Wine's desktop
  # process writes every mode of every head to the registry for each notice of
  # a change, and a notice comes for each head and each step of a change.
  cat >"$xorg_dir/xorg.conf" <<CONF
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
  Option "AllowMouseOpenFail" "true"
  Option "AutoAddGPU" "false"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 30.0-50.0
  VertRefresh 59.0-61.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual $((width > 4096 ? width : 4096)) $((height > 2048 ? height : 2048))
  EndSubSection
EndSection
CONF
  start_display Xorg -config "$xorg_dir/xorg.conf" -logfile "$xorg_dir/xorg.log" -noreset -novtswitch -sharevts
  modes=$(printf '%s\n' "${monitors//,/$'\n'}" 1024x768 800x600 640x480 | sort -u)
  for head in ${monitors//,/ }; do
    for mode in $modes; do
      if ! xrandr --addmode "DUMMY$index" "$mode" 2>/dev/null; then
        # cvt rounds the width to 8 pixels (1366 to 1368); the mode keeps its own.
        # shellcheck disable=SC2046 # the timings are separate arguments
        xrandr --newmode "$mode" $(cvt "${mode%x*}" "${mode#*x}" |
          awk -v width="${mode%x*}" '/^Modeline/ { $1 = ""; $2 = ""; $4 = width; print }') 2>/dev/null || true
        xrandr --addmode "DUMMY$index" "$mode" 2>/dev/null || true
      fi
    done
    layout+=(--output "DUMMY$index" --mode "$head" --pos "${left}x0")
    [ "$index" != 0 ] || layout+=(--primary)
    expected+="DUMMY$index $head+$left+0 "
    left=$((left + ${head%x*}))
    index=$((index + 1))
  done
  xrandr "${layout[@]}" || { echo "wine-session: xrandr could not set the heads $monitors" >&2; exit 1; }
  for _ in $(seq 100); do
    [ "$(xorg_heads)" = "$expected" ] && return
    sleep 0.1
  done
  echo "wine-session: the heads are $(xorg_heads), not $expected" >&2
  exit 1
}
# The heads xrandr reports, as "NAME WxH+X+Y " each.
xorg_heads() {
  xrandr --listmonitors |
    sed -n 's|^ *[0-9]*: [+*]*\([^ ]*\) \([0-9]*\)/[0-9]*x\([0-9]*\)/[0-9]*\(+[-0-9]*+[-0-9]*\) .*|\1 \2x\3\4|p' |
    tr '\n' ' '
}

if [ -z "$monitors" ]; then
  start_display Xvfb -screen 0 1280x1024x24
elif [ "$xorg" = 1 ]; then
  start_xorg
else
  # Xvfb with Xinerama puts every head at 0,0; Xephyr, a window on Xvfb, lays
  # them out side by side.
  width=0 height=0 heads=()
  for head in ${monitors//,/ }; do
    width=$((width + ${head%x*}))
    height=$((${head#*x} > height ? ${head#*x} : height))
    heads+=(-screen "$head")
  done
  start_display Xvfb -screen 0 "$((width > 1280 ? width : 1280))x$((height > 1024 ? height : 1024))x24"
  start_display Xephyr "${heads[@]}" +xinerama
fi

fresh=
stamp="$WINEPREFIX/.brellox-ready-3"
if [ ! -f "$stamp" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  fresh=1
fi
# Kept running for the whole session, so each program starts in about 0.1 s.
start_wineserver() {
  "$WINESERVER" -p 9>&- &
  wineserver_pid=$!
}
start_wineserver

if [ -n "$fresh" ]; then
  echo "wine-session: creating the Wine prefix $WINEPREFIX (once)" >&2
  "$WINE" wineboot -i >/dev/null 2>&1 9>&-
  # Without these fonts window captions lose their glyphs.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  # A program started on its own joins the virtual desktop only when the registry names it.
  "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Brellox /f >/dev/null 2>&1 9>&-
  "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Brellox /d 1024x768 /f >/dev/null 2>&1 9>&-
  # The Japanese dialog asks for MS PGothic; Takao PGothic has its metrics.
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d TakaoPGothic /f >/dev/null 2>&1 9>&-
  touch "$stamp"
fi

# Whether the desktop shows a taskbar, and the display's DPI, are read as the
# desktop and each program start; the prefix keeps the last choice, so the
# registry is only written when the choice changes.
if [ "$(cat "$WINEPREFIX/.brellox-desktop" 2>/dev/null)" != "shell=$shell dpi=$dpi" ]; then
  "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops\Brellox' /v EnableShell /t REG_DWORD /d "$shell" /f \
    >"$WINEPREFIX.reg.log" 2>&1 9>&- &&
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >>"$WINEPREFIX.reg.log" 2>&1 9>&- ||
    { echo "wine-session: could not write the desktop's settings:" >&2; cat "$WINEPREFIX.reg.log" >&2; exit 1; }
  echo "shell=$shell dpi=$dpi" >"$WINEPREFIX/.brellox-desktop"
fi

# Programs join the virtual desktop while the registry names it. Without it,
# Wine must read several monitors: on Xephyr's heads through Xinerama (XRandR
# shows it one), on Xorg's through XRandR, which also tells it of changes. And
# it must manage every window itself: it leaves the windows it calls managed to
# a window manager, and with none on the display such a window never comes to
# the front and each hide waits 2 s for it. The prefix keeps the last choice.
# Wine reads the monitors once, as its first program starts, so the wineserver
# starts anew after a change.
if [ -z "$monitors" ]; then
  display=desktop settings=desktop
elif [ "$xorg" = 1 ]; then
  display=xorg-monitors settings="xorg-monitors Managed=N"
else
  display=monitors settings="monitors UseXRandR=N Managed=N"
fi
if [ "$(cat "$WINEPREFIX/.brellox-display" 2>/dev/null || echo desktop)" != "$settings" ]; then
  # A value that is not there fails to be deleted, and is as good as deleted.
  if [ "$display" = desktop ]; then
    "$WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >/dev/null 2>&1 9>&- || true
    "$WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 9>&- || true
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Brellox /f >"$WINEPREFIX.reg.log" 2>&1 9>&-
  else
    "$WINE" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 9>&- || true
    if [ "$display" = monitors ]; then
      "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >"$WINEPREFIX.reg.log" 2>&1 9>&-
    else
      "$WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /f >"$WINEPREFIX.reg.log" 2>&1 9>&- || true
    fi && "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$WINEPREFIX.reg.log" 2>&1 9>&-
  fi || { echo "wine-session: could not set up the prefix for the $display display:" >&2; cat "$WINEPREFIX.reg.log" >&2; exit 1; }
  # Ends every program of the prefix and writes the registry out.
  "$WINESERVER" -k 9>&- || true
  wait "$wineserver_pid" || true
  start_wineserver
  echo "$settings" >"$WINEPREFIX/.brellox-display"
fi

if [ -z "$monitors" ]; then
  "$WINE" explorer /desktop=Brellox,1024x768 >/dev/null 2>&1 9>&- &
  window=(--name 'Brellox - Wine desktop')
else
  # The desktop of the whole display. Wine starts it with a program when none
  # runs and ends it a second after the last program: started here, it stays
  # for the session.
  "$WINE" explorer /desktop >/dev/null 2>&1 9>&- &
  window=(--classname explorer.exe)
fi
pids+=($!)
# Programs started before the desktop is up wait for it, the first time in a
# new prefix for many seconds and longer on a busy machine: wait here until its
# X window is there, for as long as the desktop's process runs.
until xdotool search "${window[@]}" >/dev/null 2>&1; do
  ours "${pids[-1]}" || { echo "wine-session: the desktop ended before it came up" >&2; exit 1; }
  sleep 0.1
done
# The pointer starts in the middle of the display, over whatever a program
# centres there; park it outside the desktop so no stray event reaches a window.
# Monitors side by side leave no room outside them: there the tests park it.
[ -n "$monitors" ] || xdotool mousemove 1279 1023

"$@" 9>&-
