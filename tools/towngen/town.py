"""The town of world 2, described once: its buildings, yards, fixed pieces and the
facade, roof and timber pieces each building carries.

Every building is an axis-aligned block with walls to its eaves and a gable roof; the
generator (towngen.py) derives from this the level's triangles, the wall table and the
layout rows."""

GROUND = (-87.0, 15.0, -25.0, 35.0)  # x0, x1, z0, z1 of the walkable ground

# Texture slots of the town's set.
SLOT_GROUND = 3     # cobbles
SLOT_ROOF = 16      # roof tiles
SLOT_STONE = 26     # garden walls, rails, steps
SLOT_TIMBER = 7
WALL_SLOTS = [12, 14, 9, 2, 0, 12, 14, 2, 9]  # plaster, brick, old brick, stained plaster, fieldstone


class Block:
    """One building (or a garden wall): x0..x1, z0..z1 on the ground, walls up to
    `height`, a gable roof whose ridge runs along `ridge` ('x', 'z' or None for a flat
    top) at `pitch` degrees. `group` names the street it belongs to; `pieces` asks for
    extra facade pieces by facing."""

    def __init__(self, name, x0, x1, z0, z1, height, ridge=None, pitch=30, slot=None, group=None,
                 garden=False, collide=True, span=(0.0, 5.0)):
        assert x0 < x1 and z0 < z1, name
        self.name = name
        self.x0, self.x1, self.z0, self.z1 = x0, x1, z0, z1
        self.height = height
        self.ridge = ridge if ridge is not None or garden else ('x' if x1 - x0 >= z1 - z0 else 'z')
        self.pitch = pitch
        self.slot = slot
        self.group = group
        self.garden = garden
        self.collide = collide
        self.span = span


class Pentice:
    """A lean-to roof hung on a house wall on timber brackets, open underneath: over the
    wall `facing` of house `host` from `a` to `b` along it, its eave `eave` high and
    `depth` out from the wall, rising to the wall at `pitch` degrees."""

    def __init__(self, host, facing, a, b, eave, depth, pitch, note):
        assert a < b, host
        self.host, self.facing, self.a, self.b = host, facing, a, b
        self.eave, self.depth, self.pitch, self.note = eave, depth, pitch, note


def terrace(prefix, group, along, line, facing, start, end, widths, setbacks, depth, heights, pitches):
    """A row of houses along a street: fronts on `line` (moved out toward the street by
    the setbacks), from `start` to `end` along `along` ('x' or 'z'), each `depth` deep
    away from the street. `facing` is the street side: '+z', '-z', '+x' or '-x'."""
    blocks = []
    pos, i = start, 0
    sign = 1 if facing[0] == '+' else -1
    while pos < end - 0.01:
        w = widths[i % len(widths)]
        if end - pos < w + 1.5:
            w = end - pos
        front = line - sign * setbacks[i % len(setbacks)]  # set back from the street line
        back = line - sign * depth
        lo, hi = min(front, back), max(front, back)
        h = heights[i % len(heights)]
        p = pitches[i % len(pitches)]
        name = '%s%d' % (prefix, i + 1)
        if along == 'x':
            blocks.append(Block(name, pos, pos + w, lo, hi, h, 'x', p, group=group))
        else:
            blocks.append(Block(name, lo, hi, pos, pos + w, h, 'z', p, group=group))
        pos += w
        i += 1
    return blocks


# Houses whose eaves break their row's rhythm: the lane's low cottage, the lane's last
# house, the east row's last house and the middle house of the lantern row.
EAVES = {'SW4': 3.4, 'SW6': 4.53, 'E9': 5.1, 'LB2': 4.75}


