#!/usr/bin/env bash
# Builds the exercise index fuzzer (libFuzzer with the address and undefined-behaviour
# sanitizers) with clang in its own build folder, runs it for a fixed time over the reader of
# ".E41" files and prints the executions run.
# Usage: scripts/fuzz-exercises.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/fuzz-common.sh"
fuzz_build exercises_fuzzer

# The seeds are a corrected exercise, one without correction, a short one, and two index
# files and the getting-started file of the exercise pack; the corpus grows between runs.
fuzz_corpus exercises

fuzz_run exercises_fuzzer "$seconds" "$root/fuzz/exercises.dict" "$corpus" \
    "exercise index fuzzer"
