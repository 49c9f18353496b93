"""The layout table: the fixed rows, each street section's facade and roof pieces, in the
order the table walks the town."""
from common import Row, pentice_slope, roof_slopes
from facades import deal_facades, facade_pool, place_face_items, reserve_walls, seeded_doors, set_extremes
from fixed_rows import (court_end_rows, fixed, gate_posts, head_rows, ramp_row, timbered_rows, turned21_rows,
                        turned33_more, turned33_rows, west_street_timbers)
from roofs import item_fit, keep_roof_ranges, lay_roof_items, rafter_spots, roof_pool, seen_from_town
import town

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


def section_of(group):
    for k, groups in enumerate(SECTIONS):
        if group in groups:
            return k
    raise KeyError(group)


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
