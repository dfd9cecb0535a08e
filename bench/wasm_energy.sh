#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds bench/wasm_energy.cpp with the core as the page's build makes it
# (software reals, -O2, link-time inlining) and runs it in node, ROUNDS times.
# usage: bench/wasm_energy.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d /usr/share/nodejs ] && export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
flags=(-std=c++20 -O2 -flto -ffp-contract=off -DWOGENFELD_SOFT_EXTENDED -I.)
for source in real/*.cpp sim/*.cpp view/*.cpp control/*.cpp bench/wasm_energy.cpp; do
    em++ "${flags[@]}" -c "$source" -o "$out/$(echo "$source" | tr / _).o"
done
em++ "${flags[@]}" "$out"/*.o -sENVIRONMENT=node -sSINGLE_FILE=1 -sINITIAL_MEMORY=33554432 \
    -o "$out/wasm_energy.js"
for _ in $(seq "${1:-3}"); do node "$out/wasm_energy.js"; done
