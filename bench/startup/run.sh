#!/usr/bin/env bash
# The game's start-up beside two yardsticks of the same size, under Xvfb: an
# empty Qt window and that window showing one label and one button, the floor
# any window with text pays. Time from exec to the first paint of the window
# (the X server's damage events) and peak resident memory, runs of the three
# interleaved, medians and ratios.
#
#   bench/startup/run.sh [BUILD_DIR] [--runs N] [--self-check]
#
# Besides the table it prints one line per measure: name<TAB>median<TAB>goal;
# the goals hold for the game against the empty window, the label and button
# window's ratios are there to judge them by.
# --self-check only checks the timing itself: a window whose first paint is
# held back must be measured at least that much later.
set -euo pipefail

BUILD=build
RUNS=20
SELF_CHECK=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) RUNS=$2; shift 2 ;;
        --self-check) SELF_CHECK=1; shift ;;
        *) BUILD=$1; shift ;;
    esac
done

TOOL="$BUILD/bench/startup/startup_firstpaint"
EMPTY="$BUILD/bench/startup/startup_empty_window"
GAME="$BUILD/app/nuvik3t"
# shellcheck source=xvfb.sh
. "$(dirname "$0")/xvfb.sh"
require_built "startup" "$TOOL" "$EMPTY" "$GAME"

WORK=$(mktemp -d)
start_xvfb "$WORK"

# The game keeps its files beside the executable: give it a folder of its own.
cp "$GAME" "$WORK/nuvik3t"

# One measured start: first paint (ms), peak memory (KiB), CPU (ms), threads.
measure() { "$TOOL" Nuvik3t 400 -- "$@" </dev/null 2>>"$WORK/log"; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

if [ "$SELF_CHECK" = 1 ]; then
    hold=300
    failed=0
    for _ in 1 2 3; do
        line=$(measure "$EMPTY" --paint-after "$hold") || { echo "self-check: no paint seen"; failed=1; break; }
        read -r ms kib _ <<<"$line"
        if awk -v ms="$ms" -v hold="$hold" 'BEGIN { exit !(ms < hold) }'; then
            echo "self-check: a paint held back $hold ms was timed at $ms ms"
            failed=1
        fi
        [ "$kib" -gt 0 ] || { echo "self-check: no peak memory"; failed=1; }
    done
    # A window whose title does not match is never taken for the game's.
    if "$TOOL" NoSuchTitle 0 -- timeout 2 "$EMPTY" </dev/null >/dev/null 2>&1; then
        echo "self-check: a window of another title was taken"
        failed=1
    fi
    [ "$failed" = 0 ] && echo "startup self-check: ok"
    exit "$failed"
fi

# The first start of each writes files and fills caches: not counted.
measure "$WORK/nuvik3t" >/dev/null || true
measure "$EMPTY" >/dev/null || true
measure "$EMPTY" --label-and-button >/dev/null || true
: >"$WORK/game"
: >"$WORK/empty"
: >"$WORK/text"
for _ in $(seq "$RUNS"); do
    measure "$WORK/nuvik3t" >>"$WORK/game" || true
    measure "$EMPTY" >>"$WORK/empty" || true
    measure "$EMPTY" --label-and-button >>"$WORK/text" || true
done
for f in game empty text; do
    [ "$(wc -l <"$WORK/$f")" -eq "$RUNS" ] ||
        { echo "startup: some runs painted nothing" >&2; tail -n5 "$WORK/log" >&2; exit 1; }
done

col() { cut -f"$1" "$2" | median; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
game_ms=$(col 1 "$WORK/game");   empty_ms=$(col 1 "$WORK/empty");   text_ms=$(col 1 "$WORK/text")
game_kib=$(col 2 "$WORK/game");  empty_kib=$(col 2 "$WORK/empty");  text_kib=$(col 2 "$WORK/text")
game_cpu=$(col 3 "$WORK/game");  empty_cpu=$(col 3 "$WORK/empty");  text_cpu=$(col 3 "$WORK/text")
game_thr=$(col 4 "$WORK/game");  empty_thr=$(col 4 "$WORK/empty");  text_thr=$(col 4 "$WORK/text")
ms_ratio=$(ratio "$game_ms" "$empty_ms");     text_ms_ratio=$(ratio "$text_ms" "$empty_ms")
kib_ratio=$(ratio "$game_kib" "$empty_kib");  text_kib_ratio=$(ratio "$text_kib" "$empty_kib")

row() { printf '  %-30s %10s %14s %16s\n' "$@"; }
echo "Start-up, medians of $RUNS interleaved runs each (Xvfb):"
row "" game "empty window" "label + button"
row "exec to first paint (ms)" "$game_ms" "$empty_ms" "$text_ms"
row "peak resident memory (KiB)" "$game_kib" "$empty_kib" "$text_kib"
row "CPU, user + system (ms)" "$game_cpu" "$empty_cpu" "$text_cpu"
row "threads at the menu" "$game_thr" "$empty_thr" "$text_thr"
echo "Ratios:"
row "" "game/empty" "(l + b)/empty" "game/(l + b)"
row "first paint" "$ms_ratio" "$text_ms_ratio" "$(ratio "$game_ms" "$text_ms")"
row "peak resident memory" "$kib_ratio" "$text_kib_ratio" "$(ratio "$game_kib" "$text_kib")"
printf 'startup first paint, game (ms)\t%s\t-\n' "$game_ms"
printf 'startup first paint, empty window (ms)\t%s\t-\n' "$empty_ms"
printf 'startup first paint, label + button window (ms)\t%s\t-\n' "$text_ms"
printf 'startup first paint ratio\t%s\t<= 1.3\n' "$ms_ratio"
printf 'startup first paint ratio, label + button window\t%s\t-\n' "$text_ms_ratio"
printf 'startup peak memory, game (KiB)\t%s\t-\n' "$game_kib"
printf 'startup peak memory, empty window (KiB)\t%s\t-\n' "$empty_kib"
printf 'startup peak memory, label + button window (KiB)\t%s\t-\n' "$text_kib"
printf 'startup peak memory ratio\t%s\t<= 1.3\n' "$kib_ratio"
printf 'startup peak memory ratio, label + button window\t%s\t-\n' "$text_kib_ratio"
