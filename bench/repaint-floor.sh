#!/usr/bin/env bash
# Runs bench/repaint_floor, a bare Qt Widgets program that repaints one readout-sized picture
# every 20 ms, and reports its CPU as bench/animation-cpu.sh reports the program's: what any
# animation repainted at each tick costs on this platform before it draws anything.
# Usage: bench/repaint-floor.sh [build-dir] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
seconds=${2:-10}
source "$here/xvfb-common.sh"
start_display
trap stop_display EXIT
"$build/bench/repaint_floor" >/dev/null 2>&1 &
pid=$!
wait_for_window "Qt repaint floor"
sleep 1.5
measure_cpu "$pid" "$seconds"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "CPU of a bare 20 ms repaint: $MEASURED_CPU % of one core"
