#!/usr/bin/env bash
# The game's start-up with notes files too big for the notes window, beside
# its usual start-up (no notes file): a quoted line of 1 MiB, 16 MiB of zero
# bytes, and 1 GiB of zero bytes under a 3 GB limit of address space. Under
# Xvfb: time from exec to the first paint of the game window, time from exec
# to its answer to a key (Alt+W opens the picture window), peak resident
# memory; medians of N runs. Every file must still be as it was.
#
#   bench/startup/notes_files.sh [BUILD_DIR] [--runs N]
#
# Prints a table, then one line per measure: name<TAB>median<TAB>goal. Goals:
# the key answered within a second of the usual start-up's answer, peak
# memory within 1.2 times the usual start-up's.
set -euo pipefail

BUILD=build
RUNS=5
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) RUNS=$2; shift 2 ;;
        *) BUILD=$1; shift ;;
    esac
done

TOOL="$BUILD/bench/startup/startup_firstpaint"
GAME="$BUILD/app/nuvik3t"
# shellcheck source=xvfb.sh
. "$(dirname "$0")/xvfb.sh"
require_built "notes files" "$TOOL" "$GAME"

WORK=$(mktemp -d)
start_xvfb "$WORK"
GAME_DIR="$WORK/game"
mkdir "$GAME_DIR"
cp "$GAME" "$GAME_DIR/nuvik3t"
NOTES="$GAME_DIR/Notes.txt"

# Writes the notes file of a case; "none" leaves no file.
make_notes() {
    rm -f "$NOTES"
    case "$1" in
        none) ;;
        line1M) { printf '"'; head -c 1048576 /dev/zero | tr '\0' a; printf '"\r\n'; } >"$NOTES" ;;
        zero16M) truncate -s 16M "$NOTES" ;;
        zero1G) truncate -s 1G "$NOTES" ;;
    esac
}

# One start: first paint (ms), peak memory (KiB), key answer (ms); "none"
# for what never came.
measure() {
    local limit=() line
    [ "$1" = zero1G ] && limit=(bash -c 'ulimit -v 3000000 && exec "$0"')
    line=$("$TOOL" --key-opens-window w Nuvik3t 200 -- "${limit[@]}" "$GAME_DIR/nuvik3t" </dev/null 2>>"$WORK/log") ||
        line=$'none\tnone\t0\t0\t-1'
    awk -F'\t' '{ print $1 "\t" $2 "\t" ($5 < 0 ? "none" : $5) }' <<<"$line"
}
# The median, or "none" when any run gave none.
median() {
    sort -n | awk '$1 == "none" { missing = 1 } { v[NR] = $1 }
        END { if (missing) print "none"; else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
col() { cut -f"$1" "$2" | median; }

# The first start writes the settings file and fills caches: not counted.
make_notes none
measure none >/dev/null || true

cases=(none line1M zero16M zero1G)
declare -A label=([none]="no notes file" [line1M]="1 MiB line" [zero16M]="16 MiB of zeros" [zero1G]="1 GiB of zeros")
failed=0
for c in "${cases[@]}"; do
    : >"$WORK/$c"
    for _ in $(seq "$RUNS"); do
        make_notes "$c"
        before=$(stat -c '%i %s %Y' "$NOTES" 2>/dev/null || echo none)
        measure "$c" >>"$WORK/$c" || true
        after=$(stat -c '%i %s %Y' "$NOTES" 2>/dev/null || echo none)
        # With no file the game makes an empty one; any other file stays.
        if [ "$c" != none ] && [ "$before" != "$after" ]; then
            echo "notes files: the $c file was changed ($before -> $after)" >&2
            failed=1
        fi
    done
done

row() { printf '  %-18s %14s %16s %16s\n' "$@"; }
echo "Start-up with large notes files, medians of $RUNS runs each (Xvfb; none: never within the limits):"
row "" "first paint (ms)" "key answer (ms)" "peak memory (KiB)"
for c in "${cases[@]}"; do
    row "${label[$c]}" "$(col 1 "$WORK/$c")" "$(col 3 "$WORK/$c")" "$(col 2 "$WORK/$c")"
done
# Every start must have painted and answered.
cat "$WORK"/{none,line1M,zero16M,zero1G} | grep -q none && failed=1
usual_key=$(col 3 "$WORK/none")
usual_kib=$(col 2 "$WORK/none")
for c in "${cases[@]}"; do
    key=$(col 3 "$WORK/$c")
    printf 'startup key answer, %s (ms)\t%s\t%s\n' "${label[$c]}" "$key" \
        "$([ "$c" = none ] && echo - || awk -v u="$usual_key" 'BEGIN { printf "< %.0f ms", u + 1000 }')"
    [ "$c" = none ] && continue
    printf 'startup peak memory ratio, %s\t%s\t<= 1.2\n' "${label[$c]}" \
        "$(awk -v a="$(col 2 "$WORK/$c")" -v b="$usual_kib" 'BEGIN { if (a == "none") print a; else printf "%.2f", a / b }')"
done
exit "$failed"
