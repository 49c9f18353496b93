#!/usr/bin/env python3
"""Drawing a frame changes no state, and draws the frame the state holds.

Runs every journey with `state`, `draw`, `state`, `shot`, `draw`, `shot` after each of its
`frames` lines (at a small viewport unless it aims at window pixels with `cursor`) and
requires the two states around the first `draw` to be equal, the frame-rate counter's
clock fields aside, and the two draws from that state to give the same pixels. (The
frame the loop drew is not compared: the loop reads the pointer and the keys after it
draws, so the state it ends in is one input step past that frame.) A journey's own
`expect` lines run too, so a draw that moved anything the journey checks later fails it
as well.

Usage: replay_draw.py ZEB_REPLAY JOURNEY_DIR (run from the directory holding text/).
"""
import concurrent.futures
import filecmp
import glob
import json
import os
import subprocess
import sys
import tempfile

SMALL = "viewport 256 192\n"


def with_draws(text, pictures):
    """The journey with the draw check after every `frames` line, for each state the
    script prints whether it is the state before a draw, after one, or the journey's, and
    the pairs of pictures (drawn, drawn again) it writes into `pictures`."""
    out, roles, pairs = [], [], []
    for line in text.splitlines():
        out.append(line)
        command = line.split("#")[0].split()[:1]
        if command == ["state"]:
            roles.append("own")
        elif command == ["frames"]:
            pair = tuple(os.path.join(pictures, "%03d_%s.png" % (len(pairs), w)) for w in ("drawn", "again"))
            out += ["state", "draw", "state", "shot " + pair[0], "draw", "shot " + pair[1]]
            roles += ["before", "after"]
            pairs.append(pair)
    return "\n".join(out) + "\n", roles, pairs


def follows_the_clock(field):
    return field.startswith("fps")


def run_journey(replay, path):
    with open(path) as f:
        text = f.read()
    aims = any(line.split()[:1] == ["cursor"] for line in text.splitlines())
    with tempfile.TemporaryDirectory() as pictures:
        script, roles, pairs = with_draws(("" if aims else SMALL) + text, pictures)
        run = subprocess.run([replay, "-"], input=script.encode(), stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, timeout=1200)
        redrawn_apart = [n for n, (drawn, again) in enumerate(pairs, 1)
                         if os.path.exists(drawn) and not filecmp.cmp(drawn, again, shallow=False)]
    problems = []
    if redrawn_apart:
        problems.append("drawn twice after frames line(s) %s, the frame has other pixels" %
                        ", ".join(map(str, redrawn_apart[:8])))
    if run.returncode != 0:
        problems.append("exit code %d: %s" % (run.returncode, run.stderr.decode(errors="replace")[-500:]))
    states = [json.loads(line) for line in run.stdout.decode().splitlines()]
    if len(states) != len(roles):
        problems.append("%d state lines for %d states asked" % (len(states), len(roles)))
        return os.path.basename(path), problems
    before = None
    for number, (role, state) in enumerate(zip(roles, states), 1):
        if role == "before":
            before = state
        elif role == "after":
            moved = sorted(k for k in set(before) | set(state)
                           if not follows_the_clock(k) and before.get(k) != state.get(k))
            if moved:
                problems.append("state %d: the draw changed %s" % (number, ", ".join(
                    "%s (%r -> %r)" % (k, before.get(k), state.get(k)) for k in moved[:8])))
    return os.path.basename(path), problems


def main():
    replay, journeys = sys.argv[1], sys.argv[2]
    paths = sorted(glob.glob(os.path.join(journeys, "*.replay")))
    # Two at a time: the journeys are long (weapon4_memory alone runs 10,000 frames).
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        results = list(pool.map(lambda path: run_journey(replay, path), paths))
    failures = 0
    for name, problems in results:
        if problems:
            failures += 1
            print("FAIL  %s" % name)
            for p in problems[:10]:
                print("  " + p)
            if len(problems) > 10:
                print("  ... and %d more" % (len(problems) - 10))
        else:
            print("ok    %s" % name)
    if failures:
        print("in %d of %d journey(s) a draw changed the state or drew another frame" % (failures, len(paths)))
        return 1
    print("no draw changed the state or drew another frame in %d journey(s)" % len(paths))
    return 0


if __name__ == "__main__":
    sys.exit(main())
