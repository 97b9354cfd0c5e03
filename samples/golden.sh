#!/bin/bash
# The golden files: each sample dictionary converts its story (level 3, all
# four types) into samples/golden/NAME.txt, so that a change in a dictionary
# shows in review as a change of its golden.
#
#   golden.sh check ZEV DICDIR NAME    converts NAME's story and compares it
#                                      with its golden; prints a diff on failure
#   golden.sh write ZEV DICDIR         writes the golden of every dictionary
#
# ZEV is the zev tool, DICDIR the folder of the built NAME.zev files.
set -euo pipefail
samples="$(cd "$(dirname "$0")" && pwd)"

# The Osaka story is older than the others and keeps its name.
story_of() {
    if [ "$1" = kansai ]; then echo "$samples/story.txt"; else echo "$samples/$1.story.txt"; fi
}

convert() {  # NAME OUT
    "$zev" convert -d "$dicdir/$1.zev" -l 3 -t 1,2,3,4 -o "$2" "$(story_of "$1")"
}

check() {
    local name="$1" story golden
    story="$(story_of "$name")"
    golden="$samples/golden/$name.txt"
    for file in "$story" "$golden"; do
        if [ ! -f "$file" ]; then
            echo "$name: $file is missing (make goldens writes the golden of a story)" >&2
            exit 1
        fi
    done
    actual="$(mktemp)"  # global: the trap runs after the function returned
    trap 'rm -f "$actual"' EXIT
    convert "$name" "$actual"
    if ! diff -u --label "golden/$name.txt" --label "converted $(basename "$story")" \
        "$golden" "$actual"; then
        echo "$name: the story converts differently from its golden (make goldens updates it)" >&2
        exit 1
    fi
    echo "$name: the story converts to its golden ($(wc -c < "$golden") bytes)"
}

write() {
    local text name
    for text in "$samples"/*.dic.txt; do
        name="$(basename "$text" .dic.txt)"
        if [ ! -f "$(story_of "$name")" ]; then
            echo "$name: no story, no golden" >&2
            continue
        fi
        convert "$name" "$samples/golden/$name.txt"
        echo "wrote samples/golden/$name.txt"
    done
}

[ $# -ge 3 ] || { echo "usage: $0 check|write ZEV DICDIR [NAME]" >&2; exit 2; }
command="$1" zev="$2" dicdir="$3"
case "$command" in
    check) [ $# -eq 4 ] || { echo "usage: $0 check ZEV DICDIR NAME" >&2; exit 2; }; check "$4" ;;
    write) write ;;
    *) echo "usage: $0 check|write ZEV DICDIR [NAME]" >&2; exit 2 ;;
esac
