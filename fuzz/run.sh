#!/usr/bin/env bash
# Runs every fuzz target of a build for the given seconds each and prints the
# executions per target; fails at the first target that finds a fault.
#   fuzz/run.sh SECONDS [BUILD_FOLDER]   (./nuvik.sh fuzz SECONDS builds first)
# New inputs are kept in BUILD_FOLDER/corpus/TARGET; the seeds in
# fuzz/corpus/TARGET are only read. An input that broke a target is written to
# BUILD_FOLDER/crashes/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
seconds=${1:?usage: fuzz/run.sh SECONDS [BUILD_FOLDER]}
build=$(cd "${2:-$here/../build-fuzz}" && pwd)
# The loaders save through fsync; in memory that costs nothing.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
export UBSAN_OPTIONS=print_stacktrace=1

status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    short=${name#fuzz_}
    work="$build/corpus/$short"
    mkdir -p "$work" "$build/crashes"
    log="$build/$name.log"
    seeds=()
    [ -d "$here/corpus/$short" ] && seeds=("$here/corpus/$short")
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$short-" "$work" "${seeds[@]}" >"$log" 2>&1; then
        runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
        printf '%-12s %10s executions in %s s, no fault\n' "$short" "$runs" "$seconds"
    else
        printf '%-12s FAULT; the log follows\n' "$short"
        tail -n 60 "$log"
        status=1
    fi
done
exit $status
