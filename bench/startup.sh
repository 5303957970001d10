#!/usr/bin/env bash
# Starts the real program several times and reports the time to its first shown window and
# its resident memory once idle. Usage: bench/startup.sh [build-dir] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
runs=${2:-5}
program="$build/src/app/ondalis"
source "$here/xvfb-common.sh"
start_display
trap stop_display EXIT
work=$(mktemp -d)
cp "$program" "$work/"

times=()
for i in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$work/ondalis" >/dev/null 2>&1 &
    pid=$!
    wait_for_window
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
    sleep 2
    rss=$(rss_mib "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    printf 'run %d: first window %.3f s, idle resident memory %s MiB\n' "$i" "${times[-1]}" "$rss"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
printf 'median time to first window: %.3f s (goal < 0.3 s)\n' "$median"
rm -rf "$work"
