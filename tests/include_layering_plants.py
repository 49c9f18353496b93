#!/usr/bin/env python3
"""tools/check_includes.py finds each kind of breach planted in a copy of the product
folders, and stays quiet on what only looks like one.

Usage: include_layering_plants.py SOURCE_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile

FOLDERS = ["app", "render", "weapons", "scene", "assets", "nav", "platform"]

# (what is planted: file, text appended to it; the line the check must print, or None
# for a plant that must leave it quiet)
CASES = [
    ("nav/worlds.cpp", '#include "render/view.h"\n', "nav/worlds.cpp includes render/view.h, which is above it"),
    ("app/program.cpp", '#include "tools/replay/json.h"\n', "app/program.cpp includes tools/replay/json.h, a tool's header"),
    ("nav/world_state.cpp", "void reset_view();\n", "nav/world_state.cpp declares reset_view of render/ by hand"),
    ("render/sky.cpp", "extern PlayerState player;\n", "render/sky.cpp declares player of nav/ by hand"),
    ("scene/random.cpp", "namespace {\n} // namespace\nbool program_start(\n    int startup_answer);\n",
     "scene/random.cpp declares program_start of app/ by hand"),
    ("nav/player_state.h", '#include "nav/worlds.h"\n', "nav/player_state and nav/worlds include each other"),
    ("render/sky.h", '#include "nav/player.h"\n', None),  # a header below it
    ("nav/worlds.cpp", "namespace {\nint counted_later(int n);\nint counted_later(int n) { return n; }\n}\n", None),
    ("platform/script.cpp", 'extern "C" void planted_callback(int) {}\n', None),
]


def run_check(checker, root):
    result = subprocess.run([sys.executable, checker, root], capture_output=True, text=True)
    return result.returncode, result.stdout.splitlines()


def main():
    source = sys.argv[1]
    checker = os.path.join(source, "tools", "check_includes.py")
    failures = 0
    with tempfile.TemporaryDirectory() as scratch:
        for folder in FOLDERS:
            shutil.copytree(os.path.join(source, folder), os.path.join(scratch, folder))
        code, lines = run_check(checker, scratch)
        if code != 0:
            print("the unplanted copy already has breaches:", *lines, sep="\n  ")
            return 1
        for path, text, expected in CASES:
            target = os.path.join(scratch, path)
            with open(target, encoding="utf-8") as f:
                original = f.read()
            with open(target, "a", encoding="utf-8") as f:
                f.write(text)
            code, lines = run_check(checker, scratch)
            with open(target, "w", encoding="utf-8") as f:
                f.write(original)
            found = code == 1 and expected in lines if expected else code == 0 and not lines
            print(("ok    " if found else "FAIL  ") + path + ": " + (expected or "no breach"))
            if not found:
                print("  the check printed:", *(lines or ["nothing"]), sep="\n    ")
                failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
