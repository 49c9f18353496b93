"""Small vector and rotation helpers for the town generator (OpenGL conventions)."""
import math


def rot(angle, axis):
    """The 3x3 matrix glRotatef(angle, axis) multiplies by."""
    x, y, z = axis
    n = math.sqrt(x * x + y * y + z * z)
    x, y, z = x / n, y / n, z / n
    a = math.radians(angle)
    c, s = math.cos(a), math.sin(a)
    t = 1 - c
    return [[t * x * x + c, t * x * y - s * z, t * x * z + s * y],
            [t * x * y + s * z, t * y * y + c, t * y * z - s * x],
            [t * x * z - s * y, t * y * z + s * x, t * z * z + c]]


def matmul(a, b):
    return [[sum(a[i][k] * b[k][j] for k in range(3)) for j in range(3)] for i in range(3)]


def apply(m, v):
    return tuple(sum(m[i][k] * v[k] for k in range(3)) for i in range(3))


_COMPOSED = {}  # the generator asks for the same few hundred turns again and again


def compose(rotations):
    """The matrix of a row's rotations in list order (the last acts first)."""
    key = tuple(rotations)
    if key not in _COMPOSED:
        m = [[1, 0, 0], [0, 1, 0], [0, 0, 1]]
        for angle, axis in rotations:
            m = matmul(m, rot(angle, axis))
        _COMPOSED[key] = m
    return _COMPOSED[key]


def add(a, b):
    return tuple(p + q for p, q in zip(a, b))


def sub(a, b):
    return tuple(p - q for p, q in zip(a, b))


def scale(a, k):
    return tuple(p * k for p in a)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return sum(p * q for p, q in zip(a, b))


def norm(a):
    n = math.sqrt(dot(a, a))
    return tuple(p / n for p in a)


Y_AXIS = (0, 1, 0)
X_AXIS = (1, 0, 0)
Z_AXIS = (0, 0, 1)

# Outward directions of axis-aligned facades.
FACINGS = {'+x': (1, 0, 0), '-x': (-1, 0, 0), '+z': (0, 0, 1), '-z': (0, 0, -1)}
