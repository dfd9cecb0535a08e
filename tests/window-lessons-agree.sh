#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ten lessons saved by the window's random users open to the hashes the
# window printed, in the renderer and in a fresh window.
# usage: window-lessons-agree.sh WINDOW_LESSONS WOGENFELD_RENDER
set -uo pipefail
lessons=$1
render=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

"$lessons" write "$folder" >"$folder/written" || { echo "write failed"; exit 1; }
count=$(wc -l <"$folder/written")
[ "$count" -eq 10 ] || { echo "write printed $count lessons, not 10"; exit 1; }

failed=0
while read -r file state frame; do
    rendered=$("$render" --lesson "$file" --hash --out /dev/null | tr '\n' ' ')
    if [ "$rendered" != "state $state frame $frame " ]; then
        echo "renderer: $file gives $rendered, the window saved $state $frame"
        failed=1
    fi
done <"$folder/written"

# shellcheck disable=SC2046 # the names hold no blanks
"$lessons" open $(cut -d' ' -f1 "$folder/written") >"$folder/opened" || failed=1
if ! diff "$folder/written" "$folder/opened"; then
    echo "the window opened them to other hashes"
    failed=1
fi
[ "$failed" -eq 0 ] && echo "10 lessons: the same hashes in the window and the renderer"
exit "$failed"
