#!/usr/bin/env bash
# The soak at full length: after a warm-up round, ROUNDS rounds of 100 mouse
# moves over the bars, 10 right-click menus, 1 options dialog and 10
# open/restore cycles with real input; Brellox's USER and GDI objects, heap
# bytes and private memory after every round against those after the warm-up.
# Prints the figures; exits non-zero when a soak fails.
#   tools/soak.sh [ROUNDS]
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-100}

tools/setup.sh >/dev/null || exit 1
tools/build.sh >/dev/null || exit 1
arch=$(tools/wine-arch.sh)
if [ "$arch" = 32 ]; then build=build/win32; else build=build/win64; fi
mkdir -p build/test-logs
log=build/test-logs/soak.log
BRELLOX_SOAK_ROUNDS=$rounds LC_ALL=en_US.UTF-8 \
  tools/wine-session.sh --arch "$arch" --prefix "build/wine/prefix$arch" -- \
  tools/wine-run.sh "$build/tests/wine/brellox_wine_tests.exe" --gtest_filter='Soak*' >"$log" 2>&1
status=$?
grep -E '^soak figure|^\[  FAILED  \]|Failure' "$log"
# A run in which no soak passed, because none ran or all skipped, checked nothing.
ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n 1)
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
if [ "$status" != 0 ]; then
  echo "soak failed (exit code $status); see $log"
elif [ "${passed:-0}" = 0 ]; then
  echo "soak failed: ${ran:-no} tests ran and none passed; see $log"
  status=1
else
  echo "soak passed: $passed tests"
fi
exit $status
