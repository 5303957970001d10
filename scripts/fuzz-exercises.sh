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

# A few index files to start from: a corrected exercise, one without correction, a short one;
# the corpus grows between runs.
corpus=$build/fuzz/exercises-corpus
mkdir -p "$corpus"
{
    for text in 'exercices\periode.rtf' 'exercices\periode.P19' 'exercices\periode-cor.rtf' \
        'exercices\periode-cor.P19' 2 "" "Periode propre ; " "pulsation ; " "" "" \
        "La periode propre" 3; do
        record "$text"
    done
} >"$corpus/seed-corrected"
{
    for text in libre.rtf "" "  " "" 0 "" "Exploration" "" "" "" "Libre" -1; do
        record "$text"
    done
} >"$corpus/seed-uncorrected"
head -c 400 "$corpus/seed-corrected" >"$corpus/seed-short"

fuzz_run exercises_fuzzer "$seconds" "$root/fuzz/exercises.dict" "$corpus" \
    "exercise index fuzzer"
