"""The facade pieces dealt to the street walls: windows, doors, decks, brackets and
timber frames, each in its band of the wall, spread evenly over what the wall leaves free."""
import math

from common import Row, compose, facing_of, place_facade, wall_plane
from geometry import X_AXIS, Y_AXIS, Z_AXIS, apply
import pieces
import requirements
import town

X, Y, Z = X_AXIS, Y_AXIS, Z_AXIS


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
        lo, hi = requirements.BOX[0] if f.facing[1] == 'z' else requirements.BOX[2]
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


def seeded_doors():
    """The doors behind the stepped thresholds: one over the flight's landing, one over
    the stoop. (face name, facing, model, rotations, y, along)"""
    return [('C1', '+z', 'draw_door_framed', [(-90, Y)], 1.0, -43.55),
            ('D1', '-z', 'draw_door_framed', [(90, Y)], 0.5, -45.7)]
