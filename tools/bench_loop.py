#!/usr/bin/env python3
"""Frame periods of the real loop: the overlapped wait against the serial one.

usage: tools/bench_loop.py BUILD_DIR [--json] [--rounds N] [--sizes WxH,...]
                           [--worlds N,...] [--tour FRAMES]

Plays a recording of each world with `zeb --timedemo` on a private Xvfb (1920 x 1080):
in a 1024 x 768 window and fullscreen at 1920 x 1080 (the sizes `--sizes` names instead:
1024 x 768 is windowed, any other size fullscreen on a screen of that size). Every round
runs each world and size once with the serial loop (`zeb --serial-loop`: rasterising
only at the swap, a spin for the whole wait) and once with the overlapped one (the
default), in an order that alternates from round to round, so both see the same load on a
shared machine. Prints, per world and size, the median over the rounds of each loop's
median frame period, and their ratio, overlapped / serial, with the load average before
and after; with --json, one line: a list of {"world", "size", "serial_ms",
"overlapped_ms", "ratio"}.

The recordings are written here, from the routes below, each time: one walks into its
world from the start (worlds 2 and 3 through their doorways), turns round once in
--tour frames (120), then walks on turning back for two thirds of that, and ends on
Escape; --worlds plays only the worlds named. They check only the world and the frame
count, so they stay valid when the state gains fields. The defaults took 13-15 minutes
under a load of 5-8 on two cores, where a frame takes two to three times as long as on a
quiet machine; --rounds 1 halves that.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile

HEADER = "# A session of zeb, recorded: `zeb-replay FILE` plays it headless and checks the final state."
UP, ESCAPE = 38, 27
SCREEN = (1920, 1080)
WINDOW = (1024, 768)  # the window zeb opens; any other size is fullscreen

# world: pixels of pointer movement to face the way (20 pixels a degree), frames of walking
ROUTES = {
    1: (1200, 30),  # away from both doorways, into the hall
    2: (-850, 150),  # through the town's doorway, in its box after 148 frames
    3: (-325, 120),  # through world 3's doorway, in its box after 116 frames
}


def recording(world, tour):
    face, walk = ROUTES[world]
    turn = round(360 * 20 / tour)  # pixels a frame for a whole turn
    lines = ["mode windowed", "frames 1", f"mouse {face} 0", "frames 1", f"key {UP} down", f"frames {walk}",
             f"key {UP} up"]
    lines += [f"mouse {turn} 0\nframes 1"] * tour + [f"key {UP} down"]
    lines += [f"mouse {-turn} 0\nframes 1"] * (2 * tour // 3) + [f"key {UP} up", f"key {ESCAPE} down", "frames 1"]
    frames = 2 + walk + tour + 2 * tour // 3 + 1
    checks = ["state", f"expect world == {world}", f"expect frame == {frames}"]
    return "\n".join([HEADER] + lines + checks) + "\n", frames


def start_xvfb(work, screen):
    display_file = os.path.join(work, "display")
    with open(display_file, "w") as fd:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(fd.fileno()), "-screen", "0",
                                 "%dx%dx24" % screen, "-nolisten", "tcp"], pass_fds=[fd.fileno()],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        with open(display_file) as f:
            number = f.read().strip()
        if number:
            return xvfb, ":" + number
        subprocess.run(["sleep", "0.1"])
    xvfb.kill()
    sys.exit("bench_loop: Xvfb did not start")


def timedemo(build, display, path, size, serial, frames):
    args = ["./zeb", "--windowed" if size == WINDOW else "--fullscreen", "--timedemo", path]
    if serial:
        args.insert(1, "--serial-loop")
    env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
    env.pop("WAYLAND_DISPLAY", None)
    run = subprocess.run(args, cwd=build, env=env, capture_output=True, text=True, timeout=600)
    figures = dict(line.split(" ", 1) for line in run.stdout.splitlines() if " " in line)
    if run.returncode != 0 or int(figures.get("frames", -1)) != frames:
        sys.exit(f"bench_loop: {' '.join(args)} failed (exit code {run.returncode}):\n{run.stdout}{run.stderr}")
    return float(figures["period_median_ms"])


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    args = sys.argv[1:]
    build, as_json, rounds, sizes, worlds, tour = None, False, 2, [WINDOW, SCREEN], list(ROUTES), 120
    while args:
        a = args.pop(0)
        if a == "--json":
            as_json = True
        elif a == "--rounds":
            rounds = int(args.pop(0))
        elif a == "--sizes":
            sizes = [tuple(int(n) for n in size.split("x")) for size in args.pop(0).split(",")]
        elif a == "--worlds":
            worlds = [int(n) for n in args.pop(0).split(",")]
        elif a == "--tour":
            tour = int(args.pop(0))
        elif build is None and not a.startswith("-"):
            build = a
        else:
            sys.exit(__doc__)
    if build is None or not set(worlds) <= set(ROUTES) or tour < 3:
        sys.exit(__doc__)
    build = os.path.abspath(build)
    screen = max((s for s in sizes if s != WINDOW), default=SCREEN)
    load_before = load()
    with tempfile.TemporaryDirectory() as work:
        xvfb, display = start_xvfb(work, screen)
        try:
            demos = {}
            for world in worlds:
                path = os.path.join(work, f"world{world}.replay")
                text, frames = recording(world, tour)
                with open(path, "w") as f:
                    f.write(text)
                demos[world] = (path, frames)
            periods = {}  # (world, size, serial): [median period of each round]
            for r in range(rounds):
                for world, (path, frames) in demos.items():
                    for size in sizes:
                        for serial in ((True, False) if (r + world) % 2 == 0 else (False, True)):
                            period = timedemo(build, display, path, size, serial, frames)
                            periods.setdefault((world, size, serial), []).append(period)
        finally:
            xvfb.kill()
            xvfb.wait()
    rows = []
    for world in worlds:
        for size in sizes:
            serial = statistics.median(periods[(world, size, True)])
            overlapped = statistics.median(periods[(world, size, False)])
            rows.append({"world": world, "size": "%dx%d" % size, "serial_ms": round(serial, 2),
                         "overlapped_ms": round(overlapped, 2), "ratio": round(overlapped / serial, 3)})
    if as_json:
        print(json.dumps(rows))
        return
    print(f"load average before: {load_before}; after: {load()}; {rounds} rounds")
    print("| world | size | serial ms | overlapped ms | overlapped / serial |")
    print("|---|---|---:|---:|---:|")
    for row in rows:
        print(f"| {row['world']} | {row['size'].replace('x', ' x ')} | {row['serial_ms']:.1f} "
              f"| {row['overlapped_ms']:.1f} | {row['ratio']:.2f} |")


if __name__ == "__main__":
    main()
