#!/usr/bin/env bash
# Runs every benchmark of a build and prints one table: measure, median, goal.
#   bench/table.sh BUILD_FOLDER
# Each Google Benchmark program in BUILD_FOLDER/bench runs with the repetitions
# given here (BENCH_REPETITIONS, 10 by default) and reports its medians. Every
# executable script in bench/ runs with BUILD_FOLDER as its argument and prints
# its own rows as "measure<TAB>median<TAB>goal". A goal left empty is looked up
# in bench/goals.txt by the measure's name, so a new benchmark needs one line
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

for s in "$here"/*; do
    [ "$s" = "$here/table.sh" ] && continue
    [ -f "$s" ] && [ -x "$s" ] || continue
    echo "running $(basename "$s")" >&2
    "$s" "$build" | grep -P '^[^\t]+\t[^\t]+\t' >>"$rows" || {
        echo "$(basename "$s") failed" >&2
        exit 1
    }
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
        g = $3 != "" ? $3 : ($1 in goal ? goal[$1] : "-")
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
