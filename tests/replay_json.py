#!/usr/bin/env python3
"""Every line zeb-replay prints is one strict JSON object.

Runs every journey (ending with `state`; at a small viewport unless it aims at window
pixels with `cursor`, which only mean the same at its own size) and a few scripts that
print what the journeys do not (a windowed start with no box, a box whose text holds a
newline, census, probe, bench, fragments, calibrate), and reads each line of standard output with
Python's json module: no NaN or Infinity, no duplicate keys, one object per line.

Usage: replay_json.py ZEB_REPLAY JOURNEY_DIR (run from the directory holding text/).
"""
import concurrent.futures
import glob
import json
import os
import subprocess
import sys
import time

SMALL = "viewport 256 192\n"

# Scripts whose output the journeys do not cover.
EXTRA = {
    "windowed, no box, no sound": "mode windowed\nframes 2\nstate\n",
    "a box whose text holds a newline": "answer yes\nanswer yes\nframes 1\nstate\n",
    "a shot fired: a sound": "mode windowed\nframes 1\ntap 1\nbutton left down\nframes 3\n"
                             "button left up\nframes 2\nstate\n",
    "census of the walls, the layout and a model": "mode windowed\nframes 1\ncensus walls2\n"
                                                  "census walls3\ncensus layout\ncensus draw_house\n",
    "probe": "mode windowed\nframes 2\nprobe 128 96\nprobe 0 0\n",
    "bench, bench_load and fragments": "mode windowed\nframes 2\nbench 2\nbench 2 literal\n"
                                       "bench_load 1\nfragments\nfragments literal\n",
    "every calibration": "mode windowed\nframes 1\n" + "".join(
        f"calibrate {kind} 1\n" for kind in ("clear", "minified", "magnified", "blended", "untextured", "rejected")),
    "state after the program ended": "mode windowed\nframes 1\ntap Escape\nframes 2\nstate\n",
}


def reject_constant(name):
    raise ValueError("not JSON: %s" % name)


def unique_keys(pairs):
    keys = [k for k, _ in pairs]
    duplicates = sorted({k for k in keys if keys.count(k) > 1})
    if duplicates:
        raise ValueError("duplicate keys %s" % duplicates)
    return dict(pairs)


def check_output(name, out):
    """The problems in one run's standard output, and how many JSON lines it held."""
    problems = []
    lines = out.decode("utf-8", errors="replace").splitlines()
    try:
        out.decode("utf-8")
    except UnicodeDecodeError as e:
        problems.append("output is not UTF-8: %s" % e)
    for number, text in enumerate(lines, 1):
        try:
            value = json.loads(text, parse_constant=reject_constant, object_pairs_hook=unique_keys)
        except ValueError as e:
            problems.append("line %d is not JSON (%s): %s" % (number, e, text[:300]))
            continue
        if not isinstance(value, dict):
            problems.append("line %d is not an object: %s" % (number, text[:300]))
    return problems, len(lines)


def run_script(replay, name, text):
    start = time.monotonic()
    run = subprocess.run([replay, "-"], input=text.encode(), stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, timeout=1200)
    problems, count = check_output(name, run.stdout)
    if run.returncode != 0:
        problems.append("exit code %d: %s" % (run.returncode, run.stderr.decode(errors="replace")[-500:]))
    if count == 0:
        problems.append("printed nothing")
    return name, problems, count, time.monotonic() - start


def main():
    replay, journeys = sys.argv[1], sys.argv[2]
    scripts = {}
    for path in sorted(glob.glob(os.path.join(journeys, "*.replay"))):
        with open(path) as f:
            text = f.read()
        aims = any(line.split()[:1] == ["cursor"] for line in text.splitlines())
        scripts["journey " + os.path.basename(path)] = ("" if aims else SMALL) + text + "\nstate\n"
    for name, text in EXTRA.items():
        scripts[name] = SMALL + text
    # Two at a time: the journeys are long (weapon4_memory alone runs 10,000 frames).
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(lambda item: run_script(replay, *item), scripts.items()))
    failures = 0
    for name, problems, count, seconds in results:
        if problems:
            failures += 1
            print("FAIL  %s" % name)
            for p in problems[:10]:
                print("  " + p)
        else:
            print("ok    %s: %d JSON line(s), %.1f s" % (name, count, seconds))
    if failures:
        print("%d of %d script(s) printed something that is not JSON" % (failures, len(scripts)))
        return 1
    print("every line of %d script(s) is JSON" % len(scripts))
    return 0


if __name__ == "__main__":
    sys.exit(main())
