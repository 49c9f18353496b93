"""What the town generator's parts share: rows, walls, level quads, block faces, roofs."""
import math
import os

from geometry import FACINGS, apply, compose, dot, norm, sub
import pieces
import town

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))
EPS = 1e-6
GX0, GX1, GZ0, GZ1 = town.GROUND


def fmt(v):
    s = ('%.4f' % v).rstrip('0').rstrip('.')
    return '0' if s in ('-0', '') else s


class Row:
    def __init__(self, model, t, rotations, note=''):
        self.model, self.t, self.rotations, self.note = model, tuple(t), list(rotations), note


class Wall:
    def __init__(self, a, b, gate='NONE', note=''):
        self.a, self.b, self.gate, self.note = tuple(a), tuple(b), gate, note

    def kind(self):
        if self.a[1] == self.b[1]:
            return 'floor'
        return 'z' if self.a[2] == self.b[2] else 'x'


# Level quads: slot and four corners (x, y, z, u, v) counter-clockwise from the front.
QUADS = []


def quad(slot, corners, note=''):
    QUADS.append((slot, [tuple(c) for c in corners], note))


TEX = 0.5  # one texture repeat per two units


def wall_quad(slot, facing, plane, a, b, y0, y1, note=''):
    """A vertical rectangle on a wall plane, seen from `facing`, between a and b along
    the wall and y0..y1."""
    if b - a < 1e-4 or y1 - y0 < 1e-4:
        return
    if facing == '+z':
        c = [(a, y0, plane, a, y0), (b, y0, plane, b, y0), (b, y1, plane, b, y1), (a, y1, plane, a, y1)]
    elif facing == '-z':
        c = [(b, y0, plane, -b, y0), (a, y0, plane, -a, y0), (a, y1, plane, -a, y1), (b, y1, plane, -b, y1)]
    elif facing == '+x':
        c = [(plane, y0, b, -b, y0), (plane, y0, a, -a, y0), (plane, y1, a, -a, y1), (plane, y1, b, -b, y1)]
    else:
        c = [(plane, y0, a, a, y0), (plane, y0, b, b, y0), (plane, y1, b, b, y1), (plane, y1, a, a, y1)]
    quad(slot, [(x, y, z, u * TEX, v * TEX) for x, y, z, u, v in c], note)


def wall_with_holes(slot, facing, plane, a, b, y0, y1, holes, note=''):
    """A wall rectangle with rectangular openings (a0, a1, h0, h1) cut out of it."""
    holes = sorted(h for h in holes if h[1] > a and h[0] < b)
    pos = a
    for h0a, h1a, hy0, hy1 in holes:
        wall_quad(slot, facing, plane, pos, h0a, y0, y1, note)
        wall_quad(slot, facing, plane, h0a, h1a, y0, hy0, note)
        wall_quad(slot, facing, plane, h0a, h1a, hy1, y1, note)
        pos = h1a
    wall_quad(slot, facing, plane, pos, b, y0, y1, note)


def flat_quad(slot, x0, x1, z0, z1, y, up=True, note=''):
    if up:
        c = [(x0, y, z1), (x1, y, z1), (x1, y, z0), (x0, y, z0)]
    else:
        c = [(x0, y, z0), (x1, y, z0), (x1, y, z1), (x0, y, z1)]
    quad(slot, [(x, yy, z, x * TEX, -z * TEX) for x, yy, z in c], note)


def box(slot, x0, x1, y0, y1, z0, z1, note=''):
    """A solid's top and four sides."""
    flat_quad(slot, x0, x1, z0, z1, y1, True, note)
    wall_quad(slot, '+z', z1, x0, x1, y0, y1, note)
    wall_quad(slot, '-z', z0, x0, x1, y0, y1, note)
    wall_quad(slot, '+x', x1, z0, z1, y0, y1, note)
    wall_quad(slot, '-x', x0, z0, z1, y0, y1, note)


# ---------------------------------------------------------------------------------------
# Faces of the blocks and what of them is open to the street.

