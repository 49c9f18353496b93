#!/usr/bin/env python3
"""The benchmarks' --json output, on a tiny run: one line, a list of objects with the keys
documented for each tool and finite positive times. Timings are not judged.

Usage: bench_tools_json.py BUILD_DIR TOOLS_DIR
"""
import json
import math
import subprocess
import sys

build, tools = sys.argv[1], sys.argv[2]
RUNS = [
    ("bench_views.py", ["--frames", "1", "--rounds", "1", "--sizes", "64x48"],
     ["view", "size", "default_ms", "literal_ms", "floor_ms", "default_over_floor", "triangles",
      "default_over_floor_with_triangles"], 9),
    ("bench_loop.py", ["--rounds", "1", "--sizes", "1024x768", "--worlds", "1", "--tour", "6"],
     ["world", "size", "serial_ms", "overlapped_ms", "ratio"], 1),
]
failed = False
for tool, args, keys, rows in RUNS:
    run = subprocess.run([sys.executable, f"{tools}/{tool}", build, "--json"] + args, capture_output=True, text=True)
    lines = run.stdout.splitlines()
    try:
        if run.returncode != 0 or len(lines) != 1:
            raise ValueError(f"exit code {run.returncode}, {len(lines)} lines")
        value = json.loads(lines[0])
        if not isinstance(value, list) or len(value) != rows:
            raise ValueError(f"not a list of {rows}")
        for row in value:
            if sorted(row) != sorted(keys):
                raise ValueError(f"keys {sorted(row)}")
            for key in keys:
                if key.endswith("_ms") and not (isinstance(row[key], float) and math.isfinite(row[key]) and row[key] > 0):
                    raise ValueError(f"{key} is {row[key]}")
        print(f"ok: {tool} --json printed {rows} rows with {', '.join(keys)}")
    except ValueError as e:
        failed = True
        print(f"FAILED: {tool} --json: {e}\n{run.stdout}{run.stderr}")
sys.exit(1 if failed else 0)
