#!/usr/bin/env bash
# Builds the configuration file fuzzer (libFuzzer with the address and undefined-behaviour
# sanitizers) with clang in its own build folder, runs it for a fixed time over the reader and
# the writer and prints the executions run.
# Usage: scripts/fuzz-configfile.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ONDALIS_FUZZ_BUILD:-$root/build-fuzz}

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DONDALIS_FUZZ=ON -DONDALIS_BUILD_TESTS=OFF -DONDALIS_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target configfile_fuzzer -j "$(nproc)" >/dev/null

# A few files to start from: a fresh window's configuration, the same with a tail, a short one;
# the corpus grows between runs.
corpus=$build/fuzz/configfile-corpus
mkdir -p "$corpus"
record() { # one 128-byte record holding $1
    local n=${#1}
    printf "\\x$(printf %02x "$n")\\x00%s" "$1"
    head -c $((126 - n)) /dev/zero
}
{
    for text in ONDALIS 0 145 10 0,2 " 3" " 70" -10 "" " 1" "" " 0" "" " 0" " 1" "" " 0" " 0" \
        " 0" " 33023" " 12582912" " 12582912" " 192" " 12582912" " 192" " 49152" " 16576" \
        " 32768" " 8388608"; do
        record "$text"
    done
} >"$corpus/seed-startup"
{ cat "$corpus/seed-startup"; printf 'suite'; } >"$corpus/seed-tail"
head -c 300 "$corpus/seed-startup" >"$corpus/seed-short"

log=$build/fuzz/configfile-fuzzer.log
set +e
"$build/fuzz/configfile_fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=4096 -dict="$root/fuzz/configfile.dict" -print_final_stats=1 "$corpus" \
    >"$log" 2>&1
status=$?
set -e

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
echo "configuration file fuzzer: ${executions:-?} executions in $seconds s (log: $log)"
if ((status != 0)); then
    grep -E "ERROR|SUMMARY|runtime error|deadly signal|timeout" "$log" | head -20 >&2
    echo "configuration file fuzzer: failed with status $status" >&2
    exit "$status"
fi
echo "configuration file fuzzer: no crash, no hang, no sanitizer report"
