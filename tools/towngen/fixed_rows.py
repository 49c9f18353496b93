"""The rows the table holds at fixed places: those the requirements give by number, the
walkway and the pieces of the two turned houses built from them, the gate posts, the ramp
and the west street's timbers."""
from common import Row, compose
from geometry import X_AXIS, Y_AXIS, Z_AXIS, add, apply, rot, sub
import pieces
import requirements


X, Y, Z = X_AXIS, Y_AXIS, Z_AXIS


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