def town_blocks():
    """Every block of the town, in the order the layout walks them."""
    b = []
    # --- The east end: the house under the plank bridge, the lantern row and the north street.
    b.append(Block('A', 2.0, 6.0, -12.25, -7.3, 5.75, 'x', 27, group='east'))
    b.append(Block('EW1', 2.5, 6.0, -21.0, -17.5, 5.5, 'z', 35, group='east'))
    b.append(Block('EW2', 2.8, 6.0, -17.5, -13.5, 6.0, 'z', 40, group='east'))
    b += terrace('E', 'east', 'z', 12.0, '-x', -21.0, 10.0, [3.4, 3.0, 3.8, 3.2], [0.0, 0.4],
                 3.0, [5.5, 5.0, 5.8, 4.5], [30, 32, 30, 35])
    b.append(Block('LB1', -11.5, -8.0, -15.3, -12.0, 6.0, 'x', 40, group='lantern'))
    b.append(Block('LB2', -8.0, -5.5, -15.5, -12.0, 3.4, 'x', 45, group='lantern'))
    b.append(Block('LB3', -5.5, 0.3, -15.5, -12.0, 7.0, 'x', 35, group='lantern'))
    b += terrace('N', 'north', 'x', -21.0, '+z', -66.0, 15.0, [2.6, 2.3, 2.9, 2.5, 2.7], [0.0],
                 4.0, [5.5, 4.5, 7.0, 5.0, 6.0], [35, 40, 45, 38, 50])
    b.append(Block('NW1', -25.9, -22.0, -15.5, -12.0, 6.0, 'x', 32, group='square'))
    b.append(Block('NW2', -22.0, -18.5, -15.8, -12.0, 5.5, 'x', 42, group='square'))
    b.append(Block('NW3', -18.5, -14.7, -15.5, -12.0, 5.0, 'x', 36, group='square'))
    b.append(Block('TR', -16.5, -15.3, -12.0, -11.3, 1.0, garden=True, group='square', span=(0.0, 1.3)))
    # the block between the square and the plaza, and its south wing on the west street
    b.append(Block('WB1', -25.9, -16.5, -12.0, -7.0, 7.0, 'z', 30, group='square'))
    b.append(Block('WB2', -25.6, -16.8, -7.0, -3.5, 5.5, 'z', 40, group='square'))
    b.append(Block('WB3', -25.9, -16.5, -3.5, 0.0, 5.5, 'z', 35, group='square'))
    b.append(Block('WB4', -25.6, -16.5, 0.0, 3.0, 6.0, 'z', 45, group='square'))
    b.append(Block('WB5', -26.3, -16.5, 3.0, 6.0, 5.5, 'x', 40, group='west'))
    # the south side of the square and of the west street, and the lane going south
    b += terrace('S', 'south', 'x', 10.0, '-z', -34.7, -6.0, [2.6, 3.0, 2.4, 2.8], [0.0],
                 4.0, [5.0, 6.0, 4.5, 5.5], [38, 45, 33, 50])
    b += terrace('T', 'south', 'x', 10.0, '-z', -2.0, 12.0, [2.4, 2.8, 2.6, 3.0], [0.0],
                 4.0, [5.5, 4.5, 7.0, 5.0], [40, 35, 45, 30])
    b += terrace('SW', 'lane', 'z', -6.0, '+x', 14.0, 32.0, [3.0, 3.6, 3.0, 3.6, 3.0, 3.6], [0.0, 0.4],
                 5.0, [7.0, 5.0, 5.5, 4.5], [35, 40, 30, 45])
    # the lane's east row reaches 0.3 past the end house opposite: the window on its back
    # stands at the south end of the layout's range
    b += terrace('SE', 'lane', 'z', -2.0, '-x', 14.0, 32.3, [3.0, 3.6, 3.0, 3.6, 3.0, 3.6], [0.3, 0.0],
                 5.0, [4.5, 7.0, 5.0, 5.5], [45, 35, 40, 32])
    b.append(Block('SS', -6.4, -2.0, 32.0, 35.5, 5.5, 'x', 40, group='lane'))
    # --- The plaza behind the sign, the west street and the stepped street.
    b.append(Block('P1', -38.3, -34.3, -15.5, -11.0, 5.5, 'z', 38, group='plaza'))
    b.append(Block('PJ', -34.7, -30.3, 0.0, 4.0, 6.0, 'x', 45, group='plaza'))
    b.append(Block('WE', -40.0, -34.7, 4.0, 10.0, 5.5, 'x', 35, group='west'))
    b.append(Block('HT', -38.3, -34.3, -11.0, -3.1, 4.0, 'z', 45, group='timbered'))
    b.append(Block('C1', -46.0, -38.3, -9.0, -2.6, 5.5, 'x', 40, group='flight'))
    b.append(Block('C0', -52.3, -46.0, -9.0, -2.9, 5.5, 'x', 35, group='flight'))
    b.append(Block('D2', -43.0, -40.0, 4.3, 10.0, 5.0, 'x', 45, group='flight'))
    b.append(Block('D1', -46.5, -43.0, 4.0, 10.0, 5.5, 'x', 40, group='flight'))
    b.append(Block('D0', -52.3, -46.5, 4.2, 10.0, 6.0, 'x', 35, group='flight'))
    b += terrace('NS', 'yard33', 'x', -15.5, '-z', -62.2, -38.3, [3.0, 2.8, 3.2, 2.6], [0.0],
                 6.5, [5.5, 4.5, 6.0, 5.0], [40, 35, 45, 38])
    b.append(Block('NE', -66.0, -62.2, -21.0, -15.5, 5.5, 'z', 40, group='yard33'))
    # --- The yard of the turned house, the lane to the courtyard gate.
    b.append(Block('Y33s', -62.2, -52.3, 2.4, 2.7, 2.0, garden=True, group='yard33', span=(0.0, 2.0)))
    b.append(Block('Y33w', -62.2, -61.9, -9.0, 2.4, 2.0, garden=True, group='yard33', span=(0.0, 2.0)))
    b.append(Block('Y33e', -52.6, -52.3, -2.9, 2.4, 2.0, garden=True, group='yard33', span=(0.0, 2.0)))
    b.append(Block('L1', -57.0, -52.3, 10.0, 14.5, 6.0, 'x', 38, group='yard33'))
    b.append(Block('J2', -62.4, -57.0, 6.5, 10.5, 7.0, 'z', 35, group='yard33'))
    b.append(Block('K0', -59.3, -57.0, 10.5, 14.5, 5.0, 'z', 40, group='court'))
    b.append(Block('J1', -66.0, -62.2, -15.5, 3.5, 6.0, 'z', 40, group='yard33'))
    # --- The courtyard: its east side, the yard of the other turned house, the west row.
    b.append(Block('K1', -62.4, -57.0, 14.5, 22.0, 4.8, 'z', 40, group='court'))
    b.append(Block('K2', -62.0, -57.0, 22.0, 30.85, 5.0, 'z', 45, group='court'))
    b.append(Block('Y21s', -84.0, -66.0, 3.2, 3.5, 2.0, garden=True, group='yard21', span=(0.0, 2.0)))
    b.append(Block('WN', -89.0, -84.0, -15.5, 3.5, 6.0, 'z', 40, group='court'))
    b.append(Block('WT1', -89.0, -87.0, 3.5, 9.5, 4.5, 'z', 40, group='west-row'))
    b.append(Block('WT2', -89.0, -87.0, 13.5, 21.0, 5.0, 'z', 35, group='west-row'))
    b.append(Block('WT3', -89.0, -87.0, 21.0, 29.5, 5.0, 'z', 45, group='courtyard-end'))
    b.append(Block('NX', -89.0, -66.0, -21.0, -15.5, 5.0, 'x', 40, group='court'))
    for bl in b:
        bl.height = EAVES.get(bl.name, bl.height)
    b.append(Block('BACK', -92.0, -62.0, 30.85, 31.2, 10.0, garden=True, group='courtyard-end', collide=False))
    return b


def town_pentices():
    """The low roofs hung on the houses: lean-tos over shop fronts and doors, and the deep
    pent roofs over the ground floor of some tall fronts."""
    return [
        Pentice('S5', '-z', -23.9, -15.9, 1.85, 1.4, 40, 'a pentice along three shop fronts of the west street'),
        Pentice('WB1', '-x', -11.8, -7.2, 3.78, 2.0, 50, 'a pent roof over the ground floor of the tall plaza house'),
        Pentice('SE2', '-x', 17.2, 20.4, 4.638, 1.2, 45, 'a pent roof over the door of the tall lane house'),
        Pentice('SW1', '+x', 14.3, 16.7, 3.82, 1.2, 45, 'a pent roof over the front of the tall lane house opposite'),
        Pentice('WT2', '+x', 14.0, 20.0, 2.4, 1.3, 35, 'a lean-to along the courtyard\'s west side'),
    ]
