#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Instructions of one headless pass of the run loop (start state, "Anregung" on),
# counted by callgrind: unlike times, the same on every run of the same binary.
# Two runs of 100 and 300 passes; their difference leaves start-up out.
set -euo pipefail
render=${1:-build/render/wogenfeld-render}
count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$render" --iterations "$1" --quiet 2>&1 |
        awk '/Collected :/ { print $NF }'
}
short=$(count 100)
long=$(count 300)
echo "instructions per pass: $(( (long - short) / 200 ))"
