#!/usr/bin/env bash
# Builds the RTF reader's fuzzer (libFuzzer with the address and undefined-behaviour
# sanitizers) with clang in its own build folder, runs it for a fixed time and prints the
# executions run. Usage: scripts/fuzz-rtf.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ONDALIS_FUZZ_BUILD:-$root/build-fuzz}

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DONDALIS_FUZZ=ON -DONDALIS_BUILD_TESTS=OFF -DONDALIS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target rtf_fuzzer -j "$(nproc)" >/dev/null

# The sample statements to start from; the corpus grows between runs.
corpus=$build/fuzz/rtf-corpus
mkdir -p "$corpus"
cp "$root"/tests/platform/rtf/*.rtf "$corpus/"

log=$build/fuzz/rtf-fuzzer.log
set +e
QT_QPA_PLATFORM=offscreen "$build/fuzz/rtf_fuzzer" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=16384 -dict="$root/fuzz/rtf.dict" -print_final_stats=1 \
    -artifact_prefix="$build/fuzz/" \
    "$corpus" >"$log" 2>&1
status=$?
set -e

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
echo "RTF fuzzer: ${executions:-?} executions in $seconds s (log: $log)"
if ((status != 0)); then
    grep -E "ERROR|SUMMARY|runtime error|deadly signal|timeout" "$log" | head -20 >&2
    echo "RTF fuzzer: failed with status $status" >&2
    exit "$status"
fi
echo "RTF fuzzer: no crash, no hang, no sanitizer report"
