"""The town's requirements (requirements.txt, shared with tests/test_town.cpp): what the
generator aims at, and the check it runs on the tables before writing them."""
import math
import os
from collections import Counter

PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'requirements.txt')

MODEL_ROWS = {}   # model -> rows in the layout
Y_RANGE = {}      # model -> (lowest, highest) translation y, for the models whose heights are fixed
TURNS = []        # rows with 0, 1, 2, 3 rotations
ODD_AXES = 0      # rotations about an axis that is not a unit axis
BOX = ()          # ((x0, x1), (y0, y1), (z0, z1)) every translation keeps to and reaches
FIXED_ROWS = {}   # row number (from 1) -> (model, translation, [(angle, axis)])
WALLS = ()        # rows, z-walls, x-walls, floors, wide-gate walls, corner-gate walls


def _load():
    global ODD_AXES, BOX, WALLS
    for number, line in enumerate(open(PATH), 1):
        words = line.split('#', 1)[0].split()
        if not words:
            continue
        kind, args = words[0], words[1:]
        if kind == 'model':
            MODEL_ROWS[args[0]] = int(args[1])
            if len(args) == 4:
                Y_RANGE[args[0]] = (float(args[2]), float(args[3]))
        elif kind == 'turns':
            TURNS[:] = [int(a) for a in args]
        elif kind == 'odd_axes':
            ODD_AXES = int(args[0])
        elif kind == 'box':
            v = [float(a) for a in args]
            BOX = ((v[0], v[1]), (v[2], v[3]), (v[4], v[5]))
        elif kind == 'row':
            v = [float(a) for a in args[2:]]
            turns = [(v[k], tuple(v[k + 1:k + 4])) for k in range(3, len(v), 4)]
            FIXED_ROWS[int(args[0])] = (args[1], tuple(v[:3]), turns)
        elif kind == 'walls':
            WALLS = tuple(int(a) for a in args)
        else:
            raise ValueError('%s:%d: unknown requirement %r' % (PATH, number, kind))


_load()

REACH = 0.05      # how close to each end of a height range the rows must come
BOX_REACH = 0.1   # and to each side of the box, whose sides are given to a tenth


def misses(rows, walls):
    """What the tables miss of the requirements, one line each (none when they hold)."""
    out = []
    have = Counter(r.model for r in rows)
    for model, n in MODEL_ROWS.items():
        if have[model] != n:
            out.append('%s has %d rows, not %d' % (model, have[model], n))
    for model, (lo, hi) in Y_RANGE.items():
        ys = [r.t[1] for r in rows if r.model == model]
        if ys and not (lo - 1e-3 <= min(ys) <= lo + REACH and hi - REACH <= max(ys) <= hi + 1e-3):
            out.append('%s spans y %.3f..%.3f, not %g..%g' % (model, min(ys), max(ys), lo, hi))
    turns = Counter(len(r.rotations) for r in rows)
    if [turns[k] for k in range(4)] != TURNS:
        out.append('rows by rotations %s, not %s' % ([turns[k] for k in range(4)], TURNS))
    odd = sum(1 for r in rows for _, axis in r.rotations if sum(1 for c in axis if c != 0) != 1)
    if odd != ODD_AXES:
        out.append('%d rotations about other than a unit axis, not %d' % (odd, ODD_AXES))
    for k, (lo, hi) in enumerate(BOX):
        vs = [r.t[k] for r in rows]
        if not (lo - 1e-3 <= min(vs) <= lo + BOX_REACH and hi - BOX_REACH <= max(vs) <= hi + 1e-3):
            out.append('translations span %s %.3f..%.3f, not %g..%g' % ('xyz'[k], min(vs), max(vs), lo, hi))
    for number, (model, t, turns) in FIXED_ROWS.items():
        r = rows[number - 1] if number <= len(rows) else None
        same = (r is not None and r.model == model and all(math.isclose(a, b, abs_tol=1e-4) for a, b in zip(r.t, t))
                and len(r.rotations) == len(turns) and
                all(math.isclose(a, b, abs_tol=1e-4) and all(math.isclose(p, q, abs_tol=1e-6) for p, q in zip(ax, bx))
                    for (a, ax), (b, bx) in zip(r.rotations, turns)))
        if not same:
            out.append('row %d is not %s at %s' % (number, model, t))
    kinds = Counter(w.kind() for w in walls)
    gates = Counter(w.gate for w in walls)
    have_walls = (len(walls), kinds['z'], kinds['x'], kinds['floor'], gates['WIDE'], gates['CORNER'])
    if have_walls != WALLS:
        out.append('walls (rows, z, x, floors, wide, corner) %s, not %s' % (have_walls, WALLS))
    return out
