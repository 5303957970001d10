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

# The seeds are a fresh window's configuration, the same with a tail, a short one and two of
# the exercise pack's; the corpus grows between runs.
fuzz_corpus configfile

fuzz_run configfile_fuzzer "$seconds" "$root/fuzz/configfile.dict" "$corpus" \
    "configuration file fuzzer"
