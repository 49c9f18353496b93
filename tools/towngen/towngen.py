#!/usr/bin/env python3
"""Writes the town of world 2 from its description (town.py): the layout table
(scene/world2_layout.cpp), the wall table (nav/world2_walls.cpp) and the level's
triangles (tools/levelgen/world2_level.inc, which zeb-levelgen writes to level2.txt).

    towngen.py                regenerate the three files and the digest of what made them
    towngen.py --check        fail unless the recorded digest matches the generator and the
                              committed files (quick: nothing is generated)
    towngen.py --check-full   regenerate in memory and fail if a committed file differs

Python 3 standard library only; deterministic."""
import hashlib
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from common import (ROOT, Face, clip_to_ground, emit_pentice, emit_roof, faces_of, faces_outward,  # noqa: E402
                    open_parts, wall_with_holes)
from closure import ways_out  # noqa: E402
from layout import build_layout  # noqa: E402
from street_level import fixed_level  # noqa: E402
from requirements import misses  # noqa: E402
import town  # noqa: E402
from walls import build_walls  # noqa: E402
from writers import report, write_layout, write_level, write_walls  # noqa: E402


HERE = os.path.dirname(os.path.abspath(__file__))
DIGEST = os.path.join(HERE, 'digest.txt')
OUTPUTS = [os.path.join('scene', 'world2_layout.cpp'), os.path.join('nav', 'world2_walls.cpp'),
           os.path.join('tools', 'levelgen', 'world2_level.inc')]


def digest_lines():
    """One line per file the tables come from or consist of: its SHA-256 and its path."""
    sources = sorted(os.path.join('tools', 'towngen', n) for n in os.listdir(HERE)
                     if n.endswith('.py') or (n.endswith('.txt') and n != 'digest.txt'))
    lines = []
    for rel in sources + OUTPUTS:
        with open(os.path.join(ROOT, rel), 'rb') as f:
            lines.append('%s  %s' % (hashlib.sha256(f.read()).hexdigest(), rel.replace(os.sep, '/')))
    return lines


def quick_check():
    recorded = open(DIGEST).read().splitlines() if os.path.exists(DIGEST) else []
    stale = sorted(set(digest_lines()) ^ set(recorded))
    if stale:
        names = sorted({line.split('  ', 1)[1] for line in stale})
        print('towngen: changed since the tables were written: ' + ', '.join(names) +
              '; run tools/towngen/towngen.py', file=sys.stderr)
        return 1
    return 0


def main():
    if '--check' in sys.argv:
        return quick_check()
    check = '--check-full' in sys.argv
    blocks = town.town_blocks()
    rows, walls = [], []
    street_faces = []
    per_block_faces = {}

    # --- open faces, walls and level walls
    for i, bl in enumerate(blocks):
        slot = bl.slot if bl.slot is not None else town.WALL_SLOTS[i % len(town.WALL_SLOTS)]
        bl.slot = slot
        per_block_faces[bl.name] = []
        for facing, plane, lo, hi in faces_of(bl):
            if faces_outward(facing, plane):
                continue
            for a, b in open_parts(bl, blocks, facing, plane, lo, hi):
                face = Face(bl, facing, plane, a, b)
                per_block_faces[bl.name].append(face)
                if not bl.garden and b - a >= 2.0 and clip_to_ground(facing, plane, a, b):
                    street_faces.append(face)

    # --- fixed rows and the rows of the pieces
    layout = build_layout(blocks, per_block_faces, street_faces)

    # --- level: walls with their holes, roofs
    for bl in blocks:
        for face in per_block_faces[bl.name]:
            height = bl.height
            wall_with_holes(bl.slot if not bl.garden else town.SLOT_STONE, face.facing, face.plane, face.a, face.b,
                            0.0, height, face.holes, bl.name)
        emit_roof(bl, bl.slot)
    by_name = {bl.name: bl for bl in blocks}
    for pe in town.town_pentices():
        emit_pentice(pe, by_name[pe.host])
    fixed_level()

    # --- walls table, which must close the town
    walls = build_walls(blocks, per_block_faces)
    ways = ways_out(walls)
    if ways:
        print('towngen: the wall table lets the player out of the town, nothing written:\n  ' + '\n  '.join(ways),
              file=sys.stderr)
        return 1

    missed = misses(layout, walls)
    if missed:
        print('towngen: the tables miss their requirements (requirements.txt), nothing written:\n  ' +
              '\n  '.join(missed), file=sys.stderr)
        return 1

    outputs = {
        os.path.join(ROOT, 'scene', 'world2_layout.cpp'): write_layout(layout),
        os.path.join(ROOT, 'nav', 'world2_walls.cpp'): write_walls(walls),
        os.path.join(ROOT, 'tools', 'levelgen', 'world2_level.inc'): write_level(),
    }
    report(layout, walls)
    stale = []
    for path, text in outputs.items():
        old = open(path).read() if os.path.exists(path) else None
        if old != text:
            stale.append(path)
            if not check:
                with open(path, 'w') as f:
                    f.write(text)
    if check and stale:
        print('towngen: out of date: ' + ', '.join(stale), file=sys.stderr)
        return 1
    if not check:
        with open(DIGEST, 'w') as f:
            f.write('\n'.join(digest_lines()) + '\n')
    return 0


if __name__ == '__main__':
    sys.exit(main())
