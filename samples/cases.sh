#!/bin/bash
# The conversion cases of a sample dictionary, samples/cases/NAME.txt: ordinary
# standard sentences that must come out unchanged, and known traps with the
# conversion they must give (the file's head says how its lines read).
#
#   cases.sh ZEV DICDIR NAME    converts the cases with DICDIR/NAME.zev and
#                               prints every one that comes out otherwise
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 ZEV DICDIR NAME" >&2; exit 2; }
zev="$1" dictionary="$2/$3.zev" name="$3"
cases="$(cd "$(dirname "$0")" && pwd)/cases/$name.txt"
[ -f "$cases" ] || { echo "$name: $cases is missing" >&2; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Sorts the lines into work/same.txt and, for each direction and level of the
# traps, work/KIND.in and work/KIND.want (KIND: forward1 ... backward3).
awk -F'\t' -v work="$work" '
    /^#/ || NF == 0 { next }
    $1 == "=" && NF == 2 { print $2 > (work "/same.txt"); next }
    $1 ~ /^[<>][1-3]$/ && NF == 3 {
        kind = (substr($1, 1, 1) == ">" ? "forward" : "backward") substr($1, 2)
        print $2 > (work "/" kind ".in"); print $3 > (work "/" kind ".want"); next
    }
    { printf "%s:%d: not a case: %s\n", FILENAME, FNR, $0 > "/dev/stderr"; bad = 1 }
    END { exit bad }' "$cases"

failed=0
expect() {  # INPUT WANT LABEL ZEV-OPTION...
    local input="$1" want="$2" label="$3"
    shift 3
    "$zev" convert -d "$dictionary" "$@" -o "$work/got" "$input"
    if ! cmp -s "$want" "$work/got"; then
        paste -d '\t' "$input" "$want" "$work/got" | awk -F'\t' -v label="$label" \
            '$2 != $3 { printf "%s: %s\n  wanted %s\n  got    %s\n", label, $1, $2, $3 }'
        failed=1
    fi
}

if [ -f "$work/same.txt" ]; then
    for level in 1 2 3; do
        for types in 1,2,3,4 1 2 3 4; do
            expect "$work/same.txt" "$work/same.txt" "level $level, types $types" \
                -l "$level" -t "$types"
            expect "$work/same.txt" "$work/same.txt" "backward, level $level, types $types" \
                -r -l "$level" -t "$types"
        done
    done
fi
for input in "$work"/*.in; do
    [ -f "$input" ] || continue
    kind="$(basename "$input" .in)" level="${kind: -1}" direction=()
    [ "${kind%?}" = backward ] && direction=(-r)
    expect "$input" "${input%.in}.want" "${kind%?}, level $level" \
        "${direction[@]}" -l "$level" -t 1,2,3,4
done

if [ "$failed" -ne 0 ]; then
    echo "$name: cases in $cases do not hold" >&2
    exit 1
fi
echo "$name: $(grep -c $'^=\t' "$cases") unchanged sentences and" \
    "$(grep -c $'^[<>][1-3]\t' "$cases") traps hold"
