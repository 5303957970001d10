#!/usr/bin/env bash
# The main window's size under a real window manager: for each screen size, starts Xvfb and
# openbox, starts Ondalis, double-clicks its title bar (maximise), drags the window's
# bottom-right corner three times, and checks the whole window (frame included): on screens narrower
# than 850 pixels it stays 800 × 600, centred, and never maximised; on wider ones it follows
# the drags and maximises. Leaves a screenshot of each screen after the double-click, and after
# the three drags, in the output folder.
# Usage: scripts/window-size-check.sh [build folder] [output folder] [display number]
#        (default: build, a new temporary folder, the first free display from 20)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=${2:-$(mktemp -d /tmp/ondalis-window-size.XXXXXX)}
program=$build/src/app/ondalis
mkdir -p "$out"

"$root/scripts/install-deps.sh" openbox imagemagick
[[ -x $program ]] || cmake --build "$build" --target ondalis -j 2

if [[ -n ${3:-} ]]; then
    display=:$3
else
    for n in $(seq 20 89); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        display=:$n
        break
    done
fi
[[ -n ${display:-} ]] || { echo "no free X display" >&2; exit 1; }
export DISPLAY=$display

pids=()
stop_all() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[$i]}" 2>/dev/null || true
        wait "${pids[$i]}" 2>/dev/null || true
    done
    pids=()
}
trap stop_all EXIT

# Waits (at most $2 tenths of a second) until the command $1 succeeds.
wait_until() {
    for _ in $(seq "$2"); do eval "$1" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# The whole window: "left top width height", frame included.
frame_of() {
    local id=$1 info x y w h extents l r t b
    info=$(xwininfo -id "$id")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/.*Width: *//p' <<<"$info")
    h=$(sed -n 's/.*Height: *//p' <<<"$info")
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    IFS=, read -r l r t b <<<"${extents:-0,0,0,0}"
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b)) $t"
}

failures=0
check() {
    if [[ $2 == "$3" ]]; then
        echo "  ok   $1: $2"
    else
        echo "  FAIL $1: $2, expected $3"
        failures=$((failures + 1))
    fi
}

for screen in 800x600 849x700 1024x768; do
    sw=${screen%x*} sh=${screen#*x}
    echo "Screen $screen"
    Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    wait_until "xwininfo -root" 50 || { echo "Xvfb did not start" >&2; exit 1; }
    openbox >/dev/null 2>&1 &
    pids+=($!)
    wait_until "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" 50
    "$program" >/dev/null 2>&1 &
    pids+=($!)
    wait_until "xdotool search --onlyvisible --name '^Ondalis$'" 1200 ||
        { echo "the window did not come" >&2; exit 1; }
    id=$(xdotool search --onlyvisible --name '^Ondalis$' | head -1)
    wait_until "xprop -id $id _NET_FRAME_EXTENTS | grep -q =" 50
    sleep 1  # the program's answer to its frame
    read -r fx fy fw fh top < <(frame_of "$id")
    echo "  at start: ${fw}x${fh} at ($fx, $fy)"
    if ((sw < 850)); then
        check "whole window at start" "$fx $fy $fw $fh" \
            "$(((sw - 800) / 2)) $(((sh - 600) / 2)) 800 600"
    fi
    start="$fx $fy $fw $fh"

    # Maximise: a double-click on the title bar.
    xdotool mousemove $((fx + fw / 2)) $((fy + top / 2)) sleep 0.2 click --repeat 2 --delay 80 1
    sleep 1
    import -window root "$out/screen-$screen-after-double-click.png"
    state=$(xprop -id "$id" _NET_WM_STATE)
    read -r mx my mw mh top < <(frame_of "$id")
    echo "  after the double-click: ${mw}x${mh} at ($mx, $my); $state"
    if ((sw < 850)); then
        check "whole window after the double-click" "$mx $my $mw $mh" "$start"
        if [[ $state == *MAXIMIZED* ]]; then
            echo "  FAIL left maximised"
            failures=$((failures + 1))
        else
            echo "  ok   not maximised"
        fi
    elif [[ $state == *MAXIMIZED* ]]; then
        echo "  ok   maximised"
        # Back to its size before the drags.
        xdotool mousemove $((mx + mw / 2)) $((my + top / 2)) sleep 0.2 click --repeat 2 --delay 80 1
        wait_until "! xprop -id $id _NET_WM_STATE | grep -q MAXIMIZED" 50
    else
        echo "  FAIL not maximised"
        failures=$((failures + 1))
    fi

    # Three drags of the bottom-right corner, up and to the left.
    for _ in 1 2 3; do
        read -r fx fy fw fh top < <(frame_of "$id")
        cx=$((fx + fw - 2)) cy=$((fy + fh - 2))
        xdotool mousemove "$cx" "$cy" sleep 0.2 mousedown 1 sleep 0.2
        for step in 1 2 3 4 5; do
            xdotool mousemove $((cx - step * 30)) $((cy - step * 20)) sleep 0.05
        done
        xdotool mouseup 1 sleep 0.5
    done
    sleep 0.5
    import -window root "$out/screen-$screen-after-drags.png"
    read -r fx fy fw fh top < <(frame_of "$id")
    echo "  after three drags: ${fw}x${fh} at ($fx, $fy)"
    if ((sw < 850)); then
        check "whole window after the drags" "$fx $fy $fw $fh" "$start"
    else
        if [[ "$fx $fy $fw $fh" != "$start" ]]; then
            echo "  ok   the drags resized it"
        else
            echo "  FAIL the drags did not resize it"
            failures=$((failures + 1))
        fi
    fi

    stop_all
done
echo "screenshots in $out"
exit $((failures > 0))
