#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test: the native
# unit tests of the rules, the checks of this command's own tools, a short run
# of each fuzz target from its seeds, then the Wine tests of the real program,
# in groups that between them run every test of the driver. Ends with one
# summary line; the exit code is 0 only when every test passed and no run,
# group or fuzz target checked nothing.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

tools/setup.sh || exit 1

logs=build/test-logs
mkdir -p "$logs"
echo "== build (log in $logs/build.log)"
if ! tools/build.sh >"$logs/build.log" 2>&1; then
  tail -n 40 "$logs/build.log"
  echo "0 passed, 1 failed: the build failed"
  exit 1
fi
# Warnings are errors in spirit: show any the build printed.
grep -E 'warning:' "$logs/build.log" | sort -u | head -n 20

passed=0
failed=0
skipped=0

# A run whose every test skipped checked nothing: it fails, unless its group is
# named here with the reason why skipping all is right there. None is today.
declare -A all_skipped_is_right=()

# Adds up one GoogleTest run. A run that ends without its summary (a crash, a
# hang cut short), that ran no test or whose tests all skipped counts as a
# failure, never as nothing.
tally() {
  local name=$1 log=$2 status=$3
  local ok bad ran skip
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -n 1)
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran\..*/\1/p' "$log" | tail -n 1)
  if [ "$status" = 124 ]; then
    echo "$name: stopped after its time limit of $group_minutes minutes; see $log"
    failed=$((failed + 1))
    return
  fi
  if [ -z "$ok" ]; then
    echo "$name: no test summary (exit code $status); see $log"
    failed=$((failed + 1))
    return
  fi
  if [ "${ran:-0}" = 0 ]; then
    echo "$name: ran no test; see $log"
    failed=$((failed + 1))
    return
  fi
  skip=$(sed -n 's/^\[  SKIPPED \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -n 1)
  if [ "$ok" = 0 ] && [ -z "$bad" ] && [ "$status" = 0 ]; then
    skipped=$((skipped + ran))
    if [ -n "${all_skipped_is_right[$name]:-}" ]; then
      echo "$name: all $ran tests skipped, which is right here: ${all_skipped_is_right[$name]}"
    else
      echo "$name: all $ran tests skipped, so it checked nothing; see $log"
      failed=$((failed + 1))
    fi
    return
  fi
  passed=$((passed + ok))
  failed=$((failed + ${bad:-0}))
  skipped=$((skipped + ${skip:-0}))
  if [ "$status" != 0 ] && [ -z "$bad" ]; then failed=$((failed + 1)); fi
  echo "$name: $ok passed, ${bad:-0} failed${skip:+, $skip skipped}"
}

echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
build/host/tests/native/brellox_native_tests >"$logs/native.log" 2>&1
tally native "$logs/native.log" $?
grep -E '^\[  FAILED  \]|: Failure$|runtime error|ERROR: AddressSanitizer' "$logs/native.log" | head -n 40

# The test command's own tools, such as its reading of GoogleTest's filters.
echo "== checks of the test command's tools (Python unittest)"
python3 -B -m unittest discover -s tests/tools -p '*_test.py' >"$logs/tools.log" 2>&1
status=$?
ok=$(sed -n 's/^Ran \([0-9]*\) tests\{0,1\} in .*/\1/p' "$logs/tools.log")
if [ "$status" = 0 ] && [ "${ok:-0}" -gt 0 ]; then
  passed=$((passed + ok))
  echo "tools: $ok passed"
else
  bad=$(grep -cE '^(FAIL|ERROR):' "$logs/tools.log")
  failed=$((failed + (bad > 0 ? bad : 1)))
  echo "tools: $bad of ${ok:-an unknown number of} checks failed (exit code $status); see $logs/tools.log"
  grep -E '^(FAIL|ERROR):' "$logs/tools.log" | head -n 20
fi

# The floors of the program's sources: every include goes to a folder its
# file may include, and rules that need no window system include none of its
# files. One test.
echo "== the floors of the sources (tools/floors.py)"
if python3 -B tools/floors.py >"$logs/floors.log" 2>&1; then
  passed=$((passed + 1))
  echo "floors: every include goes to a floor it may"
else
  failed=$((failed + 1))
  sed 's/^/floors: /' "$logs/floors.log" | head -n 20
