#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The headless pass in the x87's long double beside the same pass in the
# software extended reals: the view benchmark of each build, run one after the
# other, and their medians side by side, with where the time goes.
# usage: bench/reals_side_by_side.sh [LONG_DOUBLE_BUILD [SOFTWARE_BUILD]]
set -euo pipefail
x87=${1:-build}
soft=${2:-build-soft}
filter='BM_PassWithOwnLines|BM_PassPhase'
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for round in 1 2; do
    for build in "$x87" "$soft"; do
        name=$(basename "$build")
        QT_QPA_PLATFORM=offscreen "$build/bench/view_benchmark" --benchmark_filter="$filter" \
            --benchmark_out="$out/$name.$round.json" --benchmark_out_format=json >/dev/null
    done
done
python3 - "$out" "$(basename "$x87")" "$(basename "$soft")" <<'PYTHON'
import json, pathlib, statistics, sys
folder, x87, soft = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]

def medians(build):
    # Per benchmark (and phase), the median in microseconds of every repetition
    # of both rounds: CPU time for the whole pass, the phases' own clock.
    times = {}
    for path in sorted(folder.glob(f"{build}.*.json")):
        for run in json.loads(path.read_text())["benchmarks"]:
            if run.get("run_type") != "iteration":
                continue
            key = run["name"].split("/repeats")[0]
            key = run.get("label") or key
            times.setdefault(key, []).append(run["cpu_time"] if "BM_PassPhase" not in run["name"]
                                             else run["real_time"])
    return {key: statistics.median(values) for key, values in times.items()}

hard, software = medians(x87), medians(soft)
print(f"{'median (us)':28} {'x87':>9} {'software':>9} {'ratio':>6}")
def row(name, a, b):
    print(f"{name:28} {a:9.1f} {b:9.1f} {b / a:6.2f}")
pass_name = "BM_PassWithOwnLines"
row("whole pass", hard[pass_name], software[pass_name])
# A pass projects while it turns; "projection alone" is the projection that
# DrawGrid does first, node by node in extended, timed to be taken from the
# frame's time, which leaves the lines.
for phase in ("step", "drive", "turn and projection", "projection alone", "projection and frame"):
    row(phase, hard[phase], software[phase])
row("lines (frame - projection)", hard["projection and frame"] - hard["projection alone"],
    software["projection and frame"] - software["projection alone"])
print(f"passes per second: x87 {1e6 / hard[pass_name]:.0f}, software {1e6 / software[pass_name]:.0f}")
PYTHON
