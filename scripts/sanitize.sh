#!/usr/bin/env bash
# Builds the program and every test with -fsanitize=address,undefined (halting on undefined
# behaviour) in its own build folder, build-asan, through the asan-ubsan presets of
# CMakePresets.json, then runs the whole test suite there. Prints the build and test times.
# Usage: scripts/sanitize.sh            (JOBS=n to change the parallelism)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${JOBS:-$(nproc)}
cd "$root"
"$root/scripts/install-deps.sh"

start=$(date +%s)
cmake --preset asan-ubsan >/dev/null
cmake --build --preset asan-ubsan -j "$jobs"
built=$(date +%s)
ctest --preset asan-ubsan -j "$jobs"
end=$(date +%s)
echo "sanitizer run: build $((built - start)) s, tests $((end - built)) s"