def faces_of(bl):
    """(facing, plane, lo, hi) of a block's four walls."""
    return [('-z', bl.z0, bl.x0, bl.x1), ('+z', bl.z1, bl.x0, bl.x1),
            ('-x', bl.x0, bl.z0, bl.z1), ('+x', bl.x1, bl.z0, bl.z1)]


OPPOSITE = {'+x': '-x', '-x': '+x', '+z': '-z', '-z': '+z'}

# Footprints of the catalogue houses (bodies), which cover the walls they stand against.
HOUSE_BODIES = [(-63.6, -59.3, 10.5, 14.5), (-90.4, -86.1, 9.5, 13.5), (-90.4, -86.1, 29.5, 33.5)]


def subtract(intervals, lo, hi):
    out = []
    for a, b in intervals:
        if hi <= a or lo >= b:
            out.append((a, b))
            continue
        if lo > a:
            out.append((a, lo))
        if hi < b:
            out.append((hi, b))
    return [(a, b) for a, b in out if b - a > 1e-3]


def open_parts(bl, blocks, facing, plane, lo, hi):
    parts = [(lo, hi)]
    for other in blocks:
        if other is bl:
            continue
        for f, p, a, b in faces_of(other):
            if f == OPPOSITE[facing] and abs(p - plane) < EPS:
                parts = subtract(parts, a, b)
    for x0, x1, z0, z1 in HOUSE_BODIES:
        rect_faces = [('-z', z0, x0, x1), ('+z', z1, x0, x1), ('-x', x0, z0, z1), ('+x', x1, z0, z1)]
        for f, p, a, b in rect_faces:
            if f == OPPOSITE[facing] and abs(p - plane) < EPS:
                parts = subtract(parts, a, b)
    return parts


def faces_outward(facing, plane):
    """A wall on or beyond the ground's edge that looks away from the town."""
    return ((facing == '-z' and plane <= GZ0 + EPS) or (facing == '+z' and plane >= GZ1 - EPS) or
            (facing == '-x' and plane <= GX0 + EPS) or (facing == '+x' and plane >= GX1 - EPS))


def clip_to_ground(facing, plane, a, b):
    """The part of a wall the wall table can hold: inside the ground's rectangle."""
    if facing in ('+z', '-z'):
        if not (GZ0 - EPS <= plane <= GZ1 + EPS):
            return None
        a, b = max(a, GX0), min(b, GX1)
    else:
        if not (GX0 - EPS <= plane <= GX1 + EPS):
            return None
        a, b = max(a, GZ0), min(b, GZ1)
    return (a, b) if b - a > 1e-3 else None


def wall_segment(facing, plane, a, b, y0, y1, gate='NONE', note=''):
    if facing in ('+z', '-z'):
        return Wall((a, y0, plane), (b, y1, plane), gate, note)
    return Wall((plane, y0, a), (plane, y1, b), gate, note)


# ---------------------------------------------------------------------------------------
# Roof geometry.

def ridge_height(bl):
    half = (bl.z1 - bl.z0) / 2 if bl.ridge == 'x' else (bl.x1 - bl.x0) / 2
    return bl.height + half * math.tan(math.radians(bl.pitch))


OVERHANG = 0.2


def roof_slopes(bl):
    """Each slope as (outward horizontal facing, eave point function): returns dicts with
    the slope's unit normal, a point on it and its extent."""
    if bl.garden or bl.ridge is None:
        return []
    t = math.tan(math.radians(bl.pitch))
    rh = ridge_height(bl)
    slopes = []
    if bl.ridge == 'x':
        zm = (bl.z0 + bl.z1) / 2
        for facing, edge in (('-z', bl.z0), ('+z', bl.z1)):
            s = -1 if facing == '-z' else 1
            n = norm((0, 1, s * t))
            slopes.append(dict(block=bl, facing=facing, normal=n, ridge=(zm, rh), edge=edge, along=(bl.x0, bl.x1),
                               pitch=bl.pitch, axis='x'))
    else:
        xm = (bl.x0 + bl.x1) / 2
        for facing, edge in (('-x', bl.x0), ('+x', bl.x1)):
            s = -1 if facing == '-x' else 1
            n = norm((s * t, 1, 0))
            slopes.append(dict(block=bl, facing=facing, normal=n, ridge=(xm, rh), edge=edge, along=(bl.z0, bl.z1),
                               pitch=bl.pitch, axis='z'))
    return slopes


