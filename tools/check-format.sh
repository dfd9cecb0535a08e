#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails, naming each file, where a tracked C++ file differs from what
# clang-format makes of it. Other versions of clang-format lay some lines out
# differently, so only the version .clang-format names judges; where it is
# not installed the check is skipped (exit 77).
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
wanted=$(sed -n 's/^# Written by .*clang-format \([0-9]*\);.*/\1/p' .clang-format)
formatter=""
for candidate in clang-format-"$wanted" clang-format; do
    if command -v "$candidate" >/dev/null &&
        "$candidate" --version | grep -q "version $wanted\."; then
        formatter=$candidate
        break
    fi
done
if [ -z "$formatter" ]; then
    echo "skipped: clang-format $wanted is not installed"
    exit 77
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
differing=0
for file in "${files[@]}"; do
    if ! "$formatter" --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file (clang-format -i $file)"
        differing=$((differing + 1))
    fi
done
echo "${#files[@]} files checked with $formatter, $differing not formatted"
[ "$differing" -eq 0 ]
