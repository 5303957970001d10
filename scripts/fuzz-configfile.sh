#!/usr/bin/env bash
# Builds the configuration file fuzzer (libFuzzer with the address and undefined-behaviour
# sanitizers) with clang in its own build folder, runs it for a fixed time over the reader and
# the writer and prints the executions run.
# Usage: scripts/fuzz-configfile.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/fuzz-common.sh"
fuzz_build configfile_fuzzer

# A few files to start from: a fresh window's configuration, the same with a tail, a short one;
# the corpus grows between runs.
corpus=$build/fuzz/configfile-corpus
mkdir -p "$corpus"
{
    for text in ONDALIS 0 145 10 0,2 " 3" " 70" -10 "" " 1" "" " 0" "" " 0" " 1" "" " 0" " 0" \
        " 0" " 33023" " 12582912" " 12582912" " 192" " 12582912" " 192" " 49152" " 16576" \
        " 32768" " 8388608"; do
        record "$text"
    done
} >"$corpus/seed-startup"
{
    cat "$corpus/seed-startup"
    printf 'suite'
} >"$corpus/seed-tail"
head -c 300 "$corpus/seed-startup" >"$corpus/seed-short"

fuzz_run configfile_fuzzer "$seconds" "$root/fuzz/configfile.dict" "$corpus" \
    "configuration file fuzzer"
