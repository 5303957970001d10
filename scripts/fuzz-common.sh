# Shared by the fuzz scripts (sourced): builds a libFuzzer target with clang and the sanitizers
# in its own build folder (build-fuzz at the top of the tree, or $ONDALIS_FUZZ_BUILD), and runs
# it for a fixed time, printing the executions run.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${ONDALIS_FUZZ_BUILD:-$root/build-fuzz}

# fuzz_build TARGET...: configures the build folder through the fuzz preset of
# CMakePresets.json and builds the targets named.
fuzz_build() {
    "$root/scripts/install-deps.sh" clang libclang-rt-14-dev
    (cd "$root" && cmake --preset fuzz -B "$build" >/dev/null)
    cmake --build "$build" --target "$@" -j "${JOBS:-$(nproc)}" >/dev/null
}

# fuzz_corpus NAME: the working corpus of a fuzzer, $build/fuzz/NAME-corpus, holding at least
# the seeds committed in fuzz/NAME-corpus; it keeps what the fuzzer adds between runs.
fuzz_corpus() {
    corpus=$build/fuzz/$1-corpus
    mkdir -p "$corpus"
    cp "$root/fuzz/$1-corpus"/* "$corpus/"
}

# fuzz_run TARGET SECONDS DICTIONARY CORPUS LABEL [MAX_LEN]
# Inputs that crash are kept in the build's fuzz folder.
fuzz_run() {
    local target=$1 seconds=$2 dictionary=$3 corpus=$4 label=$5 max_len=${6:-4096}
    local log=$build/fuzz/$target.log status executions
    set +e
    "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len="$max_len" -dict="$dictionary" -print_final_stats=1 \
        -artifact_prefix="$build/fuzz/" "$corpus" >"$log" 2>&1
    status=$?
    set -e
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "$label: ${executions:-?} executions in $seconds s (log: $log)"
    if ((status != 0)); then
        grep -E "ERROR|SUMMARY|runtime error|deadly signal|timeout" "$log" | head -20 >&2
        echo "$label: failed with status $status" >&2
        exit "$status"
    fi
    echo "$label: no crash, no hang, no sanitizer report"
}
