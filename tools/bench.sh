#!/usr/bin/env bash
# Benchmarks: prints figures and ratios, asserts nothing; then the figures of
# the full soak (tools/soak.sh) and of the fuzzers (tools/fuzz.sh), unless
# --core asks for the benchmark of the program alone.
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
tools/wine-session.sh --arch "$arch" --prefix "build/wine/prefix$arch" -- \
  tools/wine-run.sh "$build/tests/wine/brellox_bench.exe" "$build/tests/wine/brellox_minimal.exe" \
  "$build/tests/wine/brellox_samples.exe" "$rounds" "$rest"
if [ "$core" = 1 ]; then exit 0; fi
echo "soak (tools/soak.sh, about a quarter of an hour):"
tools/soak.sh || true
echo "fuzz targets (tools/fuzz.sh, 10 million executions each):"
tools/fuzz.sh || true
