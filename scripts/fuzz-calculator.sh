#!/usr/bin/env bash
# Builds the calculator fuzzer (libFuzzer with the address and undefined-behaviour sanitizers)
# with clang in its own build folder, runs it for a fixed time and prints the executions run.
# Usage: scripts/fuzz-calculator.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/fuzz-common.sh"
fuzz_build calculator_fuzzer

# A few expressions to start from; the corpus grows between runs.
corpus=$build/fuzz/calculator-corpus
mkdir -p "$corpus"
seed=0
for expression in "1 + 2 * 3" "5 - (0 - 3) ^ 2" "1 + (2 * -(0 - 3))" "sin (30 + 60) ^ 2" \
    "invSIN .5 - ln 2E-3" "(2 + 3)4" "2 ^ -1 / SQR 16" "exp (log 1000 * -2.5)"; do
    printf '\x00%s' "$expression" >"$corpus/seed-$seed"
    seed=$((seed + 1))
done

fuzz_run calculator_fuzzer "$seconds" "$root/fuzz/calculator.dict" "$corpus" "calculator fuzzer"
