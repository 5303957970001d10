# Sourced by the measurement scripts: a private X display when there is none.
start_display() {
    if [[ -z "${DISPLAY:-}" ]]; then
        for n in $(seq 90 120); do
            [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do xwininfo -root >/dev/null 2>&1 && return 0; sleep 0.05; done
            echo "Xvfb did not start" >&2
            return 1
        done
    fi
}
stop_display() { [[ -n "${XVFB_PID:-}" ]] && kill "$XVFB_PID" 2>/dev/null || true; }

# Waits until the main window is mapped and viewable; prints nothing.
wait_for_window() {
    for _ in $(seq 1000); do
        xwininfo -name Ondalis 2>/dev/null | grep -q IsViewable && return 0
        sleep 0.002
    done
    return 1
}

rss_mib() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
user_ticks() { awk '{print $14}' "/proc/$1/stat"; }
