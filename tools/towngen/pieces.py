"""The catalogue models as the town generator sees them, and how many rows of each the
layout holds with which turns."""
import requirements

Y = (0, 1, 0)
X = (1, 0, 0)
Z = (0, 0, 1)
XZ = (1, 0, 1)


class Facade:
    """A piece hung on a wall: the local direction its front looks to, its mount point (on
    the wall plane, at its horizontal middle and its bottom), its width along the wall,
    its height, and whether the wall needs a hole behind it."""

    def __init__(self, front, mount, width, height, hole=False):
        self.front, self.mount, self.width, self.height, self.hole = front, mount, width, height, hole


FACADE = {
    'draw_door_framed': Facade(X, (-0.6, 0.0, -1.2), 0.8, 1.4, hole=True),
    'draw_window_recessed': Facade(X, (-0.6, 0.0, -0.9), 1.2, 1.4, hole=True),
    'draw_window_wide': Facade((0, 0, -1), (-0.65, 2.0, 1.0), 1.2, 1.6),
    'draw_window_narrow': Facade((0, 0, -1), (-0.45, 2.0, 1.0), 0.8, 1.6),
    'draw_window_six_pane': Facade((-1, 0, 0), (-0.9, 0.2, 0.4), 1.1, 1.9),
    'draw_window_three_pane': Facade((-1, 0, 0), (-0.9, 0.2, 0.2), 0.7, 1.9),
    'draw_window_double': Facade((-1, 0, 0), (-0.7, 2.3, 1.4), 1.8, 1.6),
    'draw_window_small': Facade((0, 0, -1), (-0.6, 0.1, 0.0), 0.4, 0.9),
    'draw_window_small_framed': Facade((0, 0, -1), (-0.6, 0.35, 0.0), 0.6, 0.85),
    'draw_window_square': Facade((0, 0, -1), (-0.6, 0.55, 0.0), 0.4, 0.45),
    'draw_timber_frame': Facade(Z, (-1.5, 0.0, 0.5), 1.8, 1.9),
    'draw_post_bracket': Facade(Z, (-0.8, 0.0, 0.4), 1.4, 2.0),
    'draw_beam_long': Facade(Z, (-2.3, 2.0, 0.5), 4.0, 0.2),
    'draw_post': Facade(Z, (-0.5, 0.3, 0.5), 0.2, 1.7),
    'draw_deck_large': Facade((0, 0, -1), (-2.3, 4.99, -0.4), 4.0, 0.06),
    'draw_deck_small': Facade((0, 0, -1), (-1.3, 4.99, -0.4), 2.0, 0.06),
}

# The heights (y of the translation) a facade piece takes by default, by storey; with
# the lowest and highest the layout holds (from the requirements), which the first and
# the last row of a model take.
DEFAULT_HEIGHTS = {
    'draw_door_framed': [0.0],
    'draw_window_recessed': [0.4],
    'draw_window_wide': [-1.6, 0.4],
    'draw_window_narrow': [-1.6, 0.4],
    'draw_window_six_pane': [0.2, 2.2],
    'draw_window_three_pane': [0.2, 2.2],
    'draw_window_double': [0.1],
    'draw_window_small': [4.3],
    'draw_window_small_framed': [2.1],
    'draw_window_square': [4.3],
    'draw_timber_frame': [2.4],
    'draw_post_bracket': [0.0, 2.0],
    'draw_deck_large': [-0.6],
    'draw_deck_small': [-0.05],
}
HEIGHTS = {m: (d,) + requirements.Y_RANGE[m] for m, d in DEFAULT_HEIGHTS.items()}


def ry(a):
    return [(a, Y)] if a else []


# Facade rows by model: (rotations, count).
FACADE_QUOTA = {
    'draw_door_framed': [(ry(90), 6), (ry(180), 6), (ry(-90), 5), (ry(0), 4)],
    'draw_window_recessed': [(ry(90), 5), (ry(-90), 3), (ry(0), 2)],
    'draw_window_wide': [(ry(0), 18), (ry(180), 15), (ry(90), 14), (ry(-90), 6), (ry(-160), 1)],
    'draw_window_narrow': [(ry(-90), 37), (ry(90), 24), (ry(180), 18), (ry(0), 14), (ry(-160), 3)],
    'draw_window_six_pane': [(ry(0), 7), (ry(180), 5), (ry(90), 2), (ry(-90), 1)],
    'draw_window_three_pane': [(ry(0), 11), (ry(180), 8), (ry(90), 7), (ry(124), 2), (ry(-90), 2)],
    'draw_window_double': [(ry(180), 10), (ry(90), 9), (ry(0), 8), (ry(-90), 7), (ry(124), 1)],
    'draw_window_small': [(ry(0), 3), (ry(90), 2), (ry(-90), 2), (ry(180), 2), ([(180, Y), (90, Z)], 1)],
    'draw_window_small_framed': [(ry(-90), 3), (ry(90), 2), (ry(180), 2)],
    'draw_window_square': [(ry(90), 3), (ry(-90), 2), (ry(0), 1), (ry(180), 1)],
    'draw_timber_frame': [(ry(90), 3), (ry(180), 3), (ry(-90), 2)],
    'draw_post_bracket': [(ry(0), 11), (ry(-90), 8), (ry(180), 8), (ry(90), 3)],
    'draw_deck_large': [(ry(180), 3), (ry(-90), 3), ([(-4, X)], 3), ([(180, Y), (-4, Z)], 1),
                        ([(-90, Y), (5, X)], 1)],
    'draw_deck_small': [([(20, XZ)], 1), ([(30, X)], 1), ([], 1)],
}

