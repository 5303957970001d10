# Sourced by the measurement scripts: a private X display when there is none.
start_display() {
    if [[ -z "${DISPLAY:-}" ]]; then
        for n in $(seq 90 120); do
            [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
            # -noreset: the probe below is the server's first client; without it the server
            # resets when the probe leaves, and the program may knock during the reset.
            # XVFB_SECOND_SCREEN (e.g. 1920x1080): a second monitor to the right of the first,
            # both parts of one wide screen, told apart through RandR (xrandr --setmonitor).
            local size=1024x768
            if [[ -n "${XVFB_SECOND_SCREEN:-}" ]]; then
                local w=${XVFB_SECOND_SCREEN%x*} h=${XVFB_SECOND_SCREEN#*x}
                size=$((1024 + w))x$((h > 768 ? h : 768))
            fi
            Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
            XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do
                if xwininfo -root >/dev/null 2>&1; then
                    [[ -n "${XVFB_SECOND_SCREEN:-}" ]] || return 0
                    xrandr --setmonitor first 1024/270x768/203+0+0 screen >/dev/null
                    xrandr --setmonitor second "${w}/510x${h}/287+1024+0" none >/dev/null
                    return 0
                fi
                sleep 0.05
            done
            echo "Xvfb did not start" >&2
            return 1
        done
    fi
}
stop_display() {
    [[ -n "${XVFB_PID:-}" ]] || return 0
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
}

# Waits until the main window (or the window named $1) is mapped and viewable; prints nothing.
wait_for_window() {
    for _ in $(seq 1000); do
        xwininfo -name "${1:-Ondalis}" 2>/dev/null | grep -q IsViewable && return 0
        sleep 0.002
    done
    return 1
}

rss_mib() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
user_ticks() { awk '{print $14}' "/proc/$1/stat"; }
system_ticks() { awk '{print $15}' "/proc/$1/stat"; }

# Measures the CPU of process $1 over $2 seconds and prints it as percentages of one core: its
# user and system time, and the X server's time when this script started the server.
measure_cpu() {
    local pid=$1 seconds=$2 hz
    hz=$(getconf CLK_TCK)
    local load user0 system0 x0=0 user1 system1 x1=0
    load=$(cut -d' ' -f1 /proc/loadavg)
    user0=$(user_ticks "$pid")
    system0=$(system_ticks "$pid")
    [[ -n "${XVFB_PID:-}" ]] && x0=$(cpu_ticks "$XVFB_PID")
    sleep "$seconds"
    user1=$(user_ticks "$pid")
    system1=$(system_ticks "$pid")
    [[ -n "${XVFB_PID:-}" ]] && x1=$(cpu_ticks "$XVFB_PID")
    percent() { echo "scale=2; 100 * $1 / $hz / $seconds" | bc -l; }
    echo "load average before: $load"
    echo "of which in the program itself (user time): $(percent $((user1 - user0))) %"
    echo "of which in the kernel for the program (system time): $(percent $((system1 - system0))) %"
    [[ -n "${XVFB_PID:-}" ]] && echo "X server (not counted above): $(percent $((x1 - x0))) %"
    MEASURED_CPU=$(percent $((user1 + system1 - user0 - system0)))
}
