"""The layout rows: fixed pieces, the facade pieces dealt to the street walls, the roof
pieces laid on the roofs, and the level geometry that is not a block (ground, steps,
rails, the canopy's walls)."""
import math

from common import (Row, box, compose, facing_of, flat_quad, open_parts, pentice_slope, place_facade, quad, roof_point,
                    roof_slopes, wall_plane)
from geometry import X_AXIS, Y_AXIS, Z_AXIS, add, apply, dot, rot, scale, sub
import pieces
import requirements
import town

X, Y, Z = X_AXIS, Y_AXIS, Z_AXIS

# The stretches of the table between its fixed rows, in order: the groups of blocks whose
# pieces fill each. Each stretch ends with fixed rows (build_layout), whose numbers in the
# requirements say how many rows the stretch holds.
SECTIONS = [
    ['east', 'lantern', 'north', 'square', 'west', 'south', 'lane', 'plaza', 'timbered'],
    ['flight'],
    ['yard33', 'yard21'],
    ['court'],
    ['west-row'],
    ['courtyard-end'],
]


def T(x, y, z):
    return (x, y, z)


# ---------------------------------------------------------------------------------------
# Fixed rows.

def fixed(number, note=''):
    """The row the requirements fix at `number` (from 1)."""
    def plain(v):  # whole numbers as the hand-written rows give them
        return int(v) if v == int(v) else v

    model, t, turns = requirements.FIXED_ROWS[number]
    row = Row(model, tuple(plain(v) for v in t), [(plain(a), tuple(plain(c) for c in axis)) for a, axis in turns], note)
    row.number = number
    return row


def head_rows():
    """Rows 1 to 12: the plank walkway at roof height, the roof strips of the house it
    leaves from, and the post beside the first gate."""
    r = [fixed(1, 'walkway along the eave of house A, going east'), fixed(2)]
    first = fixed(3, 'turning south over the east row')
    r.append(first)
    for z in (-16, -20, -24, -28):  # on south in steps of about a walkway's length
        r.append(Row(first.model, T(first.t[0], first.t[1], z), first.rotations))
    r.append(fixed(8, 'the far corner'))
    r += [fixed(9, 'house A: boards at its east gable'), fixed(10), fixed(11)]
    r.append(fixed(12, 'the post beside the north gate'))
    return r


def timbered_rows():
    """Rows 328 to 341: the half-timbered facade on the stepped street."""
    r = []
    r.append(fixed(328, 'the half-timbered house on the stepped street'))
    r.append(fixed(329))
    r.append(Row('draw_beam_long', T(-34, 0, -3.6), []))
    r.append(Row('draw_beam_long', T(-34, 1.7, -3.6), []))
    for x in (-34, -37.6, -34.7, -36.9):
        r.append(Row('draw_post', T(x, 1.7, -3.65), []))
    r.append(Row('draw_post', T(-34.1, 0, -3.65), []))
    r.append(fixed(337))
    r.append(Row('draw_post', T(-37.4, 0, -3.65), []))
    r.append(Row('draw_window_wide', T(-37.7, -1.6, -2.1), [(180, Y)]))
    r.append(Row('draw_window_narrow', T(-35.5, -1.6, -2.1), [(180, Y)]))
    r.append(fixed(341))
    return r


# The two turned houses: their frames (origin, turn about y) and the roof's local box.
TURNED33 = ((-54.8, 0.0, -3.2), 33)
TURNED21 = ((-74.0, 0.0, -3.0), 21)
ROOF_LOCAL = (-4.3, -0.3, -4.4, 3.5)  # x0, x1, z0, z1 of the gable roof model
TURNED_WALL = 4.0


def turned_point(frame, p):
    origin, angle = frame
    return add(origin, apply(rot(angle, Y), p))


def turned_piece(frame, model, rotations, local_wall_point):
    """A facade piece on a turned house's wall: `local_wall_point` is its mount point in
    the house's frame."""
    piece = pieces.FACADE[model]
    w = turned_point(frame, local_wall_point)
    return sub(w, apply(compose(rotations), piece.mount))


def turned_rafter(frame, model, turn, sign, along_x):
    """A rafter along a gable edge of a turned house's +z end, from the eave at local x
    `along_x` up toward the ridge."""
    origin, angle = frame
    rotations = [(turn, Y), (sign * 45, Z)]
    bottom = pieces.RAFTER_BOTTOM[model]
    p = (along_x - (0.2 if sign < 0 else 0.0), TURNED_WALL, ROOF_LOCAL[3] + 0.37)
    t = sub(turned_point(frame, p), apply(compose(rotations), (0, bottom, 0)))
    return Row(model, t, rotations)


def turned33_rows():
    """Rows 375 on: the house turned 33 degrees in its walled yard, with its balcony."""
    r = [fixed(375, 'the house turned 33 degrees, in its yard'), fixed(376)]
    return r


def turned33_more():
    f = TURNED33
    z = ROOF_LOCAL[3]
    r = []
    for x in (-3.95, -0.65):
        r.append(Row('draw_window_three_pane', turned_piece(f, 'draw_window_three_pane', [(124, Y)], (x, 0.4, z)),
                     [(124, Y)]))
    r.append(Row('draw_window_double', turned_piece(f, 'draw_window_double', [(124, Y)], (-2.3, 2.2, z)),
                 [(124, Y)]))
    for y in (0.0, 1.8):
        r.append(Row('draw_beam_long', turned_piece(f, 'draw_beam_long', [(33, Y)], (-2.3, y + 2.0, z)), [(33, Y)]))
    for x in (-4.2, -0.4):
        r.append(Row('draw_post', turned_piece(f, 'draw_post', [(33, Y)], (x, 0.3, z)), [(33, Y)]))
    r.append(turned_rafter(f, 'draw_rafter_3_0', 33, 1, ROOF_LOCAL[1]))
    r.append(turned_rafter(f, 'draw_rafter_3_0', 33, -1, ROOF_LOCAL[0] + 0.2))
    return r


