#!/usr/bin/env bash
# Sets up what is missing, builds the fuzz targets of the rules with clang into
# build/fuzz and runs each of them, as many at once as there are cores. Prints
# one line per target; the exit code is 0 only when each target had seeds and
# none found anything. An input that made a target fail is kept under
# build/fuzz-findings/.
#
#   tools/fuzz.sh [--runs N] [--logs DIR]   N executions per target (default 10000000)
#   tools/fuzz.sh SECONDS [--logs DIR]      SECONDS per target instead
set -uo pipefail
cd "$(dirname "$0")/.."

runs=10000000
seconds=
logs=build/fuzz-logs
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --logs) logs=$2; shift 2 ;;
    [0-9]*) seconds=$1; shift ;;
    *) echo "usage: tools/fuzz.sh [SECONDS_PER_TARGET | --runs N] [--logs DIR]" >&2; exit 2 ;;
  esac
done
if [ -n "$seconds" ]; then limit=(-max_total_time="$seconds"); else limit=(-runs="$runs"); fi

tools/setup.sh || exit 1
mkdir -p "$logs" build/fuzz-findings
if ! { cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRELLOX_FUZZ=ON &&
       cmake --build build/fuzz -j"$(nproc)"; } >"$logs/fuzz-build.log" 2>&1; then
  tail -n 40 "$logs/fuzz-build.log"
  echo "fuzz: the build failed (log in $logs/fuzz-build.log)"
  exit 1
fi
grep -E 'warning:' "$logs/fuzz-build.log" | sort -u | head -n 20

# Each target the build lists has a seed corpus of its own, with files in it: a
# target without seeds starts from nothing and reaches little of its rules, and
# seeds without a target are fuzzed by nothing. Either one fails the run.
mapfile -t built <build/fuzz/tests/fuzz/targets.txt
declare -A is_built=()
targets=()
unmatched=0
for name in "${built[@]}"; do
  is_built[$name]=1
  if [ -n "$(find "tests/fuzz/corpus/$name" -type f -print -quit 2>/dev/null)" ]; then
    targets+=("$name")
  else
    echo "fuzz $name: NO SEEDS, tests/fuzz/corpus/$name holds no file"
    unmatched=$((unmatched + 1))
  fi
done
for dir in tests/fuzz/corpus/*/; do
  name=$(basename "$dir")
  if [ -z "${is_built[$name]:-}" ]; then
    echo "fuzz $name: NO TARGET for the seeds in $dir"
    unmatched=$((unmatched + 1))
  fi
done

# What a run adds goes to a working corpus under build/, listed first so that
# the checked-in seeds stay as they are. Inputs stay under 1 KiB: room for a
# full moved-window table and an overlong settings path, and short enough to
# keep every target fast.
run_target() {
  local name=$1
  mkdir -p "build/fuzz-corpus/$name"
  "build/fuzz/tests/fuzz/${name}_fuzz" "${limit[@]}" -max_len=1024 -print_final_stats=1 -dict=tests/fuzz/numbers.dict \
    -artifact_prefix="build/fuzz-findings/$name-" "build/fuzz-corpus/$name" "tests/fuzz/corpus/$name" \
    >"$logs/fuzz-$name.log" 2>&1
  echo $? >"$logs/fuzz-$name.status"
}

start=$(date +%s)
for name in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n; done
  run_target "$name" &
done
wait

findings=0
for name in "${targets[@]}"; do
  log=$logs/fuzz-$name.log
  status=$(cat "$logs/fuzz-$name.status")
  executed=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  if [ "$status" = 0 ] && [ -n "$executed" ] && grep -q '^Done [0-9]* runs' "$log"; then
    echo "fuzz $name: $executed executions, no finding"
    continue
  fi
  findings=$((findings + 1))
  kept=$(sed -n "s/.*Test unit written to \(.*\)$/\1/p" "$log" | tail -n 1)
  echo "fuzz $name: FINDING after ${executed:-an unknown number of} executions (exit code $status), input kept in ${kept:-no file}; see $log"
  grep -E 'property failed|runtime error|ERROR: (AddressSanitizer|libFuzzer)|SUMMARY' "$log" | head -n 5
done
echo "fuzz: ${#targets[@]} targets run, $findings with findings, $unmatched without seeds or target, $(($(date +%s) - start)) s"
[ "$findings" = 0 ] && [ "$unmatched" = 0 ]
