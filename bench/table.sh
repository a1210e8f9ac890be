#!/usr/bin/env bash
# Runs every benchmark of a build and prints one table: measure, median, goal.
#   bench/table.sh BUILD_FOLDER
# Each Google Benchmark program in BUILD_FOLDER/bench runs with the repetitions
# given here (BENCH_REPETITIONS, 10 by default) and reports its medians. Every
# executable script in bench/ or a folder below runs with BUILD_FOLDER as its
# argument; among any other output it prints its rows as
# "measure<TAB>median<TAB>goal". A goal left empty or "-" is looked up in
# bench/goals.txt by the measure's name, so a new benchmark needs one line
# there and nothing else. The last column says whether the median meets a goal
# of the form "< N unit" or "<= N".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:?usage: bench/table.sh BUILD_FOLDER}
reps=${BENCH_REPETITIONS:-10}
rows=$(mktemp)

out=$(mktemp)
trap 'rm -f "$rows" "$out"' EXIT
for b in "$build"/bench/bench_*; do
    [ -f "$b" ] && [ -x "$b" ] || continue
    echo "running $(basename "$b")" >&2
    QT_QPA_PLATFORM=offscreen "$b" --benchmark_repetitions="$reps" \
        --benchmark_report_aggregates_only=true --benchmark_color=false >"$out" 2>/dev/null || {
        echo "$(basename "$b") failed" >&2
        exit 1
    }
    # Console lines: name, real time, its unit, CPU time, ...; only the medians.
    awk '$1 ~ /_median$/ { sub(/_median$/, "", $1); printf "%s\t%s %s\t\n", $1, $2, $3 }' \
        "$out" >>"$rows"
done

# Scripts, in bench/ or a folder below it; exit status 2 means the script
# cannot measure on this machine (a tool is missing), which it says itself.
for s in "$here"/* "$here"/*/*; do
    [ "$s" = "$here/table.sh" ] && continue
    [ -f "$s" ] && [ -x "$s" ] || continue
    echo "running ${s#"$here"/}" >&2
    status=0
    "$s" "$build" >"$out" || status=$?
    if [ "$status" -eq 2 ]; then
        echo "${s#"$here"/} skipped" >&2
        continue
    elif [ "$status" -ne 0 ]; then
        echo "${s#"$here"/} failed" >&2
        exit 1
    fi
    grep -P '^[^\t]+\t[^\t]+\t' "$out" >>"$rows" || true
done

awk -F'\t' -v goals="$here/goals.txt" '
    # A time in nanoseconds; a plain number stays as it is.
    function scaled(value, unit) {
        if (unit == "ns") return value
        if (unit == "us" || unit == "µs") return value * 1e3
        if (unit == "ms") return value * 1e6
        if (unit == "s") return value * 1e9
        return value
    }
    function met(median, goal,    m, g, n) {
        n = split(median, m, " ")
        if (split(goal, g, " ") < 2 || m[1] !~ /^[0-9.eE+-]+$/) return ""
        if (g[1] == "<") return scaled(m[1], m[2]) < scaled(g[2], g[3]) ? "yes" : "NO"
        if (g[1] == "<=" || g[1] == "≤") return scaled(m[1], m[2]) <= scaled(g[2], g[3]) ? "yes" : "NO"
        return ""
    }
    BEGIN {
        while ((getline line < goals) > 0) {
            if (line ~ /^#/ || line !~ /\t/) continue
            split(line, f, "\t")
            goal[f[1]] = f[2]
        }
    }
    {
        g = $3 != "" && $3 != "-" ? $3 : ($1 in goal ? goal[$1] : "-")
        name[NR] = $1; median[NR] = $2; target[NR] = g; ok[NR] = met($2, g)
        if (length($1) > width) width = length($1)
    }
    END {
        fmt = "%-" width "s  %14s  %12s  %s\n"
        printf fmt, "measure", "median", "goal", "met"
        for (i = 1; i <= NR; ++i) {
            split(median[i], m, " ")
            shown = m[1] ~ /^[0-9.eE+-]+$/ ? sprintf("%.4g %s", m[1], m[2]) : median[i]
            printf fmt, name[i], shown, target[i], ok[i]
        }
    }' "$rows"