def turned21_rows():
    f = TURNED21
    z = ROOF_LOCAL[3]
    r = [Row('draw_gable_roof', T(*f[0]), [(21, Y)], 'the house turned 21 degrees, behind the courtyard wall')]
    for y in (-1.8, 0.0, 1.8):
        r.append(Row('draw_beam_long', turned_piece(f, 'draw_beam_long', [(21, Y)], (-2.3, y + 2.0, z)), [(21, Y)]))
    for x, y in ((-4.2, 0.0), (-0.4, 0.0), (-2.3, 2.2), (-4.2, 2.0)):
        r.append(Row('draw_post', turned_piece(f, 'draw_post', [(21, Y)], (x, y + 0.3, z)), [(21, Y)]))
    r.append(Row('draw_window_wide', turned_piece(f, 'draw_window_wide', [(-160, Y)], (-3.0, 0.4, z)), [(-160, Y)]))
    for x, y in ((-1.4, 0.4), (-3.2, 2.3), (-1.4, 2.3)):
        r.append(Row('draw_window_narrow', turned_piece(f, 'draw_window_narrow', [(-160, Y)], (x, y, z)),
                     [(-160, Y)]))
    r.append(turned_rafter(f, 'draw_rafter_3_0', 23, 1, ROOF_LOCAL[1]))
    r.append(turned_rafter(f, 'draw_rafter_3_0', 23, -1, ROOF_LOCAL[0] + 0.2))
    return r


def court_end_rows():
    r = [fixed(550, 'the courtyard: canopy over the way home, orb, arcade'), fixed(551), fixed(552)]
    r += [fixed(n) for n in range(553, 557)]  # the stained glass above the arcade
    r.append(fixed(557, 'a lean-to by the porch of the west house'))
    return r


# ---------------------------------------------------------------------------------------
# Level geometry that is not a block.

FLIGHT = [(-42.0, -41.8, 0.2), (-42.2, -42.0, 0.4), (-42.4, -42.2, 0.6), (-42.6, -42.4, 0.7), (-44.5, -42.6, 1.0)]
FLIGHT_Z = (-2.3, -1.9)
STOOP = [(3.25, 3.45, 0.25), (3.45, 4.0, 0.5)]
STOOP_X = (-46.2, -45.2)
PLANTER = (-9.0, -6.0, 2.0, 4.0, 1.2)   # x0, x1, z0, z1, height: a stone planter in the square
FLOOR_BELOW = -0.4
CANOPY_RAILS = (-76.805, -75.005)  # the x of the canopy's rails, which hold the player under it
CANOPY_END = 20.5


def fixed_level():
    # the ground reaches far under the sky so no gap shows at the horizon
    flat_quad(town.SLOT_GROUND, -250.0, 150.0, -160.0, 190.0, 0.0, True, 'ground')
    # the flight up to the raised door, its rails
    zf0, zf1 = FLIGHT_Z
    # every block reaches under the landing: the fronts of neighbouring blocks overlap
    # instead of meeting at an edge, where a seam of light showed (their texture is laid
    # in world coordinates, so the overlap shows the same texels)
    for _, x1, top in FLIGHT:
        box(town.SLOT_STONE, FLIGHT[-1][0], x1, FLOOR_BELOW, top, zf0, zf1, 'step')
    # the balustrade's front is flush with the steps' fronts: standing out over the landing
    # it showed a light seam under it, having no underside
    box(town.SLOT_STONE, -44.5, -42.2, 1.0, 1.5, zf1 - 0.1, zf1, 'flight balustrade')
    box(town.SLOT_STONE, -44.6, -44.5, 0.0, 1.5, -2.6, -1.9, 'flight end')
    box(town.SLOT_TIMBER, -42.6, -41.8, 1.8, 2.0, -1.95, -1.85, 'flight handrail')
    for x in (-42.62, -41.75):
        box(town.SLOT_TIMBER, x - 0.04, x + 0.04, 0.0, 1.8, -1.94, -1.86, 'handrail post')
    # the stoop
    for z0, z1, top in STOOP:
        box(town.SLOT_STONE, STOOP_X[0], STOOP_X[1], FLOOR_BELOW, top, z0, z1, 'stoop')
    x0, x1, z0, z1, h = PLANTER
    box(town.SLOT_STONE, x0, x1, FLOOR_BELOW, h, z0, z1, 'planter')
    flat_quad(5, x0 + 0.15, x1 - 0.15, z0 + 0.15, z1 - 0.15, h + 0.01, True, 'planter earth')
    # the wall closing the canopy's far end, behind the orb; its sides are the canopy's
    # own rails and posts
    box(town.SLOT_STONE, -76.85, -74.95, 0.0, 2.0, CANOPY_END, CANOPY_END + 0.1, 'canopy end')
    # the turned houses' walls, under their roofs
    for frame in (TURNED33, TURNED21):
        turned_walls(frame)


def turned_walls(frame):
    x0, x1, z0, z1 = ROOF_LOCAL
    corners = [(x0, z0), (x1, z0), (x1, z1), (x0, z1)]
    slot = 12
    for k in range(4):
        (ax, az), (bx, bz) = corners[k], corners[(k + 1) % 4]
        # outward faces: the corners run counter-clockwise seen from above, so each wall
        # seen from outside runs from b to a
        p = [turned_point(frame, (bx, 0, bz)), turned_point(frame, (ax, 0, az)),
             turned_point(frame, (ax, TURNED_WALL, az)), turned_point(frame, (bx, TURNED_WALL, bz))]
        length = math.hypot(ax - bx, az - bz)
        uv = [(0, 0), (length * 0.5, 0), (length * 0.5, 2), (0, 2)]
        quad(slot, [(q[0], q[1], q[2], u, v) for q, (u, v) in zip(p, uv)], 'turned house wall')


