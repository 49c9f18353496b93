#!/usr/bin/env python3
"""Checks the include graph of the core against the README's layout order.

Each folder may include only headers of the folders after it in the order app, render,
weapons, scene, assets, nav, platform (scene/vec3.h is shared by all), and no two modules
(a .h and its .cpp taken together) include each other. Prints every breach; exit code 1
when there is one.

Usage: check_includes.py [SOURCE_DIR]
"""
import os
import re
import sys

ORDER = ["app", "render", "weapons", "scene", "assets", "nav", "platform"]
SHARED = {"scene/vec3.h"}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def module(path):
    return re.sub(r"\.(h|cpp)$", "", path)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    rank = {folder: i for i, folder in enumerate(ORDER)}
    breaches = []
    uses = {}  # module -> modules it includes
    for folder in ORDER:
        for name in sorted(os.listdir(os.path.join(root, folder))):
            if not name.endswith((".h", ".cpp")):
                continue
            path = f"{folder}/{name}"
            with open(os.path.join(root, path), encoding="utf-8") as source:
                for line in source:
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = match.group(1)
                    if "/" not in target:
                        target = f"{folder}/{target}"
                    target_folder = target.split("/")[0]
                    if target_folder in rank and rank[target_folder] < rank[folder] and target not in SHARED:
                        breaches.append(f"{path} includes {target}, which is above it")
                    if module(target) != module(path):
                        uses.setdefault(module(path), set()).add(module(target))
    for a, targets in sorted(uses.items()):
        for b in sorted(targets):
            if a < b and a in uses.get(b, ()):
                breaches.append(f"{a} and {b} include each other")
    for breach in breaches:
        print(breach)
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())
