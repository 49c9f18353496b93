#!/usr/bin/env python3
"""Frame cost of the default draw path against the literal one at the benchmark views.

usage: tools/bench_views.py [BUILD_DIR] [--json] [--frames N] [--rounds R] [--sizes WxH,...]

Each view is set up once; then `bench N` and `bench N literal` alternate R times, so both
paths see the same load on a shared machine. Prints one row per view and window size
(1024 x 768 and 1920 x 1080 unless told): the medians of the rounds' median CPU
milliseconds per frame (the rasteriser's threads included), their ratio, default /
literal, and the frames a second the default path's median wall time allows; then, per
pixel of the view, the fragments one frame shades (those that pass every test) and those
it rasterises (shaded, or rejected early by the depth test, at about a ninth of the
cost), on each path. The rasteriser's cost follows those counts, and they are exact where
a shared machine makes the timings noisy.

The floor: every round also times calibration frames in the same process (`calibrate
KIND N`: the clear alone, and the clear with one quad over the view of each kind of
fragment, in the program's own states), which price a fragment of each kind. A view's
floor is what its default frame's own counts cost at those prices: the clear, every
shaded fragment at the price of a magnified one (the cheapest textured kind: the floor's
low end) and every other rasterised fragment at the price of a rejected one. Printed
beside each view with default / floor, default over the floor with every shaded fragment
at a minified one's price (the high end: what lies above it is not fragments' work), then
the prices relative to a minified trilinear fragment.

The triangles: the view's triangles that reach the rasteriser after clipping are counted
too, and priced by one more calibration, the minified quad cut into triangles of 128
pixels (`calibrate tiles16`): what they cost beyond the one quad, per triangle. Printed
with their count, their price in microseconds and default over the floor with every
triangle added at that price. With --json, one line: a list of {"view", "size",
"default_ms", "literal_ms", "floor_ms", "default_over_floor", "triangles",
"default_over_floor_with_triangles"}.
"""
import json
import os
import statistics
import subprocess
import sys

START = ["answer no", "frames 2"]
INTO_TOWN = ["key 1 down", "frames 1", "key 1 up", "place -6.5 -7 0.59 0 0", "walk 1", "frames 50"]
INTO_WORLD3 = ["mouse -325 0", "frames 1", "walk 116", "frames 2"]

# One script per process: a run starts in world 1 and can leave it once.
SCRIPTS = [
    [
        ("world 1, start", []),
        ("world 1, weapon 4 firing", ["key 4 down", "frames 2", "key 4 up", "button left down", "frames 3"]),
        ("world 2, arrival", ["button left up"] + INTO_TOWN),
        ("world 2, densest street", ["place -39.5 0.5 0.6 75 -3", "frames 2"]),
        ("world 2, courtyard", ["place -66 8 0.6 130 5", "frames 2"]),
        ("world 2, looking up", ["place -1 -1 0.6 0 -70", "frames 2"]),
    ],
    [
        ("world 3, arrival", INTO_WORLD3),
        ("world 3, terrace", ["place 4 -7.5 1.6 0 20", "frames 2"]),
        ("world 3, corridor", ["place -6.3 -22.5 0.58 -90 0", "frames 2"]),
    ],
]


CALIBRATIONS = ["clear", "minified", "magnified", "blended", "untextured", "rejected", "tiles16"]
TILE = 16  # pixels a side of the squares `calibrate tiles16` cuts its quad into, two triangles each


