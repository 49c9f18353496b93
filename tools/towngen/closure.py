"""Whether the wall table closes the town: a flood over a grid of points from the arrival,
in which a wall stops a step that crosses it inside its span (its start included, as in
the contacts) while the test height lies inside its height span; at standing and at
jumping height, with the gates up and down. A flood that reaches the ground's edge, or a
raised gate's slab where no wall holds the player off it by the keep-out, is a way out;
the generator refuses to write such a table. Narrow passages stay open: between walls
closer than two keep-outs the player is squeezed, not stopped. (tests/test_town.cpp floods the committed table
through the program's own contacts.)"""
from collections import deque

import town

CELL = 0.1
ARRIVAL = (-1.0, -1.0)
STAND, JUMP = 0.6, 0.73   # eye above the floor: standing, at the top of a hop
TEST_OFFSET = 0.6         # the walls' test height is the eye plus this
KEEP_OUT = 0.3            # how far a wall holds the player off its plane
GATE_UP, GATE_DOWN = 2.0, -0.4

# The gates' drawn slabs (x0, x1, z0, z1): a slab 4 long and 0.2 thick, some turned.
GATE_SLABS = [(-15.0, -11.0, -12.0, -11.8), (-16.7, -16.5, 6.0, 10.0), (-30.3, -26.3, 3.0, 3.2),
              (-34.6, -34.4, -3.5, 0.5), (-62.4, -62.2, 3.0, 7.0)]


def _centre(i, origin):
    return origin + (i + 0.5) * CELL


def flood(walls, gate_top, lift):
    """The ways out found, as messages, one for each unit square the flood left the town
    in. `lift` is the eye's height above the floor it stands on."""
    gx0, gx1, gz0, gz1 = town.GROUND
    x0, z0 = gx0 - 1.0, gz0 - 1.0
    nx, nz = int(round((gx1 - gx0 + 2.0) / CELL)), int(round((gz1 - gz0 + 2.0) / CELL))
    xs = [_centre(i, x0) for i in range(nx)]
    zs = [_centre(k, z0) for k in range(nz)]
    floors = [w for w in walls if w.kind() == 'floor']

    def eye_at(x, z):
        under = [f.a[1] for f in floors if f.a[0] < x < f.b[0] and f.a[2] < z < f.b[2]]
        return (max(under) if under else -0.5) + lift  # off the ground the eye falls

    def top(w):
        return gate_top if w.gate != 'NONE' else w.b[1]

    # test height -> (blocked steps ((i, k), (i2, k2)) with i2 >= i, k2 >= k; the cells a
    # wall holds the player off: closer than the keep-out to it, inside its span)
    blocked = {}

    def blocked_steps(t):
        if t in blocked:
            return blocked[t]
        out, held = set(), set()
        for w in walls:
            kind = w.kind()
            if kind == 'floor' or not (w.a[1] < t < top(w)):
                continue
            if kind == 'z':
                plane, lo, hi, cuts, across = w.a[2], w.a[0], w.b[0], zs, xs
            else:
                plane, lo, hi, cuts, across = w.a[0], w.a[2], w.b[2], xs, zs
            k = int((plane - cuts[0]) // CELL)  # the last centre at or below the plane
            while k + 1 < len(cuts) and cuts[k + 1] <= plane:
                k += 1
            while k >= 0 and cuts[k] > plane:
                k -= 1
            if k < 0 or k + 1 >= len(cuts):
                continue
            near = [m for m in range(max(k - 3, 0), min(k + 5, len(cuts))) if abs(cuts[m] - plane) < KEEP_OUT]
            for j, c in enumerate(across):
                if lo <= c < hi:  # a wall holds its start, not its end
                    out.add(((j, k), (j, k + 1)) if kind == 'z' else ((k, j), (k + 1, j)))
                    held.update((j, m) if kind == 'z' else (m, j) for m in near)
        blocked[t] = (out, held)
        return blocked[t]

    def inside_slab(x, z):
        return gate_top > 0 and any(a <= x <= b and c <= z <= d for a, b, c, d in GATE_SLABS)

    start = (int((ARRIVAL[0] - x0) / CELL), int((ARRIVAL[1] - z0) / CELL))
    came = {start: None}
    queue = deque([start])

    def way(cell):
        # where the way ran before it got out: its corners, a few of them
        path = []
        while cell is not None:
            path.append(cell)
            cell = came[cell]
        turns = [p for j, p in enumerate(path[1:-1], 1)
                 if (p[0] - path[j - 1][0], p[1] - path[j - 1][1]) != (path[j + 1][0] - p[0], path[j + 1][1] - p[1])]
        return ' from ' + ', '.join('(%.1f, %.1f)' % (xs[i], zs[k]) for i, k in turns[:6])

    found = {}
    while queue:
        i, k = queue.popleft()
        x, z = xs[i], zs[k]
        where = None
        if not (gx0 < x < gx1 and gz0 < z < gz1):
            where = 'the ground\'s edge'
        elif inside_slab(x, z) and (i, k) not in blocked_steps(eye_at(x, z) + TEST_OFFSET)[1]:
            where = 'a raised gate\'s slab'
        if where:
            square = (int(x // 1), int(z // 1))
            nearby = [(square[0] + a, square[1] + b) for a in (-1, 0, 1) for b in (-1, 0, 1)]
            if not any(q in found for q in nearby):
                found[square] = '%s at (%.2f, %.2f)%s' % (where, x, z, way((i, k)))
            continue
        steps = blocked_steps(eye_at(x, z) + TEST_OFFSET)[0]
        for di, dk in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            n = (i + di, k + dk)
            if n in came or not (0 <= n[0] < nx and 0 <= n[1] < nz):
                continue
            if (min((i, k), n), max((i, k), n)) in steps:
                continue
            came[n] = (i, k)
            queue.append(n)
    return list(found.values())


def ways_out(walls, most=4):
    """The ways out, at most `most` for each gate state and height."""
    out = []
    for gate_name, gate_top in (('up', GATE_UP), ('down', GATE_DOWN)):
        for height_name, lift in (('standing', STAND), ('jumping', JUMP)):
            for found in flood(walls, gate_top, lift)[:most]:
                out.append('gates %s, %s: %s' % (gate_name, height_name, found))
    return out
