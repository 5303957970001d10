#!/usr/bin/env bash
# Runs the real program with the animation going for a while and reports the CPU it used, as
# a percentage of one core: the program's user and system time, and the X server's time when
# the script started the server itself. Usage: bench/animation-cpu.sh [build-dir] [seconds]
# [projection]: with "projection", the projection window is open on a second 1920 × 1080
# screen while the animation runs (without DISPLAY the script's own server then has that
# second monitor; a DISPLAY given must have one).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
seconds=${2:-10}
projection=${3:-}
[[ "$projection" == projection ]] && export XVFB_SECOND_SCREEN=1920x1080
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
if [[ "$projection" == projection ]]; then
    xdotool key F11  # to the window under the pointer, the main window
    wait_for_window "Ondalis - Projection"
fi
sleep 0.5
[[ -n "${SHOT:-}" ]] && import -window root "$SHOT"
measure_cpu "$pid" "$seconds"
kill "$pid"
wait "$pid" 2>/dev/null || true
rm -rf "$work"
if [[ "$projection" == projection ]]; then
    echo "CPU while animating with the projection: $MEASURED_CPU % of one core (goal <= twice that without)"
else
    echo "CPU while animating: $MEASURED_CPU % of one core (goal <= 2.3 %)"
fi
