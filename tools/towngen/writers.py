"""Writes the generated tables as source, and reports their counts."""
from collections import Counter

from common import GABLES, QUADS, fmt

GENERATED = 'Written by tools/towngen/towngen.py from the town\'s description; edit that and run it again.'


def f(v, width=8):
    s = fmt(v)
    if '.' not in s:
        s += '.0'
    return (s + 'f').rjust(width)


AXES = {(1, 0, 0): '1, 0, 0', (0, 1, 0): '0, 1, 0', (0, 0, 1): '0, 0, 1', (1, 0, 1): '1, 0, 1'}


def write_layout(rows):
    out = ['// The town\'s layout: every catalogue model placed on its facade, roof or ground, house',
           '// by house from the plank walkway in the east to the courtyard in the west.',
           '// ' + GENERATED,
           '#include "scene/world2_layout.h"',
           '',
           '#include "scene/blocks.h"',
           '#include "scene/models.h"',
           '',
           '#include <iterator>',
           '',
           '// clang-format off',
           'const ModelPlacement WORLD2_LAYOUT[] = {']
    width = max(len(r.model) for r in rows) + 1
    for r in rows:
        if r.note:
            out.append('    // ' + r.note)
        rots = ', '.join('{%s, %s}' % (fmt(a).rjust(4), AXES[tuple(int(c) for c in ax)]) for a, ax in r.rotations)
        out.append('    {%s {%s, %s, %s}, %d, {%s}},' % ((r.model + ',').ljust(width), f(r.t[0]), f(r.t[1], 6),
                                                      f(r.t[2]), len(r.rotations), rots))
    out += ['};',
            '// clang-format on',
            'static_assert(std::size(WORLD2_LAYOUT) == WORLD2_LAYOUT_ROWS);',
            '',
            'void draw_world2_layout_row(const ModelPlacement& row) {',
            '    Placement block;',
            '    glTranslatef(row.translation.x, row.translation.y, row.translation.z);',
            '    for (int k = 0; k < row.rotation_count; ++k) {',
            '        const ModelRotation& r = row.rotations[k];',
            '        glRotatef(r.angle, r.axis_x, r.axis_y, r.axis_z);',
            '    }',
            '    row.model();',
            '}',
            '',
            'void draw_world2_layout() {',
            '    for (const ModelPlacement& row : WORLD2_LAYOUT) draw_world2_layout_row(row);',
            '}',
            '']
    return '\n'.join(out)


def write_walls(walls):
    out = ['// The town\'s wall table: the ground, the two stepped thresholds, the gates\' walls whose',
           '// tops follow the gate heights, and every wall face of the houses, yards, rails and',
           '// arcade that the player can reach. ' + GENERATED,
           '#include "nav/contacts.h"',
           '',
           '#include <iterator>',
           '',
           'namespace {',
           'constexpr GateLink NONE = GateLink::None;',
           'constexpr GateLink WIDE = GateLink::World2Wide;',
           'constexpr GateLink CORNER = GateLink::World2Corner;',
           '} // namespace',
           '',
           '// clang-format off',
           'const WallSegment WORLD2_WALLS[] = {']
    for w in walls:
        if w.note:
            out.append('    // ' + w.note)
        out.append('    {{%s, %s, %s}, {%s, %s, %s}, %s},' % (f(w.a[0]), f(w.a[1], 6), f(w.a[2]), f(w.b[0]),
                                                           f(w.b[1], 6), f(w.b[2]), w.gate))
    out += ['};',
            '// clang-format on',
            '',
            'const int WORLD2_WALL_COUNT = static_cast<int>(std::size(WORLD2_WALLS));',
            'static_assert(std::size(WORLD2_WALLS) == 299);',
            '']
    return '\n'.join(out)


def write_level():
    out = ['// The town\'s level triangles by house: ground, walls with their openings, roofs, gables,',
           '// steps, rails. Corners counter-clockwise seen from outside; each quad is two',
           '// consecutive triangles of one plane. ' + GENERATED,
           '// clang-format off']
    last = None
    for slot, c, note in QUADS:
        if note != last:
            out.append('// ' + note)
            last = note
        for tri in ((0, 2, 3), (0, 1, 2)):
            out.append('{%2d, {%s}},' % (slot, ', '.join('{%s}' % ', '.join(f(v, 0) for v in c[k]) for k in tri)))
    for slot, t1, t2, note in GABLES:
        if note != last:
            out.append('// ' + note)
            last = note
        for tri in (t1, t2):
            out.append('{%2d, {%s}},' % (slot, ', '.join('{%s}' % ', '.join(f(v, 0) for v in p) for p in tri)))
    out.append('// clang-format on')
    out.append('')
    return '\n'.join(out)


def report(rows, walls):
    import pieces
    have = Counter(r.model for r in rows)
    for model, n in pieces.MODEL_ROWS.items():
        if have[model] != n:
            print('towngen: %s has %d rows, the table wants %d' % (model, have[model], n))
    kinds = Counter(w.kind() for w in walls)
    rot = Counter(len(r.rotations) for r in rows)
    print('towngen: %d rows (rotations %s), %d walls %s, %d level triangles' % (
        len(rows), dict(sorted(rot.items())), len(walls), dict(kinds), 2 * len(QUADS) + 2 * len(GABLES)))
