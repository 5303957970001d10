#!/usr/bin/env bash
# Builds the program and every test with gcc's coverage instrumentation in its own build folder,
# build-coverage, through the coverage presets of CMakePresets.json, runs the whole suite there
# and writes the report of the lines and branches of src/ that the tests run: a summary on the
# terminal, the detail in build-coverage/coverage/index.html.
# Usage: scripts/coverage.sh            (JOBS=n to change the parallelism)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-$(nproc)}
cd "$root"
"$root/scripts/install-deps.sh" gcovr
# gcov finds each source by the path the compiler was given; ccache with a base folder gives
# relative ones that gcovr cannot resolve from the build folder, so this build goes without it.
unset CCACHE_BASEDIR

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j "$jobs"
# Counts of an earlier run would add up with this one's.
find build-coverage -name '*.gcda' -delete
# A failing test still gives its counts: the report is written, then the failure returned.
status=0
ctest --preset coverage -j "$jobs" || status=$?

report=build-coverage/coverage
mkdir -p "$report"
gcovr --root "$root" --object-directory build-coverage --filter 'src/' \
    --exclude '.*_autogen/.*' --exclude-unreachable-branches --exclude-throw-branches \
    -j "$jobs" --print-summary --html-details "$report/index.html" --txt "$report/summary.txt"
echo "coverage report: $report/index.html"
exit "$status"