# ---------------------------------------------------------------------------------------
# Facade pieces dealt to the street walls.

GAP = 0.35          # clear wall between neighbouring pieces
CORNER = 0.3        # clear wall at a face's ends
BANDS = ('ground', 'upper', 'top', 'deck')


def band_of(model, y):
    piece = pieces.FACADE[model]
    bottom = y + piece.mount[1]
    if model in ('draw_deck_large', 'draw_deck_small'):
        return 'deck'
    if bottom < 1.9:
        return 'ground'
    if bottom < 3.9:
        return 'upper'
    return 'top'


def top_of(model, y):
    piece = pieces.FACADE[model]
    return y + piece.mount[1] + piece.height


DECKS = ('draw_deck_large', 'draw_deck_small')


def under_eave(face, model, y):
    """Whether a piece at height y stays below its wall's eave: a deck may reach right up to
    it, anything else keeps a strip of wall clear."""
    if model in DECKS:
        return top_of(model, y) <= face.block.height
    return top_of(model, y) <= face.block.height - 0.15


# The heights each band's pieces reach on the wall, to keep them clear of pentices.
BAND_REACH = {'ground': (0.0, 2.3), 'upper': (1.9, 5.8), 'top': (3.9, 7.0), 'deck': (4.4, 6.0)}


def pentice_bands(pe):
    """The bands a pentice cuts through: those reaching up to where it meets the wall. A
    band wholly under it stays, the roof rising clear above the pieces' frames."""
    top = pe.eave + pe.depth * math.tan(math.radians(pe.pitch))
    return [band for band, (lo, hi) in BAND_REACH.items() if lo < top and hi > top - 0.5]


EDGE_KEEP = 0.9  # a piece's translation may lie this far along the wall from its middle


def reserve_walls(faces, blocks):
    """Keeps wall clear where pentices meet it, and at the ends of walls reaching so far
    out of the town that a piece there would stand outside it."""
    by_name = {bl.name: bl for bl in blocks}
    for pe in town.town_pentices():
        plane = wall_plane(by_name[pe.host], pe.facing)
        for f in faces:
            if f.facing == pe.facing and abs(f.plane - plane) < 1e-6 and f.a < pe.b and f.b > pe.a:
                f.reserved.append((max(f.a, pe.a), min(f.b, pe.b), pentice_bands(pe)))
    for f in faces:
        lo, hi = TOWN_BOX[0] if f.facing[1] == 'z' else TOWN_BOX[2]
        if f.a < lo + EDGE_KEEP:
            f.reserved.append((f.a, lo + EDGE_KEEP, BANDS))
        if f.b > hi - EDGE_KEEP:
            f.reserved.append((hi - EDGE_KEEP, f.b, BANDS))


def fits(face, model, y):
    """Whether a piece at height y fits on the face's wall and in its band."""
    if not under_eave(face, model, y):
        return False
    band = band_of(model, y)
    used = sum(pieces.FACADE[m].width + GAP for m, _, yy, _ in face.items if band_of(m, yy) == band)
    used += sum(b - a + GAP for a, b, bands in face.reserved if band in bands)
    return used + pieces.FACADE[model].width + GAP <= face.length() - 2 * CORNER + GAP


def facade_pool(fixed_rows):
    """Every facade row the table holds, minus the ones placed by hand."""
    pool = []
    taken = {}
    for row in fixed_rows:
        if row.model in pieces.FACADE_QUOTA:
            key = (row.model, repr(row.rotations))
            taken[key] = taken.get(key, 0) + 1
    for model, entries in pieces.FACADE_QUOTA.items():
        for rotations, count in entries:
            key = (model, repr(rotations))
            n = count - taken.get(key, 0)
            assert n >= 0, key
            pool += [(model, rotations)] * n
    return pool


def default_heights(model, k):
    choices = pieces.HEIGHTS[model][0]
    return choices[k % len(choices)]


def deal_facades(pool, faces):
    """Deals the pool's pieces to the faces that look the way each piece faces, the
    emptiest face first, so each street wall gets its share."""
    by_facing = {}
    for model, rotations in pool:
        f = facing_of(model, rotations)
        by_facing.setdefault(f, []).append((model, rotations))
    left = []
    counter = {}
    for facing, items in sorted(by_facing.items(), key=lambda kv: str(kv[0])):
        # interleave the models so a face gets a mix
        groups = {}
        for it in items:
            groups.setdefault(it[0], []).append(it)
        order = []
        while any(groups.values()):
            for m in sorted(groups):
                if groups[m]:
                    order.append(groups[m].pop())
        cands = [f for f in faces if f.facing == facing]
        for model, rotations in order:
            k = counter.get(model, 0)
            counter[model] = k + 1
            heights = pieces.HEIGHTS[model][0]
            placed = False
            for face in sorted(cands, key=lambda f: (len(f.items) / max(f.length(), 0.1), f.order)):
                for j in range(len(heights)):
                    y = heights[(k + j) % len(heights)]
                    if fits(face, model, y):
                        face.items.append((model, rotations, y, None))
                        placed = True
                        break
                if placed:
                    break
            if not placed:
                left.append((model, rotations))
    return left


def set_extremes(faces):
    """The first row of each model takes its lowest height and the last its highest. When
    no wall carrying the model is tall enough for its highest, one of its pieces moves to
    a wall facing the same way that is."""
    for model, (choices, lo, hi) in pieces.HEIGHTS.items():
        for want, last in ((lo, False), (hi, True)):
            slots = [(f, i) for f in faces for i, it in enumerate(f.items) if it[0] == model]
            if last:
                slots.reverse()
            done = False
            for face, i in slots:
                m, rot_, y, at = face.items[i]
                if y == want:
                    done = True
                    break
                face.items[i] = (m, rot_, want, at)
                if under_eave(face, m, want):
                    done = True
                    break
                face.items[i] = (m, rot_, y, at)
            if done or not slots:
                continue
            for face, i in slots:
                m, rot_, y, at = face.items[i]
                if at is not None:
                    continue
                facing = facing_of(m, rot_)
                dest = next((f for f in faces if f.facing == facing and fits(f, m, want)), None)
                if dest is not None:
                    del face.items[i]
                    dest.items.append((m, rot_, want, None))
                    break


