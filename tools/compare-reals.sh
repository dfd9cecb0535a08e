#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The renderer of a build with the software extended reals against the one of
# a long double build: the same state and frame hashes for the start state and
# each example, after 600 and 2,000 passes; the same table of probes and
# energies (--csv) for each example over 2,000 passes; and each program of
# both builds says which reals it has.
# usage: tools/compare-reals.sh LONG_DOUBLE_BUILD SOFTWARE_BUILD
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 LONG_DOUBLE_BUILD SOFTWARE_BUILD" >&2; exit 2; }
x87="$1/render/wogenfeld-render"
soft="$2/render/wogenfeld-render"

expect_reals() { # BUILD WORD
    for program in "$1/render/wogenfeld-render" "$1/ui/wogenfeld"; do
        [ "$("$program" --version | sed -n 2p)" = "extended reals: $2" ] ||
            { echo "$program does not say it computes in $2 reals" >&2; exit 1; }
    done
}
expect_reals "$1" x87
expect_reals "$2" software

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

# The energies are sums over the whole visible net, on a path of their own in
# the software reals: every digit of every pass's row must agree.
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
for example in 1 2 3 4 5 6 7; do
    for build in x87 soft; do
        "${!build}" --example "$example" --iterations 2000 --probe 36,36 --probe 5,60 \
            --csv "$tables/$build.csv" --quiet
    done
    if cmp -s "$tables/x87.csv" "$tables/soft.csv"; then
        echo "same   $example, table of 2000 passes"
    else
        echo "DIFFER $example, table of 2000 passes: $(cmp "$tables/x87.csv" "$tables/soft.csv" || true)"
        failed=1
    fi
done
exit "$failed"
