#!/usr/bin/env bash
# Builds the RTF reader's fuzzer (libFuzzer with the address and undefined-behaviour
# sanitizers) with clang in its own build folder, runs it for a fixed time and prints the
# executions run. Usage: scripts/fuzz-rtf.sh [seconds]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
source "$(dirname "$0")/fuzz-common.sh"
fuzz_build rtf_fuzzer

# The sample statements, a text of the exercise pack and the inputs of past findings to start
# from; the corpus grows between runs.
fuzz_corpus rtf
cp "$root"/tests/platform/rtf/*.rtf "$corpus/"

export QT_QPA_PLATFORM=offscreen
fuzz_run rtf_fuzzer "$seconds" "$root/fuzz/rtf.dict" "$corpus" "RTF fuzzer" 16384
