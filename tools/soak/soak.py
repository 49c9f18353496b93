#!/usr/bin/env python3
"""Soak: random zeb-replay scripts under the address and undefined-behaviour sanitizers.

Each script starts the program at a random small viewport and mixes walking in all three
worlds, the doorways, the town's streets, every weapon and button, cursor moves (absurd
ones included), F1 with viewport changes, the ring pair's keys, the gates, pacing, the
other held keys and a game controller's sticks, triggers and buttons. A `state` line follows every action; every state is checked for numbers
that are not finite and for fields out of their range. A sanitizer report, a crash, a
script error or a bad state fails the soak; the failing script is kept to replay by hand.

    tools/soak/soak.py [--build DIR] [--seconds N] [--seed N] [--keep DIR]

DIR is a build made with -DZEB_SANITIZE=ON holding zeb-replay and text/ (default
build-soak). Python 3, standard library only.
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SUPPRESSIONS = os.path.join(HERE, "lsan.supp")

# Keys that act while held or on a tap (names as zeb-replay takes them).
HELD_KEYS = ["A", "F", "Y", "I", "B", "V", "O", "P", "X", "Z", "E", "R", "Q", "W",
             "C", "D", "J", "H", "K", "L", "Numpad1", "Numpad6", "Numpad9", "End", "Delete",
             "Up", "Down", "Left", "Right"]
WEAPON_KEYS = ["0", "1", "2", "3", "4", "5"]
# The controller's buttons but Start and Back, which end the run and toggle fullscreen.
PAD_BUTTONS = ["a", "b", "x", "y", "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
               "leftstick", "rightstick", "guide"]
PAD_AXES = ["leftx", "lefty", "rightx", "righty", "lefttrigger", "righttrigger"]
SANITIZER_MARKS = ["runtime error:", "AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer"]

# Fields with a range; every number must also be finite.
RANGES = {
    "held_weapon": (0, 5), "weapon2_shots": (0, 19),
    "weapon2_cartridges_present": (1, 20), "weapon3_fired_frames": (0, 5),
    "weapon3_reload_frames": (0, 10), "weapon4_launch_frames": (0, 50),
    "weapon4_fire_phase": (0, 1), "primary_marks": (0, 391), "secondary_marks": (0, 391),
    "impact_mark_total": (0, 600), "target1_respawn_counter": (0, 100),
    "target2_respawn_counter": (0, 100), "target3_respawn_counter": (0, 100),
    "cursor_x": (-(1 << 20), 1 << 20), "cursor_y": (-(1 << 20), 1 << 20),
    "view_width": (0, 65535), "view_height": (1, 65535),  # from size messages: 16 bits each
}


def absurd(rng):
    return rng.choice(["1e30", "-1e30", "inf", "-inf", "nan", "2147483648", "-2147483649", "1e300"])


def action(rng, lines):
    """Appends one random action; returns the frames it asks for."""
    kind = rng.choices(
        ["walk", "world2", "world3", "home2", "home3", "street", "weapon", "fire", "mouse",
         "cursor", "keys", "f1", "angles", "message", "pad"],
        weights=[14, 4, 4, 2, 2, 6, 6, 14, 8, 5, 14, 3, 2, 2, 8])[0]
    if kind == "walk":
        n = rng.randint(1, 60)
        lines += ["face %g" % rng.uniform(-720, 720), "walk %d" % n]
        return n
    if kind == "world2":
        lines += ["place -6.5 -7 0.59 0 0", "walk 1", "frames 2"]
        return 3
    if kind == "world3":
        lines += ["place -2.75 -7 0.59 0 0", "walk 1", "frames 2"]
        return 3
    if kind == "home2":  # the town's way home, behind its corner gate
        lines += ["place -76 18.5 0.58 180 0", "key I down", "frames 20", "key I up", "walk 20"]
        return 40
    if kind == "home3":
        lines += ["place 24.2 -18 1.0 -90 0", "walk 10"]
        return 10
    if kind == "street":
        n = rng.randint(5, 60)
        lines += ["place %.2f %.2f 0.58 %d 0" % (rng.uniform(-88, 4), rng.uniform(-18, 32), rng.randint(0, 359)),
                  "walk %d" % n]
        return n
    if kind == "weapon":
        lines += ["tap %s" % rng.choice(WEAPON_KEYS)]
        return 1
    if kind == "fire":
        button = rng.choice(["left", "left", "right"])
        n = rng.randint(0, 30)
        lines += ["button %s down" % button, "frames %d" % n, "button %s up" % button, "frames 1"]
        return n + 1
    if kind == "mouse":
        dx = absurd(rng) if rng.random() < 0.1 else "%d" % rng.randint(-400, 400)
        dy = absurd(rng) if rng.random() < 0.1 else "%d" % rng.randint(-300, 300)
        lines += ["mouse %s %s" % (dx, dy), "frames 1"]
        return 1
    if kind == "cursor":
        x = absurd(rng) if rng.random() < 0.3 else "%d" % rng.randint(-50, 1100)
        y = absurd(rng) if rng.random() < 0.3 else "%d" % rng.randint(-50, 800)
        lines += ["cursor %s %s" % (x, y), "button left down", "button left up", "frames 1",
                  "probe %s %s" % (x, y)]
        return 1
    if kind == "keys":
        key = rng.choice(HELD_KEYS)
        n = rng.randint(1, 40)
        lines += ["key %s down" % key, "frames %d" % n, "key %s up" % key]
        return n
    if kind == "pad":  # a stick or trigger (absurd values too) and a button, then back at rest
        axis = rng.choice(PAD_AXES)
        value = absurd(rng) if rng.random() < 0.1 else "%d" % rng.randint(-32768, 32767)
        button = rng.choice(PAD_BUTTONS)
        n = rng.randint(1, 40)
        lines += ["pad %s %s" % (axis, value), "pad %s down" % button, "frames %d" % n, "pad %s up" % button,
                  "pad %s 0" % axis, "frames 1"]
        return n + 1
    if kind == "f1":  # a new window at a new size; a refused fullscreen falls back to a window
        lines += ["viewport %d %d" % (rng.randint(16, 320), rng.randint(12, 240)),
                  "displaymode %s" % rng.choice(["yes", "no"]), "answer yes", "tap F1", "frames 2"]
        return 3
    if kind == "angles":  # unbounded view angles, then a marking shot
        lines += ["place -1 -1 0.6 %s %s" % (absurd(rng), absurd(rng)), "tap 1",
                  "button left down", "button left up", "frames 3"]
        return 4
    lines += ["message %s %s %s" % (rng.choice(["size", "activate"]), rng.choice(["0", "65536", "1e300"]),
                                    rng.choice(["0", "-1", "50331712", "nan"])), "frames 1"]
    return 1


def make_script(rng, frames):
    start = rng.choice(["no", "no", "yes", "unshown"])
    lines = ["viewport %d %d" % (rng.randint(16, 256), rng.randint(12, 192)), "answer %s" % start]
    if start == "yes":  # fullscreen, or the window offered when it is refused
        lines += [rng.choice(["displaymode yes", "answer yes"])]
    lines += ["frames 1", "state"]
    done = 1
    while done < frames:
        done += action(rng, lines)
        lines.append("state")
    if rng.random() < 0.5:
        lines += ["tap Escape", "state"]  # the way out, with what it frees
    return lines


def bad_fields(state):
    problems = []
    for name, value in state.items():
        if value is None:
            problems.append("%s is not a finite number" % name)
        elif name in RANGES and isinstance(value, (int, float)) and not isinstance(value, bool):
            low, high = RANGES[name]
            if not low <= value <= high and not (state.get("exited") and name.startswith("view_")):
                problems.append("%s = %s is outside %s..%s" % (name, value, low, high))
    # one flag per world, worldN for world N
    worlds = [value for name, value in state.items() if re.fullmatch(r"world\d+", name)]
    if worlds.count(True) != 1:
        problems.append("world flags %s: not exactly one" % worlds)
    world = state.get("world")
    if isinstance(world, int) and not isinstance(world, bool) and not 1 <= world <= len(worlds):
        problems.append("world = %s is outside 1..%d" % (world, len(worlds)))
    return problems


def run_script(build, lines, timeout):
    env = dict(os.environ)
    env["ASAN_OPTIONS"] = "detect_leaks=1:abort_on_error=0:halt_on_error=1"
    env["LSAN_OPTIONS"] = "suppressions=%s:print_suppressions=0" % SUPPRESSIONS
    env["UBSAN_OPTIONS"] = "print_stacktrace=1:halt_on_error=1"
    try:
        run = subprocess.run([os.path.join(build, "zeb-replay"), "-"], input="\n".join(lines) + "\n",
                             capture_output=True, text=True, cwd=build, env=env, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, "", "timed out after %d s" % timeout
    return run.returncode, run.stdout, run.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build-soak")
    parser.add_argument("--seconds", type=float, default=120)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--frames", type=int, default=600, help="frames per script (about)")
    parser.add_argument("--keep", default=None, help="where failing scripts go (default BUILD/soak-failures)")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    seed = args.seed if args.seed is not None else int(time.time())
    rng = random.Random(seed)
    keep = args.keep or os.path.join(args.build, "soak-failures")
    if not os.path.exists(os.path.join(args.build, "zeb-replay")):
        print("soak: no zeb-replay in %s (configure it with -DZEB_SANITIZE=ON)" % args.build, file=sys.stderr)
        return 2
    print("soak: seed %d, %g s, build %s" % (seed, args.seconds, args.build), flush=True)
    start = time.time()
    scripts = frames = states = failures = 0
    while time.time() - start < args.seconds:
        lines = make_script(rng, rng.randint(args.frames // 2, args.frames * 3 // 2))
        code, out, err = run_script(args.build, lines, timeout=300)
        scripts += 1
        problems = []
        last_frame = 0
        for text in out.splitlines():
            if not text.startswith('{"frame"'):
                continue
            state = json.loads(text)
            states += 1
            last_frame = state.get("frame") or last_frame
            problems += ["state %d: %s" % (states, p) for p in bad_fields(state)]
        frames += last_frame
        if code != 0:
            problems.append("exit code %s" % code)
        problems += ["stderr: %s" % l for l in err.splitlines() if any(m in l for m in SANITIZER_MARKS)]
        if problems:
            failures += 1
            os.makedirs(keep, exist_ok=True)
            path = os.path.join(keep, "soak-%d-%d.replay" % (seed, scripts))
            with open(path, "w") as f:
                f.write("\n".join(lines) + "\n")
            with open(path + ".stderr", "w") as f:
                f.write(err)
            print("FAIL script %d (%s):" % (scripts, path))
            for p in problems[:20]:
                print("  " + p)
        else:
            print("ok   script %d: %d frames, %d lines" % (scripts, last_frame, len(lines)), flush=True)
    print("soak: %d scripts, %d frames, %d states checked, %d failed, %.0f s (seed %d)"
          % (scripts, frames, states, failures, time.time() - start, seed))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