# Roof pieces: (model, rotation template, angles the template may take, count). A
# template's 'a' is filled with the chosen angle; the generator picks the angle that lays
# the piece on the roof slope it is given.
def A(sign=1):
    return ('a', sign)


ROOF_QUOTA = [
    # strips running up a slope whose ridge runs along x
    ('draw_board_row_16', [(90, Z), A()], [a for a in range(30, 66)] + [-a for a in range(30, 66)], 21),
    ('draw_board_row_16', [(-90, Z), A()], [a for a in range(30, 66)] + [-a for a in range(30, 66)], 1),
    ('draw_board_row_8', [(90, Z), A()], [a for a in range(32, 66)] + [-a for a in range(32, 66)], 5),
    # strips running up a slope whose ridge runs along z
    ('draw_board_row_16', [A(), (90, X)], [a for a in range(32, 56)] + [-a for a in range(32, 56)], 17),
    ('draw_board_row_tall', [(50, Z), (90, X)], None, 4),
    ('draw_board_row_tall', [(-38, Z), (90, X)], None, 3),
    ('draw_board_row_tall', [(38, Z), (90, X)], None, 2),
    # the same across a ridge along x, turned a quarter first
    ('draw_board_row_16', [(90, Y), A(), (90, X)], [a for a in range(18, 58)] + [-a for a in range(18, 58)], 12),
    ('draw_board_row_8', [(90, Y), A(), (90, X)], [37, -37], 2),
    ('draw_board_row_13', [(90, Y), (-57, Z), (90, X)], None, 1),
    ('draw_board_row_13', [(90, Y), (46, Z), (90, X)], None, 1),
    ('draw_board_row_13', [(90, Y), (-46, Z), (90, X)], None, 1),
    # strips along the eaves of a ridge along x
    ('draw_board_row_16', [(-45, X)], None, 2),
    ('draw_board_row_16', [(-50, X)], None, 3),
    ('draw_board_row_16', [(60, X)], None, 3),
    ('draw_board_row_16', [(90, X)], None, 2),
    ('draw_board_row_8', [(90, X)], None, 2),
    ('draw_board_row_8', [(-50, X)], None, 1),
    ('draw_board_row_16', [(-90, Y), (60, X)], None, 3),
    ('draw_board_row_16', [(-10, Y), (-10, Z), (-55, X)], None, 1),
    ('draw_board_row_16', [(90, X), (30, Y), (90, Z)], None, 1),
    ('draw_board_row_32', [(90, X), (90, Z)], None, 4),
    ('draw_board_row_32', [(90, Z), (-57, Y)], None, 2),
    ('draw_board_row_32', [(-90, Z), (-57, Y)], None, 1),
    ('draw_board_row_32', [(50, X)], None, 2),
    ('draw_board_row_32', [(65, X)], None, 1),
    ('draw_board_row_32', [(70, X)], None, 1),
    ('draw_board_row_32', [(90, Y), (50, X)], None, 1),
    # rafters along the gable edges
    ('draw_rafter_3_0', [A()], [a for a in range(40, 47)] + [-a for a in range(40, 47)], 10),
    ('draw_rafter_2_3', [(34, Z)], None, 2),
    ('draw_rafter_2_3', [(-34, Z)], None, 2),
    ('draw_rafter_2_3', [(45, Z)], None, 1),
    ('draw_rafter_2_3', [(-45, Z)], None, 1),
    ('draw_rafter_3_7', [(67, Z)], None, 1),
    ('draw_rafter_3_7', [(-67, Z)], None, 1),
    ('draw_rafter_3_7', [(27, Z)], None, 1),
    ('draw_rafter_3_7', [(-27, Z)], None, 1),
]

# Chimneys and dormers by rotation.
CHIMNEY_QUOTA = [('draw_chimney_wide', ry(90), 5), ('draw_chimney_wide', [], 4), ('draw_chimney_narrow', [], 5)]
DORMER_QUOTA = [(ry(-90), 7), (ry(90), 6), (ry(0), 4), (ry(180), 3)]

# Local extents used to lay roof pieces: the strip's length along local x, the middle of
# its boards in local y.
STRIP = {
    'draw_board_row_8': (1.5, 1.275),
    'draw_board_row_16': (2.9, 1.275),
    'draw_board_row_13': (2.35, 1.275),
    'draw_board_row_tall': (2.9, 3.275),
    'draw_board_row_32': (5.7, 1.275),
    'draw_plank_walkway': (4.07, 1.275),
}
RAFTER_BOTTOM = {'draw_rafter_3_0': 0.5, 'draw_rafter_2_3': 1.2, 'draw_rafter_3_7': -0.2}

# Rows of each model in the whole table.
MODEL_ROWS = requirements.MODEL_ROWS