def roof_point(slope, along, frac):
    """The point on a slope at `along` (x for a ridge along x, z otherwise) and `frac`
    of the way from the ridge (0) to the eave (1)."""
    rc, rh = slope['ridge']
    edge = slope['edge']
    t = math.tan(math.radians(slope['pitch']))
    across = rc + (edge - rc) * frac
    y = rh - abs(across - rc) * t
    return (along, y, across) if slope['axis'] == 'x' else (across, y, along)


def emit_roof(bl, slot):
    if bl.garden:
        flat_quad(town.SLOT_STONE, bl.x0, bl.x1, bl.z0, bl.z1, bl.height, True, bl.name)
        return
    h, rh = bl.height, ridge_height(bl)
    t = math.tan(math.radians(bl.pitch))
    drop = OVERHANG * t
    if bl.ridge == 'x':
        zm = (bl.z0 + bl.z1) / 2
        x0, x1 = bl.x0, bl.x1
        za, zb = bl.z0 - OVERHANG, bl.z1 + OVERHANG
        run = math.hypot(zm - za, rh - (h - drop)) * TEX
        # the slope facing -z, seen from above and in front: eave then ridge
        quad(town.SLOT_ROOF, [(x1, h - drop, za, 0, 0), (x0, h - drop, za, (x1 - x0) * TEX, 0),
                              (x0, rh, zm, (x1 - x0) * TEX, run), (x1, rh, zm, 0, run)], bl.name + ' roof')
        quad(town.SLOT_ROOF, [(x0, h - drop, zb, 0, 0), (x1, h - drop, zb, (x1 - x0) * TEX, 0),
                              (x1, rh, zm, (x1 - x0) * TEX, run), (x0, rh, zm, 0, run)], bl.name + ' roof')
        # gable ends as two half triangles each, coplanar pairs
        for facing, x in (('-x', x0), ('+x', x1)):
            if facing == '-x':
                tri1 = [(x, h, bl.z0), (x, h, zm), (x, rh, zm)]
                tri2 = [(x, h, zm), (x, h, bl.z1), (x, rh, zm)]
            else:
                tri1 = [(x, h, bl.z1), (x, h, zm), (x, rh, zm)]
                tri2 = [(x, h, zm), (x, h, bl.z0), (x, rh, zm)]
            gable(slot, tri1, tri2, facing, bl.name)
    else:
        xm = (bl.x0 + bl.x1) / 2
        z0, z1 = bl.z0, bl.z1
        xa, xb = bl.x0 - OVERHANG, bl.x1 + OVERHANG
        run = math.hypot(xm - xa, rh - (h - drop)) * TEX
        quad(town.SLOT_ROOF, [(xa, h - drop, z0, 0, 0), (xa, h - drop, z1, (z1 - z0) * TEX, 0),
                              (xm, rh, z1, (z1 - z0) * TEX, run), (xm, rh, z0, 0, run)], bl.name + ' roof')
        quad(town.SLOT_ROOF, [(xb, h - drop, z1, 0, 0), (xb, h - drop, z0, (z1 - z0) * TEX, 0),
                              (xm, rh, z0, (z1 - z0) * TEX, run), (xm, rh, z1, 0, run)], bl.name + ' roof')
        for facing, z in (('-z', z0), ('+z', z1)):
            if facing == '+z':
                tri1 = [(bl.x0, h, z), (xm, h, z), (xm, rh, z)]
                tri2 = [(xm, h, z), (bl.x1, h, z), (xm, rh, z)]
            else:
                tri1 = [(bl.x1, h, z), (xm, h, z), (xm, rh, z)]
                tri2 = [(xm, h, z), (bl.x0, h, z), (xm, rh, z)]
            gable(slot, tri1, tri2, facing, bl.name)


def wall_plane(bl, facing):
    return {'-z': bl.z0, '+z': bl.z1, '-x': bl.x0, '+x': bl.x1}[facing]