fi

# The shipped program: a second build of it in another folder gives the same
# bytes, and it stays within its size limit; each check counts as one test.
echo "== the shipped program, built again in build/win32-again: the same bytes, its size"
tools/shipped-exe.sh "$logs/shipped-build.log" >"$logs/shipped.log" 2>&1
status=$?
ok=$(grep -c '^shipped [a-z ]*: ok' "$logs/shipped.log")
bad=$(grep -c '^shipped [a-z ]*: FAILED' "$logs/shipped.log")
if [ "$status" != 0 ] && [ "$bad" = 0 ]; then bad=1; fi
if [ "$ok" = 0 ] && [ "$bad" = 0 ]; then bad=1; fi
passed=$((passed + ok))
failed=$((failed + bad))
grep -E '^shipped ' "$logs/shipped.log" || echo "shipped: no check reported (exit code $status); see $logs/shipped.log"

# Each fuzz target counts as one test: it passes when its short run, from its
# seeds, finds nothing.
# A run that cannot build or start the targets counts as one failure.
echo "== fuzz targets, 100000 runs each (build/fuzz: clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)"
tools/fuzz.sh --runs 100000 --logs "$logs" >"$logs/fuzz.log" 2>&1
status=$?
ok=$(grep -c '^fuzz [a-z0-9_]*: [0-9]* executions, no finding$' "$logs/fuzz.log")
# A finding, a target without seeds and seeds without a target each fail.
bad=$(grep -cE '^fuzz [a-z0-9_]*: (FINDING|NO SEEDS|NO TARGET)' "$logs/fuzz.log")
if [ "$status" != 0 ] && [ "$bad" = 0 ]; then bad=1; fi
# Every target the build lists must have reported.
targets=$(grep -cs . build/fuzz/tests/fuzz/targets.txt)
targets=${targets:-0}
if [ "$targets" = 0 ]; then
  echo "fuzz: the build lists no target"
  bad=$((bad + 1))
elif [ $((ok + bad)) -lt "$targets" ]; then
  echo "fuzz: $((ok + bad)) of $targets targets reported"
  bad=$((bad + targets - ok - bad))
fi
passed=$((passed + ok))
failed=$((failed + bad))
echo "fuzz: $ok passed, $bad failed"
grep -E 'warning:|FINDING|NO SEEDS|NO TARGET|property failed|runtime error|ERROR: AddressSanitizer|the build failed' \
  "$logs/fuzz.log" | head -n 40

arch=$(tools/wine-arch.sh)
if [ "$arch" = 32 ]; then
  tests_dir=build/win32
else
  tests_dir=build/win64
  echo "note: this machine cannot run 32-bit programs; the Wine tests run the x86_64 build of the same sources"