def tile_triangles(size):
    return 2 * ((size[0] + TILE - 1) // TILE) * ((size[1] + TILE - 1) // TILE)


def run(build, size, views, frames, rounds):
    lines = ["viewport %d %d" % size] + START
    for _, setup in views:
        lines += setup
        for _ in range(rounds):
            lines += [f"bench {frames}", f"bench {frames} literal"]
            lines += [f"calibrate {kind} {frames}" for kind in CALIBRATIONS]
        lines += ["fragments", "fragments literal"]
    out = subprocess.run(["./zeb-replay", "-"], cwd=build, input="\n".join(lines) + "\n",
                         capture_output=True, text=True, check=True).stdout
    objects = [json.loads(l) for l in out.splitlines() if l.startswith("{")]
    counts = [o for o in objects if "fragments" in o or "fragments_literal" in o]
    timed = [o for o in objects if "cpu_ms_median" in o]
    per_view = 2 + len(CALIBRATIONS)
    rows = []
    for k, (name, _) in enumerate(views):
        chunk = timed[per_view * rounds * k: per_view * rounds * (k + 1)]
        fast_count, literal_count = counts[2 * k], counts[2 * k + 1]

        def cpu(key):
            return statistics.median(r["cpu_ms_median"] for r in chunk if key in r)

        fast, literal = cpu("bench_frames"), cpu("bench_frames_literal")
        wall = statistics.median(r["wall_ms_median"] for r in chunk if "bench_frames" in r)
        per_pixel = [c[key] / c["pixels"] for key in ("passed", "rasterised") for c in (fast_count, literal_count)]
        clear = cpu("calibrate_clear")
        # Never below nothing: on a tiny view the noise can exceed a kind's whole cost.
        price = {kind: max(cpu("calibrate_" + kind) - clear, 0) / fast_count["pixels"] for kind in CALIBRATIONS[1:-1]}
        shaded, rejected = fast_count["passed"], fast_count["rasterised"] - fast_count["passed"]
        floor = clear + shaded * price["magnified"] + rejected * price["rejected"]
        # The same with every shaded fragment minified: above it, the frame pays for more
        # than its fragments (set-up, binning, partly covered tiles, the main thread).
        floor_minified = clear + shaded * price["minified"] + rejected * price["rejected"]
        relative = {kind: price[kind] / max(price["minified"], 1e-12) for kind in CALIBRATIONS[2:-1]}
        triangle_price = max(cpu("calibrate_tiles16") - cpu("calibrate_minified"), 0) / tile_triangles(size)
        triangles = fast_count["triangles"]
        rows.append((name, fast, literal, 1000 / wall, per_pixel, floor, relative, floor_minified, triangles,
                     triangle_price))
    return rows


def main():
    args = sys.argv[1:]
    frames, rounds, build, sizes, as_json = 20, 3, "build", [(1024, 768), (1920, 1080)], False
    while args:
        a = args.pop(0)
        if a == "--json":
            as_json = True
        elif a == "--frames":
            frames = int(args.pop(0))
        elif a == "--rounds":
            rounds = int(args.pop(0))
        elif a == "--sizes":
            sizes = [tuple(int(n) for n in size.split("x")) for size in args.pop(0).split(",")]
        else:
            build = a
    build = os.path.abspath(build)
    if as_json:
        rows = []
        for size in sizes:
            for views in SCRIPTS:
                for name, fast, literal, _, _, floor, _, _, triangles, tri in run(build, size, views, frames, rounds):
                    rows.append({"view": name, "size": "%dx%d" % size, "default_ms": round(fast, 3),
                                 "literal_ms": round(literal, 3), "floor_ms": round(floor, 3),
                                 "default_over_floor": round(fast / floor, 3), "triangles": triangles,
                                 "default_over_floor_with_triangles": round(fast / (floor + triangles * tri), 3)})
        print(json.dumps(rows))
        return
    print("| view | size | default ms | literal ms | ratio | default frames/s "
          "| shaded per pixel, default / literal | rasterised per pixel, default / literal "
          "| floor ms | default / floor | default / floor all minified "
          "| magnified, blended, untextured, rejected / minified "
          "| triangles | us a triangle | default / (floor + triangles) |")
    print("|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
    for size in sizes:
        for views in SCRIPTS:
            for name, fast, literal, rate, per_pixel, floor, rel, floor_min, triangles, tri in run(
                    build, size, views, frames, rounds):
                print(f"| {name} | {size[0]} x {size[1]} | {fast:.1f} | {literal:.1f} | {fast / literal:.2f} "
                      f"| {rate:.1f} | {per_pixel[0]:.2f} / {per_pixel[1]:.2f} "
                      f"| {per_pixel[2]:.2f} / {per_pixel[3]:.2f} | {floor:.1f} | {fast / floor:.2f} | {fast / floor_min:.2f} "
                      f"| {rel['magnified']:.2f}, {rel['blended']:.2f}, {rel['untextured']:.2f}, "
                      f"{rel['rejected']:.2f} | {triangles} | {tri * 1000:.2f} "
                      f"| {fast / (floor + triangles * tri):.2f} |", flush=True)


if __name__ == "__main__":
    main()
