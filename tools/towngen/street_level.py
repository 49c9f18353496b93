"""Level geometry that is not a block: the ground, the flight and the stoop, the planter,
the wall behind the canopy, and the walls of the two turned houses."""
import math

from common import box, flat_quad, quad
from fixed_rows import ROOF_LOCAL, TURNED21, TURNED33, TURNED_WALL, turned_point
import town


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
