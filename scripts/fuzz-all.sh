#!/usr/bin/env bash
# Builds every libFuzzer target (clang, address and undefined-behaviour sanitizers) in one go,
# then runs each one for the same fixed time over its corpus (the seeds committed in fuzz/ and
# what earlier runs added). Every fuzzer runs even when one fails; any crash, hang, leak or
# sanitizer report makes the script fail, naming the fuzzers concerned.
# Usage: scripts/fuzz-all.sh [seconds per fuzzer]       (default 60)
# The build folder is build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD.
set -euo pipefail

seconds=${1:-60}
here=$(dirname "$0")
source "$here/fuzz-common.sh"

start=$(date +%s)
fuzz_build calculator_fuzzer rtf_fuzzer configfile_fuzzer exercises_fuzzer
echo "fuzz targets built in $(($(date +%s) - start)) s"

failed=()
for name in calculator rtf configfile exercises; do
    "$here/fuzz-$name.sh" "$seconds" || failed+=("$name")
done
if ((${#failed[@]} > 0)); then
    echo "fuzzers that failed: ${failed[*]} (inputs kept in $build/fuzz/)" >&2
    exit 1
fi
