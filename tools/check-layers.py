#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the layering from the #include lines: a folder includes only from
its own floor's folders below it, and no two files (a header and its source
counted as one) include each other, directly or round a longer circle.
Prints what it finds; exit status 1 if anything."""
import pathlib
import re
import sys

# Lower floors first; folders on one floor do not include each other.
FLOORS = {"real": 0, "sim": 1, "view": 2, "measure": 3, "control": 4,
          "resources": 5, "output": 5, "ui": 6, "render": 6, "web": 6}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/(\w+)\.h"', re.MULTILINE)


def uses(root):
    found = {}
    for folder in FLOORS:
        for path in sorted((root / folder).glob("*.[hc]*")):
            unit = f"{folder}/{path.stem}"
            for target, stem in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if target in FLOORS and f"{target}/{stem}" != unit:
                    found.setdefault(unit, set()).add(f"{target}/{stem}")
    return found


def circle_from(unit, graph, path, done):
    if unit in path:
        return path[path.index(unit):] + [unit]
    if unit in done:
        return None
    for used in sorted(graph.get(unit, ())):
        circle = circle_from(used, graph, path + [unit], done)
        if circle:
            return circle
    done.add(unit)
    return None


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    graph = uses(root)
    faults = [f"{unit} includes {used}: not from a floor below"
              for unit, targets in sorted(graph.items()) for used in sorted(targets)
              if used.split("/")[0] != unit.split("/")[0]
              and FLOORS[used.split("/")[0]] >= FLOORS[unit.split("/")[0]]]
    done = set()
    for unit in sorted(graph):
        circle = circle_from(unit, graph, [], done)
        if circle:
            faults.append("circle: " + " -> ".join(circle))
            break
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
