#!/usr/bin/env bash
# Checks the shipped program that tools/build.sh built into build/win32: the
# same sources built a second time, in build/win32-again, give the same bytes,
# and the program stays within its size limit. Prints one line per check,
# "shipped <check>: ok" or "shipped <check>: FAILED"; the exit code is 0 only
# when both passed.
#
#   tools/shipped-exe.sh [LOG]   the second build's output goes to LOG
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

# The most bytes Brellox.exe may take.
size_limit=65536

first=build/win32
second=build/win32-again
log=${1:-$second.log}
exe=$first/Brellox.exe
failed=0

if [ ! -f "$exe" ]; then
  echo "shipped same bytes: FAILED, there is no $exe (tools/build.sh builds it)"
  echo "shipped size: FAILED, there is no $exe"
  exit 1
fi

# The configuration tools/build.sh gives build/win32, in a folder of another
# name and length, so that a path written into the program shows. The program
# is linked anew each time, seconds or more after the first, so that a time
# stamp shows too.
rm -f "$second/Brellox.exe"
if ! { cmake -S . -B "$second" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DBRELLOX_MINGW_ARCH=i686 \
         -DCMAKE_BUILD_TYPE=MinSizeRel &&
       cmake --build "$second" -j"$(nproc)" --target Brellox; } >"$log" 2>&1; then
  tail -n 20 "$log"
  echo "shipped same bytes: FAILED, the second build failed (log in $log)"
  failed=1
elif cmp -s "$exe" "$second/Brellox.exe"; then
  echo "shipped same bytes: ok, $exe and $second/Brellox.exe are identical"
else
  # cmp -l numbers the bytes from 1.
  differ=$(cmp -l "$exe" "$second/Brellox.exe" 2>/dev/null | wc -l)
  first_at=$(cmp -l "$exe" "$second/Brellox.exe" 2>/dev/null | awk 'NR == 1 { printf "0x%x", $1 - 1 }')
  echo "shipped same bytes: FAILED, $exe ($(stat -c %s "$exe") bytes) and $second/Brellox.exe" \
    "($(stat -c %s "$second/Brellox.exe") bytes) differ in $differ bytes${first_at:+, the first at offset $first_at};" \
    "compare i686-w64-mingw32-objdump -x of both"
  failed=1
fi

size=$(stat -c %s "$exe")
if [ "$size" -le "$size_limit" ]; then
  echo "shipped size: ok, $exe takes $size bytes, within the limit of $size_limit"
else
  echo "shipped size: FAILED, $exe takes $size bytes, $((size - size_limit)) over the limit of $size_limit"
  failed=1
fi
exit "$failed"
