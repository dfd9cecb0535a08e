#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the screen tests several rounds in a row while two busy loops keep two
# cores loaded, as on a slow school computer that does other work: the window
# must still come up maximised and active, every round.
# usage: tests/screen-under-load.sh [build folder] [rounds]   (build, 5)
set -euo pipefail

build=${1:-build}
rounds=${2:-5}
[ -d "$build" ] || { echo "no build folder '$build'" >&2; exit 2; }
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "rounds must be a whole number, not '$rounds'" >&2; exit 2; }

busy=()
stop_busy() {
    local pid
    for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${busy[@]}"; do wait "$pid" 2>/dev/null || true; done
    busy=()
}
trap stop_busy EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=("$!")
done

failed=0
for round in $(seq "$rounds"); do
    start=$(date +%s)
    if ctest --test-dir "$build" -L screen --output-on-failure >"$build/screen-under-load-$round.log" 2>&1; then
        result=passed
    else
        result=FAILED
        failed=$((failed + 1))
    fi
    echo "round $round: $result in $(($(date +%s) - start)) s, $(grep -E 'tests passed' "$build/screen-under-load-$round.log" || echo 'no summary') (log: $build/screen-under-load-$round.log)"
done
echo "$((rounds - failed)) of $rounds rounds passed"
[ "$failed" -eq 0 ]
