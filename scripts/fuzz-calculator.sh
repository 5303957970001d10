#!/usr/bin/env bash
# Builds the calculator fuzzer (libFuzzer with the address and undefined-behaviour sanitizers)
# with clang in its own build folder, runs it for a fixed time and prints the executions run.
# Usage: scripts/fuzz-calculator.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ONDALIS_FUZZ_BUILD:-$root/build-fuzz}

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DONDALIS_FUZZ=ON -DONDALIS_BUILD_TESTS=OFF -DONDALIS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target calculator_fuzzer -j "$(nproc)" >/dev/null

# A few expressions to start from; the corpus grows between runs.
corpus=$build/fuzz/calculator-corpus
mkdir -p "$corpus"
seed=0
for expression in "1 + 2 * 3" "5 - (0 - 3) ^ 2" "1 + (2 * -(0 - 3))" "sin (30 + 60) ^ 2" \
    "invSIN .5 - ln 2E-3" "(2 + 3)4" "2 ^ -1 / SQR 16" "exp (log 1000 * -2.5)"; do
    printf '\x00%s' "$expression" >"$corpus/seed-$seed"
    seed=$((seed + 1))
done

log=$build/fuzz/calculator-fuzzer.log
set +e
"$build/fuzz/calculator_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -dict="$root/fuzz/calculator.dict" -print_final_stats=1 "$corpus" \
    >"$log" 2>&1
status=$?
set -e

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
echo "calculator fuzzer: ${executions:-?} executions in $seconds s (log: $log)"
if ((status != 0)); then
    grep -E "ERROR|SUMMARY|runtime error|deadly signal|timeout" "$log" | head -20 >&2
    echo "calculator fuzzer: failed with status $status" >&2
    exit "$status"
fi
echo "calculator fuzzer: no crash, no hang, no sanitizer report"
