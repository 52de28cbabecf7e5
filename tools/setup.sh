#!/usr/bin/env bash
# Installs what building, running and testing Brellox need on Debian, as root.
# Only missing packages are installed, and the package lists are updated once,
# only when something is missing.
set -euo pipefail

packages=(
  cmake make g++ python3 googletest libgtest-dev
  clang libclang-rt-dev llvm
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 wine32:i386
  xvfb xdotool x11-utils imagemagick
  # Sessions of several monitors: Xephyr shows the heads side by side, and
  # Wine sees them through Xinerama.
  xserver-xephyr libxinerama1 libxinerama1:i386
  # Sessions whose monitors change while they run: Xorg's dummy driver with
  # heads set by xrandr, and Wine following them through XRandR. With XRandR
  # there, 32-bit Wine uses it in every session.
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils libxrandr2 libxrandr2:i386
  locales fonts-wine fonts-takao-gothic fonts-dejavu-core
)

if [ "$(id -u)" != 0 ]; then
  echo "setup: run as root (it installs Debian packages)" >&2
  exit 1
fi

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

# A name without an architecture means the machine's own (or a package for
# all): dpkg-query lists every architecture installed of a name, one line each.
native=$(dpkg --print-architecture)
missing=()
for package in "${packages[@]}"; do
  arch=${package#*:}
  [ "$arch" != "$package" ] || arch="($native|all)"
  dpkg-query -W -f='${Status} ${Architecture}\n' "$package" 2>/dev/null |
    grep -qE "^install ok installed $arch\$" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  apt-get -o Acquire::Check-Valid-Until=false update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi

# English for the default runs, Japanese for the runs that check the Japanese texts.
for locale in en_US.UTF-8 ja_JP.UTF-8; do
  short=$(echo "$locale" | sed 's/UTF-8/utf8/')
  if ! locale -a 2>/dev/null | grep -qx "$short"; then
    sed -i "s/^# *$locale UTF-8/$locale UTF-8/" /etc/locale.gen
    grep -q "^$locale UTF-8" /etc/locale.gen || echo "$locale UTF-8" >> /etc/locale.gen
    regenerate=1
  fi
done
if [ -n "${regenerate:-}" ]; then locale-gen >/dev/null; fi
