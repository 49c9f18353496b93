"""The roof pieces laid on the roof slopes: boarding strips, rafters, dormers and
chimneys, and the search that keeps every model's heights inside its range."""
import math

from common import Row, compose, open_parts, pentice_slope, roof_point, wall_plane
from geometry import X_AXIS, Y_AXIS, Z_AXIS, add, apply, dot, scale, sub
import pieces
import requirements
import town

X, Y, Z = X_AXIS, Y_AXIS, Z_AXIS


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