def free_intervals(face, band):
    free = [(face.a + CORNER, face.b - CORNER)]
    taken = [(at, pieces.FACADE[model].width / 2 + GAP / 2) for model, _, y, at in face.items
             if at is not None and band_of(model, y) == band]
    taken += [((a + b) / 2, (b - a) / 2 + GAP / 2) for a, b, bands in face.reserved if band in bands]
    for at, w in taken:
        out = []
        for a, b in free:
            if at + w <= a or at - w >= b:
                out.append((a, b))
                continue
            if at - w > a:
                out.append((a, at - w))
            if at + w < b:
                out.append((at + w, b))
        free = out
    return free


def place_face_items(face):
    """Spreads each band's pieces evenly over the free parts of the face; returns the rows
    (pieces placed by hand keep their place)."""
    rows = []
    for band in BANDS:
        items = [it for it in face.items if band_of(it[0], it[2]) == band]
        loose = [it for it in items if it[3] is None]
        free = free_intervals(face, band)
        total = sum(b - a for a, b in free)
        widths = sum(pieces.FACADE[it[0]].width for it in loose)
        gap = (total - widths) / max(len(loose), 1)
        positions = {}
        cursor_i, cursor = 0, free[0][0] + gap / 2 if free else 0
        for idx, it in enumerate(items):
            if it[3] is not None:
                continue
            w = pieces.FACADE[it[0]].width
            while cursor_i < len(free) and cursor + w > free[cursor_i][1] + 1e-6:
                cursor_i += 1
                if cursor_i < len(free):
                    cursor = free[cursor_i][0] + gap / 2
            if cursor_i >= len(free):
                cursor_i = len(free) - 1
            positions[idx] = cursor + w / 2
            cursor += w + gap
        for idx, (model, rotations, y, at) in enumerate(items):
            along = at if at is not None else positions[idx]
            piece = pieces.FACADE[model]
            # y is the height of the translation; a tilted piece's mount point sits where its
            # tilt takes it
            bottom = y + apply(compose(rotations), piece.mount)[1]
            t = place_facade(model, rotations, face.facing, face.plane, along, bottom)
            rows.append(Row(model, t, rotations))
            if piece.hole:
                face.holes.append((along - piece.width / 2, along + piece.width / 2, y, y + piece.height))
    return rows


# ---------------------------------------------------------------------------------------
# Roof pieces.

def resolve(template, angle):
    """A template's rotations with its free angle: about z unless it stands alone or
    after a quarter turn about y, where the free turn is about y or z as the pattern says."""
    out = []
    for i, entry in enumerate(template):
        if isinstance(entry[0], str):
            axis = Z
            if i == 1 and template[0][1] == Z:      # 90 about z, then the pitch about y
                axis = Y
            out.append((angle * entry[1], axis))
        else:
            out.append(entry)
    return out


def strip_fit(rotations, slope):
    r = compose(rotations)
    n = apply(r, Z)
    return abs(dot(n, slope['normal']))


def choose(template, angles, slopes, used):
    best = None
    for s_i, s in enumerate(slopes):
        for a in (angles if angles else [None]):
            rotations = resolve(template, a) if a is not None else list(template)
            fit = strip_fit(rotations, s)
            score = fit - 0.02 * used.get(s_i, 0)
            if best is None or score > best[0]:
                best = (score, s_i, rotations)
    return best


