#!/usr/bin/env bash
# Builds the calculator fuzzer (libFuzzer with the address and undefined-behaviour sanitizers)
# with clang in its own build folder, runs it for a fixed time and prints the executions run.
# Usage: scripts/fuzz-calculator.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/fuzz-common.sh"
fuzz_build calculator_fuzzer

# The seeds are a few expressions (a first byte choosing the angle unit and the text's form,
# then the text); the corpus grows between runs.
fuzz_corpus calculator

fuzz_run calculator_fuzzer "$seconds" "$root/fuzz/calculator.dict" "$corpus" "calculator fuzzer"