fi
# Suites named Japanese* run on their own under the Japanese locale; all others
# under the English one. Options after the filter go to the session. Each group
# has a time limit, so a dialog that never closes stops one group, not the run.
group_minutes=15
wine_tests() {
  local name=$1 locale=$2 filter=$3
  shift 3
  local where="in a virtual desktop"
  [ "${1:-}" = --monitors ] && where="on the monitors $2"
  [ "${1:-}" = --xorg-monitors ] && where="on the monitors $2, which change as it runs,"
  echo "== Wine tests, $name ($tests_dir, $where on a private display)"
  LC_ALL=$locale BRELLOX_PRODUCT_EXE="$root/build/win32/Brellox.exe" \
    BRELLOX_SCREENSHOTS="Z:${root//\//\\}\\build\\screenshots" \
    timeout --kill-after=60 "${group_minutes}m" tools/wine-session.sh --arch "$arch" --prefix "build/wine/prefix$arch" "$@" -- \
    tools/wine-run.sh "$tests_dir/tests/wine/brellox_wine_tests.exe" --gtest_filter="$filter" \
    >"$logs/wine-$name.log" 2>&1
  tally "wine $name" "$logs/wine-$name.log" $?
  grep -E '^\[  FAILED  \]|: Failure.?$|^wine-session|^soak figure' "$logs/wine-$name.log" | head -n 40
  # A skipped test says why, visibly. The driver ends its lines the Windows way.
  tr -d '\r' <"$logs/wine-$name.log" | grep -A1 ': Skipped$' | grep -v -e '^--$' -e ': Skipped$' |
    sed "s/^/skipped in $name: /"
}
rm -rf build/screenshots
mkdir -p build/screenshots
# Groups whose tests drive the pointer, the keys and the bars hard run in
# sessions of their own, so that no pointer, focus or capture state of one
# group reaches the next.
by_hand='BarMouse*:InProcess*:BarMenu*:*DoubleClickEachBar*:HotKey*:*BarKeys*:LeaveAlone*:StartWithWindows*'
options='Options*:*Dismiss*:*UnwritableFile*'
unkind='UnkindWorld*'
soak='Soak*'
# The desktop's icons and programs, on a desktop that also shows Wine's taskbar.
desktop='DesktopIcons*'
# A display scaled to 144 DPI for every program.
scaled='ScaledDisplay*'
# Two monitors side by side, without a virtual desktop: once with the larger
# one primary, once with the smaller one.
monitors='MultiMonitor.*:MultiMonitorBed.*:MultiMonitorHotKey.*'
# Two monitors whose layout the tests change, on Xorg's dummy driver.
monitor_changes='MultiMonitorChange.*'
# Each group: its name, locale, filter and the options of its session.
group_names=() group_locales=() group_filters=() group_options=()
group() {
  group_names+=("$1") group_locales+=("$2") group_filters+=("$3")
  shift 3
  group_options+=("$*")
}
group english en_US.UTF-8 "-Japanese*:$by_hand:$options:$unkind:$soak:$desktop:$scaled:$monitors:$monitor_changes"
group english-by-hand en_US.UTF-8 "$by_hand"
group english-options en_US.UTF-8 "$options"
group english-unkind en_US.UTF-8 "$unkind"
group english-desktop en_US.UTF-8 "$desktop" --shell
group english-scaled en_US.UTF-8 "$scaled" --dpi 144
# A tenth of the full soak (tools/soak.sh runs it whole): the same leak shows
# in every round.
export BRELLOX_SOAK_ROUNDS=${BRELLOX_SOAK_ROUNDS:-10}
group english-soak en_US.UTF-8 "$soak"
group japanese ja_JP.UTF-8 'Japanese*'
# Last, since the prefix is switched out of the virtual desktop for them.
group english-monitors en_US.UTF-8 "$monitors" --monitors 1024x768,800x600
group english-monitors-swapped en_US.UTF-8 "$monitors" --monitors 800x600,1024x768
group english-display-monitors en_US.UTF-8 "$monitor_changes" --xorg-monitors 1024x768,800x600

for i in "${!group_names[@]}"; do
  # The options are separate words.
  # shellcheck disable=SC2086
  wine_tests "${group_names[i]}" "${group_locales[i]}" "${group_filters[i]}" ${group_options[i]}
done
# Every test the driver holds runs in some group: a suite that english's
# negative patterns leave out and no other group takes would run nowhere. The
# driver lists its own tests, parameterized ones under the names they run by.
# Listed after the groups ran, in a prefix they have made: the first start in
# a new prefix once lost the listing's output.
echo "== Wine test groups, checked against the driver's list of its tests"
tools/wine-session.sh --arch "$arch" --prefix "build/wine/prefix$arch" -- \
  tools/wine-run.sh "$tests_dir/tests/wine/brellox_wine_tests.exe" --gtest_list_tests >"$logs/wine-list.log" 2>&1
if python3 tools/gtest_groups.py "$logs/wine-list.log" "${group_filters[@]}" >"$logs/wine-groups.log" 2>&1; then
  echo "wine groups: every test runs in one"
else
  sed 's/^/wine groups: /' "$logs/wine-groups.log"
  failed=$((failed + 1))
fi


for bmp in build/screenshots/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
ls build/screenshots/*.png >/dev/null 2>&1 && echo "screenshots for a person to look at: $(echo build/screenshots/*.png)"

if [ "$arch" = 32 ]; then
  ran="the Wine tests ran the shipped i686 program, build/win32/Brellox.exe"
else
  ran="the Wine tests ran the x86_64 build, build/win64/Brellox.exe (this kernel runs no 32-bit code)"
fi
echo "$passed passed, $failed failed, $skipped skipped; $ran"
[ "$failed" = 0 ]