def lay_strip(model, rotations, slope, cursor, lane=None):
    """Translation that lays a board strip on a slope, its middle at the slope's cursor;
    `lane` (0 at the ridge, 1 at the eave) overrides the cursor's own lane."""
    length, ymid = pieces.STRIP[model]
    r = compose(rotations)
    d, b = apply(r, X), apply(r, Y)
    axis = X if slope['axis'] == 'x' else Z
    extent = abs(dot(d, axis)) * length + abs(dot(b, axis)) * 0.65
    lo, hi = slope['along']
    room = hi - lo - 0.2
    step = extent + 0.1
    along = lo + 0.1 + (cursor * step) % max(room - extent, 0.1) + extent / 2
    if lane is None:
        lane = 0.5 if int(cursor * step // max(room - extent, 0.1)) % 2 == 0 else 0.7
    p = roof_point(slope, along, lane)
    n = slope['normal']
    centre = add(p, scale(n, 0.06))
    return sub(centre, apply(r, (length / 2, ymid, 0)))


def lay_chimney(model, rotations, slope, k, want_y):
    lo, hi = slope['along']
    rc, rh = slope['ridge']
    t = math.tan(math.radians(slope['pitch']))
    half = abs(slope['edge'] - rc)
    frac = min(max((rh - (want_y + 0.35)) / max(half * t, 0.01), 0.1), 0.9)
    along = lo + (hi - lo) * (0.3 + 0.4 * ((k * 0.37) % 1.0))
    p = roof_point(slope, along, frac)
    r = compose(rotations)
    c = (-0.5 if model == 'draw_chimney_wide' else -0.25, 0.1, -0.75)
    return sub(add(p, (0, -0.25, 0)), apply(r, c))


def chimney_y(model, k):
    lo, hi = CHIMNEY_HEIGHTS[model]
    return spread(lo, hi, k)


def chimney_reaches(slope, want_y):
    """Whether a chimney standing at want_y sits on the slope between eave and ridge."""
    rc, rh = slope['ridge']
    foot = want_y + 0.35
    return slope['block'].height + 0.1 <= foot <= rh - 0.1


# ---------------------------------------------------------------------------------------

def gate_posts():
    """Posts on stone bases beside three of the gates."""
    rows = []
    for cx, cz, note in ((-30.0, 4.3, 'the post by the plaza gate'), (-35.0, 0.3, 'the post by the stepped street gate'),
                         (-61.9, 3.2, 'the post by the courtyard gate')):
        rows.append(Row('draw_post_on_base', T(cx + 0.3, 0, cz + 0.5), [], note))
    return rows


def ramp_row():
    return Row('draw_plank_walkway', T(7.0, 2.15, -14.9), [(41, X)], 'a plank ramp rising under the bridge')


def west_street_timbers():
    """A second half-timbered front, on the west street: two beams at the first floor and
    posts below and above them."""
    rows = []
    z = 6.0 - 0.5
    for x in (-21.9, -17.1):
        rows.append(Row('draw_beam_long', T(x + 0.0, 0.0, z), []))
    for x in (-25.4, -22.1, -21.3, -17.6):
        rows.append(Row('draw_post', T(x + 0.5, 0.0, z), []))
        rows.append(Row('draw_post', T(x + 0.5, 2.2, z), []))
    return rows


def seeded_doors():
    """The doors behind the stepped thresholds: one over the flight's landing, one over
    the stoop. (face name, facing, model, rotations, y, along)"""
    return [('C1', '+z', 'draw_door_framed', [(-90, Y)], 1.0, -43.55),
            ('D1', '-z', 'draw_door_framed', [(90, Y)], 0.5, -45.7)]


def section_of(group):
    for k, groups in enumerate(SECTIONS):
        if group in groups:
            return k
    raise KeyError(group)


def roof_pool():
    items = []
    for model, template, angles, count in pieces.ROOF_QUOTA:
        items += [('strip' if model in pieces.STRIP else 'rafter', model, template, angles)] * count
    for model, rotations, count in pieces.CHIMNEY_QUOTA:
        items += [('chimney', model, rotations, None)] * count
    for rotations, count in pieces.DORMER_QUOTA:
        items += [('dormer', 'draw_dormer', rotations, None)] * count
    return items


def house_slopes(slopes):
    return [s for s in slopes if 'pentice' not in s]


def dormer_slopes(slopes, rotations):
    want = facing_of_dormer(rotations)
    return [s for s in house_slopes(slopes) if s['facing'] == want and 3.4 <= s['block'].height <= 6.0]


def facing_of_dormer(rotations):
    f = apply(compose(rotations), (0, 0, -1))
    for name, v in (('+x', X), ('-x', (-1, 0, 0)), ('+z', Z), ('-z', (0, 0, -1))):
        if dot(f, v) > 0.999:
            return name
    return None


def item_fit(item, slopes, spots):
    kind, model, template, angles = item
    if kind == 'dormer':
        return 1.0 if dormer_slopes(slopes, template) else 0.0
    if kind == 'chimney':
        return 0.9 if house_slopes(slopes) else 0.0
    if kind == 'rafter':
        # rafters go where an open gable or a pentice's end can hold them at their heights
        return 1.05 if rafter_choices(model, template, angles, spots) else 0.0
    best = choose(template, angles, slopes, {})
    return best[0] if best else 0.0


def build_layout(blocks, per_block_faces, street_faces):
    head = head_rows()
    timbered = timbered_rows()
    t33 = turned33_rows()
    t33_more = turned33_more()
    t21 = turned21_rows()
    end = court_end_rows()
    posts = gate_posts()
    timbers = west_street_timbers()
    # the fixed rows that close each section
    tails = [timbered, t33, [fixed(452, 'the house on the courtyard\'s east side')],
             [fixed(516, 'the west house by the lean-to')], [fixed(544, 'the west house behind the arcade')], end]

    by_name = {bl.name: bl for bl in blocks}
    # the faces that carry pieces
    skip = {('HT', '+z'), ('WB5', '+z')}
    faces = [f for f in street_faces if (f.block.name, f.facing) not in skip]
    for order, f in enumerate(faces):
        f.order = order
    taken_rows = head + timbered + t33 + t33_more + t21 + end + posts + timbers
    seeded = []
    for name, facing, model, rotations, y, along in seeded_doors():
        face = next(f for f in faces if f.block.name == name and f.facing == facing and f.a <= along <= f.b)
        face.items.append((model, rotations, y, along))
        seeded.append(Row(model, (0, 0, 0), rotations))
    reserve_walls(faces, blocks)
    pool = facade_pool(taken_rows + seeded)
    left = deal_facades(pool, faces)
    if left:
        print('towngen: %d facade pieces found no wall: %s' % (len(left), sorted(set(m for m, _ in left))))
    set_extremes(faces)

    # rows per block
    block_rows = {}
    for f in faces:
        block_rows.setdefault(f.block.name, []).extend(place_face_items(f))

    # sections and their room for roof pieces
    fixed_in = {0: [ramp_row()] + timbers + posts[:1], 1: posts[1:2], 2: t33_more + t21 + posts[2:], 3: [], 4: [], 5: []}
    sec_blocks = {k: [] for k in range(len(SECTIONS))}
    for bl in blocks:
        sec_blocks[section_of(bl.group)].append(bl)
    need = {}
    start = len(head) + 1
    for k, tail in enumerate(tails):
        room = tail[0].number - start  # the rows up to the section's closing fixed rows
        have = len(fixed_in[k]) + sum(len(block_rows.get(bl.name, [])) for bl in sec_blocks[k])
        need[k] = room - have
        start = tail[0].number + len(tail)
    pool_r = roof_pool()
    total_need = sum(need.values())
    print('towngen: facade rows by section %s; roof pieces needed %s = %d, have %d' % (
        [len(fixed_in[k]) + sum(len(block_rows.get(bl.name, [])) for bl in sec_blocks[k]) for k in sec_blocks],
        need, total_need, len(pool_r)))

    roof_rows = {k: {} for k in sec_blocks}
    remaining = list(pool_r)
    sec_slopes, sec_spots = {}, {}
    for k in sorted(sec_blocks):
        names = [bl.name for bl in sec_blocks[k]]
        slopes = [s for bl in sec_blocks[k] for s in roof_slopes(bl) if seen_from_town(s)]
        slopes += [pentice_slope(pe, by_name[pe.host]) for pe in town.town_pentices() if pe.host in names]
        spots = rafter_spots(sec_blocks[k], blocks)
        sec_slopes[k], sec_spots[k] = slopes, spots
        n = max(need[k], 0)
        if k == max(sec_blocks):
            chosen = remaining
            remaining = []
        else:
            scored = sorted(range(len(remaining)), key=lambda i: -item_fit(remaining[i], slopes, spots))
            pick = set()
            if k == 0:
                # the first part of the town, which has the lowest roofs and the pentices,
                # gets a piece of every kind and turn so each model can reach its lowest
                seen = {}
                for i in scored:
                    kind, model, template, angles = remaining[i]
                    key = (model, repr(template))
                    wanted = 2 if model == 'draw_chimney_narrow' else 1  # its one turn holds both ends
                    if seen.get(key, 0) < wanted and item_fit(remaining[i], slopes, spots) > 0:
                        seen[key] = seen.get(key, 0) + 1
                        pick.add(i)
            for i in scored:
                if len(pick) >= n:
                    break
                pick.add(i)
            chosen = [remaining[i] for i in sorted(pick)]
            remaining = [remaining[i] for i in range(len(remaining)) if i not in pick]
        lay_roof_items(chosen, slopes, spots, roof_rows[k])
    keep_roof_ranges(roof_rows, sec_slopes, sec_spots)

    # the table in order
    table = list(head)
    for k in sorted(sec_blocks):
        for bl in sec_blocks[k]:
            rs = block_rows.get(bl.name, []) + roof_rows[k].get(bl.name, [])
            if rs:
                rs[0].note = rs[0].note or 'block %s' % bl.name
            table += rs
        table += fixed_in[k] + tails[k]
    return table


def seen_from_town(slope):
    """Whether a roof slope looks into the town rather than out over its edge."""
    bl = slope['block']
    gx0, gx1, gz0, gz1 = town.GROUND
    return not ((slope['facing'] == '-x' and bl.x0 < gx0 - 0.5) or (slope['facing'] == '+x' and bl.x1 >= gx1) or
                (slope['facing'] == '-z' and bl.z0 <= gz0) or (slope['facing'] == '+z' and bl.z1 >= gz1))


# The heights (y of the translation) the roof pieces keep to, and the box every roof
# piece's translation stays in.
TOWN_BOX = requirements.BOX
RAFTER_HEIGHTS = {m: requirements.Y_RANGE[m] for m in ('draw_rafter_3_0', 'draw_rafter_2_3', 'draw_rafter_3_7')}
DORMER_HEIGHTS = requirements.Y_RANGE['draw_dormer']
CHIMNEY_HEIGHTS = {m: requirements.Y_RANGE[m] for m in ('draw_chimney_wide', 'draw_chimney_narrow')}


def in_box(t):
    return all(lo - 1e-6 <= v <= hi + 1e-6 for v, (lo, hi) in zip(t, TOWN_BOX))


def spread(lo, hi, k):
    """The k-th of a run of heights that starts at both ends of lo..hi and then fills it."""
    if k == 0:
        return lo
    return hi if k == 1 else lo + (hi - lo) * ((k * 0.41) % 1.0)


ROOF_HEIGHTS = {m: requirements.Y_RANGE[m] for m in ('draw_board_row_8', 'draw_board_row_16', 'draw_board_row_13',
                                                    'draw_board_row_tall', 'draw_board_row_32')}


def lay_dormer(template, s, c):
    """A dormer at its roof's eave, the c-th along the slope."""
    bl = s['block']
    lo, hi = s['along']
    along = lo + 0.8 + (c * 1.6) % max(hi - lo - 1.6, 0.1)
    plane = wall_plane(bl, s['facing'])
    w = (along, bl.height, plane) if s['axis'] == 'x' else (plane, bl.height, along)
    return sub(w, apply(compose(template), (-0.6, 0.0, 0.0)))


def rafter_spots(sec_blocks, blocks):
    """Where rafters can stand: both eave corners of every open gable end of a roof whose
    ridge runs along z (the +z end, in front of the gable wall), and the eave corners of
    the pentices on walls facing along x. `lean` is the way a rafter there rises."""
    spots = []
    names = {bl.name: bl for bl in sec_blocks}
    for bl in sec_blocks:
        if bl.garden or bl.ridge != 'z':
            continue
        free = sum(b - a for a, b in open_parts(bl, blocks, '+z', bl.z1, bl.x0, bl.x1))
        if free < 0.9 * (bl.x1 - bl.x0):
            continue
        spots.append(dict(block=bl, lean=-1, p=(bl.x1, bl.height, bl.z1 + 0.37), pitch=bl.pitch))
        spots.append(dict(block=bl, lean=1, p=(bl.x0, bl.height, bl.z1 + 0.37), pitch=bl.pitch))
    for pe in town.town_pentices():
        if pe.host not in names or pe.facing[1] != 'x':
            continue
        host = names[pe.host]
        sl = pentice_slope(pe, host)
        lean = 1 if pe.facing == '-x' else -1  # up toward the wall
        for z_end in (pe.a + 0.35, pe.b):
            spots.append(dict(block=host, lean=lean, p=(sl['edge'], pe.eave, z_end), pitch=pe.pitch))
    return spots


def rafter_choices(model, template, angles, spots, slack=0.0):
    """Every (pitch misfit, spot, rotations, translation) that stands a rafter at one of
    the spots within its model's heights (give or take `slack`) and inside the town."""
    out = []
    lo, hi = RAFTER_HEIGHTS[model]
    lo, hi = lo - slack, hi + slack
    bottom = pieces.RAFTER_BOTTOM[model]
    for sp in spots:
        for a in (angles if angles else [None]):
            rotations = resolve(template, a) if a is not None else list(template)
            r = compose(rotations)
            stick = apply(r, Y)
            if stick[0] * sp['lean'] <= 0:
                continue
            t = sub(sp['p'], apply(r, (0.1, bottom, 0)))
            if not (lo - 1e-6 <= t[1] <= hi + 1e-6 and in_box(t)):
                continue
            pitch = math.degrees(math.atan2(stick[1], abs(stick[0])))
            out.append((abs(pitch - sp['pitch']), sp, rotations, t))
    return out


def strip_corners(model, rotations, t):
    length, _ = pieces.STRIP[model]
    taller = 4.0 if model == 'draw_board_row_tall' else 0.0
    r = compose(rotations)
    return [add(t, apply(r, (x, y, 0))) for x in (0, length) for y in (0.95, 1.55 + taller)]


def on_slope(slope, p):
    """Whether a point lies on a roof slope: over it and within 0.2 of its surface."""
    rc, rh = slope['ridge']
    edge = slope['edge']
    half = abs(edge - rc)
    reach = 1.05 if 'pentice' in slope else 1 + OVERHANG_REACH / half
    across, along = (p[2], p[0]) if slope['axis'] == 'x' else (p[0], p[2])
    frac = (across - rc) / (edge - rc)
    lo, hi = slope['along']
    surface = rh - abs(across - rc) * math.tan(math.radians(slope['pitch']))
    return -0.03 <= frac <= reach + 0.03 and lo - 0.1 <= along <= hi + 0.1 and abs(p[1] - surface) <= 0.2


OVERHANG_REACH = 0.2  # a house roof reaches this far past its walls


def strip_at_height(model, rotations, slope, want, along):
    """The translation that lays a strip on a slope at `along` with its translation `want`
    high, or None when the strip would not lie on the slope there."""
    if strip_fit(rotations, slope) < 0.9:
        return None
    length, ymid = pieces.STRIP[model]
    off = apply(compose(rotations), (length / 2, ymid, 0))
    n = slope['normal']
    rc, rh = slope['ridge']
    drop = abs(slope['edge'] - rc) * math.tan(math.radians(slope['pitch']))
    frac = (rh - (want + off[1] - 0.06 * n[1])) / drop
    t = sub(add(roof_point(slope, along, frac), scale(n, 0.06)), off)
    if not in_box(t) or not all(on_slope(slope, p) for p in strip_corners(model, rotations, t)):
        return None
    return t


def relay(row, slopes, spots, want, placed):
    """Another place for a roof row, in its own part of the town, at translation height
    `want`: (block name, translation, rotations) or None."""
    kind, model, template, angles = row.item
    if kind == 'strip':
        for s in slopes:
            lo, hi = s['along']
            alongs = [lo + (hi - lo) * j / 20 for j in range(21)]
            # the place farthest from the strips already on that house
            others = [p for name, p in placed if name == s['block'].name]
            alongs.sort(key=lambda a: -min([abs(a - (p[0] if s['axis'] == 'x' else p[2])) for p in others] or [99]))
            for a in (angles if angles else [None]):
                rotations = resolve(template, a) if a is not None else list(template)
                if strip_fit(rotations, s) < 0.9:
                    continue
                for along in alongs:
                    t = strip_at_height(model, rotations, s, want, along)
                    if t is not None:
                        return s['block'].name, t, rotations
        return None
    if kind == 'chimney':
        for k, s in enumerate(house_slopes(slopes)):
            if chimney_reaches(s, want):
                t = lay_chimney(model, template, s, k, want)
                if in_box(t):
                    return s['block'].name, t, template
        return None
    if kind == 'dormer':
        for s in dormer_slopes(slopes, template):
            if abs(s['block'].height - want) < 0.02:
                return s['block'].name, lay_dormer(template, s, 1), template
        return None
    # within the model's heights if any spot allows, else a hair outside them
    for slack in (0.0, 0.05):
        cands = [c for c in rafter_choices(model, template, angles, spots, slack) if abs(c[3][1] - want) <= 0.05]
        if cands:
            break
    else:
        return None
    _, sp, rotations, t = min(cands, key=lambda c: abs(c[3][1] - want))
    return sp['block'].name, t, rotations


def lies_on_roof(row, slopes):
    """Whether a strip lies wholly on one roof slope (other pieces always stand on theirs)."""
    if row.item[0] != 'strip':
        return True
    corners = strip_corners(row.model, row.rotations, row.t)
    return any(all(on_slope(s, p) for p in corners) for s in slopes)


def keep_roof_ranges(roof_rows, sec_slopes, sec_spots):
    """Rows left off their roofs, outside their heights or outside the town move to a place
    that holds them; then each roof model's rows reach both ends of its heights: when none
    stands at an end, one row moves, within its own part of the town, to a roof or spot
    that puts it there."""
    ranges = dict(ROOF_HEIGHTS)
    ranges.update(RAFTER_HEIGHTS)
    ranges.update(CHIMNEY_HEIGHTS)
    ranges['draw_dormer'] = DORMER_HEIGHTS
    placed = [(name, r.t) for k in roof_rows for name, rs in roof_rows[k].items() for r in rs]
    pinned = set()

    def move(k, name, r, found):
        dest, t, rotations = found
        roof_rows[k][name].remove(r)
        r.t, r.rotations = t, rotations
        roof_rows[k].setdefault(dest, []).append(r)
        placed.append((dest, t))

    def relay_near(r, k, want):
        """A place at `want`, or failing that at the nearest height of its model's range
        that has one."""
        lo, hi = ranges[r.model]
        for w in sorted([want] + [lo + (hi - lo) * j / 12 for j in range(13)], key=lambda w: abs(w - want)):
            found = relay(r, sec_slopes[k], sec_spots[k], w, placed)
            if found:
                return found
        return None

    hopeless = set()  # (turns, part of the town, height) that found no place

    def trade(k, name, r, want):
        """Trades turns with a row of the same model elsewhere in the town when each
        then finds a place: the other row moves here, and r's place is returned."""
        for k2 in roof_rows:
            for name2, rs2 in roof_rows[k2].items():
                for q in rs2:
                    if k2 == k or q.model != r.model or q.item == r.item:
                        continue
                    key = (repr(q.item), k, want)
                    if key in hopeless:
                        continue
                    r.item, q.item = q.item, r.item
                    mine = relay_near(r, k, want)
                    if mine is None:
                        hopeless.add(key)
                    theirs = relay(q, sec_slopes[k2], sec_spots[k2], q.t[1], placed) if mine else None
                    if theirs:
                        move(k2, name2, q, theirs)
                        return mine
                    r.item, q.item = q.item, r.item
        return None

    # first the rows the laying left outside their heights or the town, or off their roof
    stuck = []
    for k in roof_rows:
        for name, rs in list(roof_rows[k].items()):
            for r in list(rs):
                lo, hi = ranges[r.model]
                if lo - 1e-6 <= r.t[1] <= hi + 1e-6 and in_box(r.t) and lies_on_roof(r, sec_slopes[k]):
                    continue
                want = min(max(r.t[1], lo), hi)
                found = relay_near(r, k, want)
                if found is None:
                    found = trade(k, name, r, want)
                if found is None:
                    stuck.append(r.model)
                    continue
                move(k, name, r, found)
    if stuck:
        print('towngen: %d strips found no place wholly on a roof and keep theirs' % len(stuck))
    for model, (lo, hi) in ranges.items():
        for want in (lo, hi):
            rows = [(k, name, r) for k in roof_rows for name, rs in roof_rows[k].items() for r in rs
                    if r.model == model]
            if any(abs(r.t[1] - want) <= 0.02 for _, _, r in rows):
                continue
            rows.sort(key=lambda e: abs(e[2].t[1] - want))
            for k, name, r in rows:
                if id(r) in pinned:
                    continue
                found = relay(r, sec_slopes[k], sec_spots[k], want, placed)
                if found is None:
                    continue
                move(k, name, r, found)
                pinned.add(id(r))
                break
            else:
                print('towngen: no roof puts %s at %.2f' % (model, want))


def lay_roof_items(items, slopes, spots, out):
    taken = set()
    used = {}
    cursor = {}
    counters = {}
    for item in items:
        kind, model, template, angles = item

        def put(name, row):
            row.item = item
            out.setdefault(name, []).append(row)

        if not slopes:
            continue
        if kind == 'dormer':
            cands = dormer_slopes(slopes, template) or house_slopes(slopes)
            k = counters.get('dormer', 0)
            counters['dormer'] = k + 1
            want = spread(DORMER_HEIGHTS[0], DORMER_HEIGHTS[1], k)
            s = min(cands, key=lambda s: (round(abs(s['block'].height - want), 1), used.get(id(s), 0)))
            used[id(s)] = used.get(id(s), 0) + 1
            c = cursor.get(id(s), 0)
            cursor[id(s)] = c + 1
            put(s['block'].name, Row(model, lay_dormer(template, s, c), template))
            continue
        if kind == 'chimney':
            k = counters.get(model, 0)
            counters[model] = k + 1
            want = chimney_y(model, k)
            houses = house_slopes(slopes)
            cands = [s for s in houses if chimney_reaches(s, want)] or houses
            s = min(cands, key=lambda s: used.get(id(s), 0))
            used[id(s)] = used.get(id(s), 0) + 1
            put(s['block'].name, Row(model, lay_chimney(model, template, s, k, want), template))
            continue
        if kind == 'rafter':
            # the best-pitched free spot; a spot already holding rafters only when all do
            choices = rafter_choices(model, template, angles, spots)
            if not choices:
                print('towngen: no spot for %s' % model)
                continue
            _, sp, rotations, t = min(choices, key=lambda c: (c[0] + 15 * used.get(id(c[1]), 0) +
                                                               (50 if (model, c[3]) in taken else 0)))
            used[id(sp)] = used.get(id(sp), 0) + 1
            taken.add((model, t))
            put(sp['block'].name, Row(model, t, rotations))
            continue
        ranked = []
        for s_i, s in enumerate(slopes):
            best = choose(template, angles, [s], {0: used.get(id(s), 0)})
            ranked.append((best[0], s_i, best[2]))
        ranked.sort(key=lambda r: -r[0])
        lo, hi = ROOF_HEIGHTS[model]
        pick = None
        for score, s_i, rotations in ranked:
            if score <= ranked[0][0] - 0.2:
                break
            s = slopes[s_i]
            for lane in (None, 0.5, 0.7, 0.85, 0.35, 0.95, 0.2):
                t = lay_strip(model, rotations, s, cursor.get(id(s), 0), lane)
                if lo <= t[1] <= hi and in_box(t):
                    pick = (s, rotations, t)
                    break
            if pick:
                break
        for score, s_i, rotations in ([] if pick else ranked):
            s = slopes[s_i]
            for lane in (None, 0.5, 0.7, 0.85, 0.35, 0.95, 0.2):
                t = lay_strip(model, rotations, s, cursor.get(id(s), 0), lane)
                if lo <= t[1] <= hi and in_box(t) and score > 0.9:
                    pick = (s, rotations, t)
                    break
            if pick:
                break
        if pick is None:
            _, s_i, rotations = ranked[0]
            s = slopes[s_i]
            pick = (s, rotations, lay_strip(model, rotations, s, cursor.get(id(s), 0)))
        s, rotations, t = pick
        used[id(s)] = used.get(id(s), 0) + 1
        cursor[id(s)] = cursor.get(id(s), 0) + 1
        put(s['block'].name, Row(model, t, rotations))
