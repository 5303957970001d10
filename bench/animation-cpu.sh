#!/usr/bin/env bash
# Runs the real program with the animation going for a while and reports the CPU it used, as
# a percentage of one core. Usage: bench/animation-cpu.sh [build-dir] [seconds]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
seconds=${2:-10}
source "$here/xvfb-common.sh"
start_display
trap stop_display EXIT
work=$(mktemp -d)
cp "$build/src/app/ondalis" "$work/"
"$work/ondalis" >/dev/null 2>&1 &
pid=$!
wait_for_window
sleep 1
# Turn both vector kinds on, then release the solid at x0 = 5 cm: the animation starts.
win=$(xdotool search --name '^Ondalis' | head -1)
xdotool mousemove --window "$win" 160 391 click 1
xdotool mousemove --window "$win" 33 425 click 1
xdotool mousemove --window "$win" 241 425 click 1
xdotool mousemove --window "$win" 608 301 click 1
xdotool mousemove --window "$win" 700 500
sleep 0.5
hz=$(getconf CLK_TCK)
before=$(cpu_ticks "$pid")
user_before=$(user_ticks "$pid")
sleep "$seconds"
after=$(cpu_ticks "$pid")
user_after=$(user_ticks "$pid")
kill "$pid"
wait "$pid" 2>/dev/null || true
rm -rf "$work"
echo "of which in the program itself (user time): $(echo "scale=2; 100 * ($user_after - $user_before) / $hz / $seconds" | bc -l) %"
echo "CPU while animating: $(echo "scale=2; 100 * ($after - $before) / $hz / $seconds" | bc -l) % of one core (goal < 3 %)"
