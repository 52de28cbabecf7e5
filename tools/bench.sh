#!/usr/bin/env bash
# Benchmarks: prints figures and ratios, asserts nothing; then the figures of
# the full soak (tools/soak.sh) and of the fuzzers (tools/fuzz.sh), unless
# --core asks for the benchmark of the program alone. The figures that compare
# two monitors with one come from a second session, of two monitors side by
# side. Each session has a Wine prefix of the benchmark's own, so that the
# benchmark never shares one with a test run.
#   tools/bench.sh [--core] [ROUNDS] [REST_SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
core=0
if [ "${1:-}" = --core ]; then core=1; shift; fi
rounds=${1:-30}
rest=${2:-60}

tools/setup.sh
tools/build.sh >/dev/null

echo "size of build/win32/Brellox.exe (the shipped i686 program): $(stat -c %s build/win32/Brellox.exe) bytes"
arch=$(tools/wine-arch.sh)
if [ "$arch" = 32 ]; then
  build=build/win32
  echo "note: figures are of the shipped i686 build"
else
  build=build/win64
  echo "size of build/win64/Brellox.exe: $(stat -c %s build/win64/Brellox.exe) bytes"
  echo "note: this machine cannot run 32-bit programs; timings are of the x86_64 build"
fi

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
# Runs the benchmark in a session (the session's options before --, the
# benchmark's after), showing its output as it comes and keeping it in LOG.
# Wine programs write into a file, not a pipe (tools/wine-session.sh).
bench() {
  local log=$1 session=()
  shift
  while [ "$1" != -- ]; do session+=("$1"); shift; done
  shift
  tools/wine-session.sh --arch "$arch" "${session[@]}" -- \
    tools/wine-run.sh "$build/tests/bench/brellox_bench.exe" "$@" >"$log" 2>&1 &
  local pid=$!
  tail --pid="$pid" -n +1 -f "$log"
  wait "$pid"
}
programs=("$build/tests/bench/brellox_minimal.exe" "$build/tests/programs/brellox_samples.exe" "$rounds")
bench "$logs/one.log" --prefix "build/wine/bench$arch" -- "${programs[@]}" "$rest"
monitors=1024x768,800x600
echo "two monitors side by side ($monitors, the first primary), in a session of their own without a virtual desktop:"
bench "$logs/two.log" --prefix "build/wine/bench$arch-monitors" --monitors "$monitors" -- --monitors "${programs[@]}"

# The figures of one session against the other's.
one=$(sed -n 's/^sweep of 200 windows .* 50 in the strip of the top bar, .* ratio \([0-9.]*\).*/\1/p' "$logs/one.log")
two=$(sed -n "s/^sweep of 200 windows .* 50 in the strip of the second monitor's top bar, .* ratio \([0-9.]*\).*/\1/p" "$logs/two.log")
if [ -n "$one" ] && [ -n "$two" ]; then
  echo "sweep of 200 windows, a quarter of them in the strip, against its floor: ratio $two on two monitors, $one on one (target: no worse on two)"
fi
# Each session's Wine takes memory of its own: each figure is taken above the
# one-window program of its session.
four=$(sed -n 's/^private memory at rest with a bar on each of the four edges of one monitor: .*KiB, \([-+][0-9]*\) KiB above.*/\1/p' "$logs/one.log")
six=$(sed -n 's/^private memory at rest on two monitors .*: six bars (every edge) [0-9]* KiB, \([-+][0-9]*\) KiB above.*/\1/p' "$logs/two.log")
if [ -n "$four" ] && [ -n "$six" ]; then
  printf 'private memory at rest, six bars on two monitors against four on one, each above the one-window program of its session: %+d KiB (target: at most 64 KiB more)\n' $((six - four))
fi

if [ "$core" = 1 ]; then exit 0; fi
echo "soak (tools/soak.sh, about a quarter of an hour):"
tools/soak.sh || true
echo "fuzz targets (tools/fuzz.sh, 10 million executions each):"
tools/fuzz.sh || true
