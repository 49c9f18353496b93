"""The wall table: the blocks' open walls inside the ground, the steps, the gates' walls,
and the walls of what is not a block (rails, planter, canopy, the catalogue houses, the
arcade)."""
from common import Wall, clip_to_ground, faces_outward, wall_segment
import street_level
import math

BAY = 8.0  # the longest wall along x held by one segment

GROUND_FLOOR = Wall((-87.0, 0.0, -25.0), (15.0, 0.0, 35.0), note='the ground')


def steps():
    out = []
    z0, z1 = street_level.FLIGHT_Z
    for k, (x0, x1, top) in enumerate(street_level.FLIGHT):
        out.append(Wall((x0, top, z0), (x1, top, z1), note='the flight toward -x, up to the landing' if k == 0 else ''))
    for k, (sz0, sz1, top) in enumerate(street_level.STOOP):
        out.append(Wall((street_level.STOOP_X[0], top, sz0), (street_level.STOOP_X[1], top, sz1),
                        note='the stoop toward +z' if k == 0 else ''))
    return out


def gates():
    w = []
    for z in (-12.0, -11.8):
        w.append(Wall((-14.7, -1.0, z), (-11.5, 0.0, z), 'WIDE'))
    for x in (-16.5, -16.7):
        w.append(Wall((x, -1.0, 6.0), (x, 0.0, 10.0), 'WIDE'))
    for z in (3.3, 3.0):
        w.append(Wall((-30.3, -1.0, z), (-26.3, 0.0, z), 'WIDE'))
    for x in (-34.3, -34.7):
        w.append(Wall((x, -1.0, -3.0), (x, 0.0, 0.0), 'WIDE'))
    for x in (-62.4, -62.2):
        w.append(Wall((x, -1.0, 3.5), (x, 0.0, 6.5), 'WIDE'))
    w.append(Wall((-77.0, -1.0, 16.0), (-75.1, 0.0, 16.0), 'CORNER'))
    w[0].note = 'the gates, their tops following the gate heights'
    return w


def house_walls(x_front, x_body, porch, doorway, body, name):
    """A catalogue house's walls: its porch front beside the doorway, the end of the
    passage behind it (the door and the porch's back on either side of it), the porch
    sides, and the body front beside the porch."""
    (pz0, pz1), (dz0, dz1), (bz0, bz1) = porch, doorway, body
    out = []
    out.append(Wall((x_front, 0.0, pz0), (x_front, 5.0, dz0), note=name))
    out.append(Wall((x_front, 0.0, dz1), (x_front, 5.0, pz1)))
    out.append(Wall((x_body, 0.0, pz0), (x_body, 5.0, pz1)))
    out.append(Wall((x_body, 0.0, bz0), (x_body, 5.0, pz0)))
    out.append(Wall((x_body, 0.0, pz1), (x_body, 5.0, bz1)))
    lo, hi = min(x_front, x_body), max(x_front, x_body)
    out.append(Wall((lo, 0.0, pz0), (hi, 5.0, pz0)))
    out.append(Wall((lo, 0.0, pz1), (hi, 5.0, pz1)))
    return out


def block_walls(bl, faces):
    out = []
    first = True
    for face in faces:
        if not bl.collide or faces_outward(face.facing, face.plane):
            continue
        part = clip_to_ground(face.facing, face.plane, face.a, face.b)
        if not part:
            continue
        a, b = part
        y0, y1 = bl.span
        if bl.name == 'A' and face.facing == '+x':
            # the low end of house A toward the bridge street, then its full wall
            out.append(wall_segment('+x', face.plane, a, -8.75, 0.0, 2.0, note='house A, under the walkway'))
            out.append(wall_segment('+x', face.plane, -8.75, b, y0, y1))
            continue
        # a long front is held bay by bay
        bays = int(math.ceil((b - a) / BAY - 1e-6)) if face.facing in ('+z', '-z') else 1
        for k in range(bays):
            lo, hi = a + (b - a) * k / bays, a + (b - a) * (k + 1) / bays
            out.append(wall_segment(face.facing, face.plane, lo, hi, y0, y1, note=('block ' + bl.name) if first else ''))
            first = False
    return out


