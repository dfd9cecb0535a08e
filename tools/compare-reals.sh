#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The renderer of a build with the software extended reals against the one of
# a long double build: the same state and frame hashes for the start state and
# each example, after 600 and 2,000 passes, and each says which reals it has.
# usage: tools/compare-reals.sh LONG_DOUBLE_BUILD SOFTWARE_BUILD
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 LONG_DOUBLE_BUILD SOFTWARE_BUILD" >&2; exit 2; }
x87="$1/render/wogenfeld-render"
soft="$2/render/wogenfeld-render"

said() { "$1" --version | sed -n 2p; }
[ "$(said "$x87")" = "extended reals: x87" ] || { echo "$x87 does not compute in x87 reals" >&2; exit 1; }
[ "$(said "$soft")" = "extended reals: software" ] || { echo "$soft does not compute in software reals" >&2; exit 1; }

failed=0
for example in start 1 2 3 4 5 6 7; do
    chosen=()
    [ "$example" = start ] || chosen=(--example "$example")
    for passes in 600 2000; do
        expected=$("$x87" "${chosen[@]}" --iterations "$passes" --hash | tr '\n' ' ')
        seen=$("$soft" "${chosen[@]}" --iterations "$passes" --hash | tr '\n' ' ')
        if [ "$seen" = "$expected" ]; then
            echo "same   $example, $passes passes: $seen"
        else
            echo "DIFFER $example, $passes passes: x87 $expected, software $seen"
            failed=1
        fi
    done
done
exit "$failed"