def pentice_slope(pe, host):
    """A pentice as a roof slope: its 'ridge' is the line where it meets the wall."""
    t = math.tan(math.radians(pe.pitch))
    wall = wall_plane(host, pe.facing)
    s = 1 if pe.facing[0] == '+' else -1
    n = norm((0, 1, s * t)) if pe.facing[1] == 'z' else norm((s * t, 1, 0))
    return dict(block=host, facing=pe.facing, normal=n, ridge=(wall, pe.eave + pe.depth * t), edge=wall + s * pe.depth,
                along=(pe.a, pe.b), pitch=pe.pitch, axis='x' if pe.facing[1] == 'z' else 'z', pentice=pe)


def emit_pentice(pe, host):
    """The pentice's boarded top, its underside, and a bracket arm out from the wall under
    the eave at each end and every two units between."""
    sl = pentice_slope(pe, host)
    wall, top = sl['ridge']
    edge = sl['edge']

    def at(along, across, y):
        return (along, y, across) if sl['axis'] == 'x' else (across, y, along)

    a, b = pe.a, pe.b
    run = math.hypot(pe.depth, top - pe.eave) * TEX
    c = [at(a, edge, pe.eave), at(b, edge, pe.eave), at(b, wall, top), at(a, wall, top)]
    # counter-clockwise seen from above: flip the order where along and outward make a left turn
    if (pe.facing in ('-z', '+x')):
        c = [c[1], c[0], c[3], c[2]]
    uv = [(0, 0), ((b - a) * TEX, 0), ((b - a) * TEX, run), (0, run)]
    quad(town.SLOT_ROOF, [p + q for p, q in zip(c, uv)], pe.note)
    quad(town.SLOT_TIMBER, [p + q for p, q in zip(reversed(c), reversed(uv))], pe.note + ', underside')
    count = max(int((b - a) / 2.0), 1)
    lo_out, hi_out = sorted((wall, edge))
    y0, y1, note = pe.eave - 0.12, pe.eave - 0.02, pe.note + ', bracket'
    for k in range(count + 1):
        m = a + 0.1 + (b - a - 0.2) * k / count
        if sl['axis'] == 'x':
            box(town.SLOT_TIMBER, m - 0.05, m + 0.05, y0, y1, lo_out, hi_out, note)
            flat_quad(town.SLOT_TIMBER, m - 0.05, m + 0.05, lo_out, hi_out, y0, False, note)  # seen from below
        else:
            box(town.SLOT_TIMBER, lo_out, hi_out, y0, y1, m - 0.05, m + 0.05, note)
            flat_quad(town.SLOT_TIMBER, lo_out, hi_out, m - 0.05, m + 0.05, y0, False, note)


GABLES = []  # lone triangles, written in coplanar pairs


def gable(slot, tri1, tri2, facing, name):
    def uv(p):
        u = p[2] if facing in ('-x', '+x') else p[0]
        if facing in ('+x', '-z'):
            u = -u
        return (p[0], p[1], p[2], u * TEX, p[1] * TEX)
    GABLES.append((slot, [uv(p) for p in tri1], [uv(p) for p in tri2], name + ' gable'))


# ---------------------------------------------------------------------------------------
# Facade pieces.

def facing_of(model, rotations):
    f = apply(compose(rotations), pieces.FACADE[model].front)
    for name, v in FACINGS.items():
        if dot(f, v) > 0.85:
            return name
    return None


def place_facade(model, rotations, facing, plane, along, bottom):
    """The translation that puts a facade piece's mount point on a wall."""
    piece = pieces.FACADE[model]
    r = compose(rotations)
    if facing in ('+z', '-z'):
        w = (along, bottom, plane)
    else:
        w = (plane, bottom, along)
    return sub(w, apply(r, piece.mount))


# ---------------------------------------------------------------------------------------

class Face:
    def __init__(self, bl, facing, plane, a, b):
        self.block, self.facing, self.plane, self.a, self.b = bl, facing, plane, a, b
        self.items = []   # (model, rotations, y)
        self.holes = []
        self.reserved = []  # (a, b, bands): wall kept clear of pieces under a pentice

    def length(self):
        return self.b - self.a