KEEP_OUT = 0.3  # how far the town's walls hold the player


def meet_the_gates(table):
    """A wall on a gate wall's line that stops short of it by less than the keep-out is
    carried to it: through so narrow a gap the player is not held by either and walks in
    beside the slab (the house corner and the slab's side leave it out of sight)."""
    for g in [w for w in table if w.gate != 'NONE']:
        axis = 0 if g.kind() == 'z' else 2
        for w in table:
            if w.gate != 'NONE' or w.kind() != g.kind() or w.a[2 - axis] != g.a[2 - axis]:
                continue
            if 0 < g.a[axis] - w.b[axis] < KEEP_OUT:
                b = list(w.b)
                b[axis] = g.a[axis]
                w.b = tuple(b)
            elif 0 < w.a[axis] - g.b[axis] < KEEP_OUT:
                a = list(w.a)
                a[axis] = g.b[axis]
                w.a = tuple(a)
    return table


def build_walls(blocks, per_block_faces):
    by_name = {bl.name: bl for bl in blocks}
    a_walls = block_walls(by_name['A'], per_block_faces['A'])
    a_walls.sort(key=lambda w: 0 if w.note.startswith('house A, under') else 1)
    table = a_walls[:5]
    assert len(table) == 5, len(a_walls)
    table.append(GROUND_FLOOR)
    table += steps()
    table += gates()
    # the flight's rails, the planter
    table.append(Wall((-44.5, 0.0, -1.9), (-42.2, 1.5, -1.9), note='the flight: balustrade, end wall, handrail'))
    table.append(Wall((-44.5, 0.0, -2.6), (-44.5, 1.5, -1.9)))
    table.append(Wall((-42.6, 1.8, -1.9), (-41.8, 2.0, -1.9)))
    x0, x1, z0, z1, h = street_level.PLANTER
    table.append(Wall((x0, 0.0, z0), (x1, 1.3, z0), note='the planter in the square'))
    table.append(Wall((x0, 0.0, z1), (x1, 1.3, z1)))
    table.append(Wall((x0, 0.0, z0), (x0, 1.3, z1)))
    table.append(Wall((x1, 0.0, z0), (x1, 1.3, z1)))
    for bl in blocks:
        if bl.name == 'A':
            continue
        table += block_walls(bl, per_block_faces[bl.name])
    table += house_walls(-64.5, -63.6, (11.7, 13.3), (12.1, 12.9), (10.5, 14.5), 'the courtyard\'s east house')
    table.append(Wall((-63.6, 0.0, 10.5), (-62.4, 5.0, 10.5)))
    table.append(Wall((-63.6, 0.0, 14.5), (-62.4, 5.0, 14.5)))
    table += house_walls(-85.2, -86.1, (10.7, 12.3), (11.1, 11.9), (9.5, 13.5), 'the west house by the lean-to')
    table.append(Wall((-87.0, 0.0, 9.5), (-86.1, 5.0, 9.5)))
    table.append(Wall((-87.0, 0.0, 13.5), (-86.1, 5.0, 13.5)))
    table.append(Wall((-87.0, 0.0, 29.5), (-86.1, 5.0, 29.5), note='the west house behind the arcade'))
    table.append(Wall((-86.1, 0.0, 29.5), (-86.1, 5.0, 30.6)))
    table.append(Wall((-86.1, 0.0, 30.6), (-62.0, 2.0, 30.6), note='the arcade'))
    # the canopy's sides are its rails (a jump must not clear them) and its end the wall
    # behind the orb
    (rail0, rail1), end = street_level.CANOPY_RAILS, street_level.CANOPY_END
    table.append(Wall((rail0, 0.0, 16.0), (rail0, 2.0, end), note='the canopy\'s sides and end'))
    table.append(Wall((rail1, 0.0, 16.0), (rail1, 2.0, end)))
    table.append(Wall((rail0, 0.0, end), (rail1, 2.0, end)))
    return meet_the_gates(table)
