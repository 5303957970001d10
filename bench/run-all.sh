#!/usr/bin/env bash
# Runs every benchmark and measurement script. Usage: bench/run-all.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
export QT_QPA_PLATFORM=offscreen
for b in window_bench analysis_bench scene_bench recording_bench export_bench calculator_bench rtf_bench; do
    echo "== $b"
    "$build/bench/$b" --benchmark_min_time=0.2
done
unset QT_QPA_PLATFORM
echo "== start-up"
"$here/startup.sh" "$build"
echo "== animation CPU"
"$here/animation-cpu.sh" "$build"
