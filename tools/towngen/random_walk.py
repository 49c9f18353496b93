#!/usr/bin/env python3
"""Writes a zeb-replay script of a random walk through the town: into world 2, then runs
of the Up arrow along the axes (where the walls are), some with a sideways key held
(diagonal steps), some jumping, some lowering or raising the gates, each followed by
checks that the player is still on the ground.

    random_walk.py [FRAMES [SEED]] > walk.replay     (default 10000 frames, seed 1)

The script is the record: the same seed gives the same script, and the program's run of
it is deterministic."""
import random
import sys


def script(frames, seed):
    rng = random.Random(seed)
    out = ['# a random walk through the town, %d frames of it, seed %d' % (frames, seed),
           'viewport 256 192', 'answer no', 'frames 1',
           'place -6.5 -7 0.59 0 0', 'walk 1', 'expect world == 2']
    done = 0
    while done < frames:
        run = min(rng.randint(20, 240), frames - done)
        out.append('face %d' % (rng.choice((0, 90, 180, 270)) + rng.choice((0, 0, 0, 5, -5, 45))))
        extra = rng.random()
        held = None
        if extra < 0.25:
            held = rng.choice(('Left', 'Right'))
        elif extra < 0.35:
            held = rng.choice(('I', 'Y'))
        elif extra < 0.45:
            out.append('tap End')
        if held:
            out.append('key %s down' % held)
        out.append('walk %d' % run)
        if held:
            out.append('key %s up' % held)
        done += run
        out += ['expect world == 2', 'expect x > -87', 'expect x < 15', 'expect z > -25', 'expect z < 35',
                'expect eye_height > 0.5']
    out.append('state')
    return '\n'.join(out) + '\n'


if __name__ == '__main__':
    frames = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    sys.stdout.write(script(frames, seed))
