#!/usr/bin/env python3
"""Reads what an X server shows, for the end-to-end tests: pixels of the screen and the
cursor's image. Python 3 standard library, with libX11 and libXfixes through ctypes.

  xscreen.py yellow X0 Y0 X1 Y1   target-yellow pixels in the rectangle: "COUNT MEAN_ROW"
  xscreen.py green X0 Y0 X1 Y1    crosshair-green pixels: "COUNT MEAN_COLUMN MEAN_ROW"
  xscreen.py marble X0 Y0 X1 Y1   pixels of the hall floor's red marble: "COUNT"
  xscreen.py white X0 Y0 X1 Y1    pure white pixels (the HUD's text): "COUNT"
  xscreen.py digest X0 Y0 X1 Y1   a digest of the rectangle's pixels
  xscreen.py cursor               the cursor image: "WIDTH HEIGHT DIGEST"
  xscreen.py maximise WINDOW      ask the window manager to maximise the window (id in hex)
  xscreen.py png FILE [X0 Y0 X1 Y1]  the screen (or a rectangle of it) as a PNG
"""
import ctypes, hashlib, struct, sys, zlib
from ctypes import POINTER, byref, c_char_p, c_int, c_short, c_ulong, c_ushort, c_void_p

X = ctypes.CDLL('libX11.so.6')
X.XOpenDisplay.restype = c_void_p
X.XOpenDisplay.argtypes = [c_char_p]
X.XDefaultRootWindow.restype = c_ulong
X.XDefaultRootWindow.argtypes = [c_void_p]


class XImage(ctypes.Structure):
    _fields_ = [('width', c_int), ('height', c_int), ('xoffset', c_int), ('format', c_int),
                ('data', POINTER(ctypes.c_ubyte)), ('byte_order', c_int), ('bitmap_unit', c_int),
                ('bitmap_bit_order', c_int), ('bitmap_pad', c_int), ('depth', c_int),
                ('bytes_per_line', c_int), ('bits_per_pixel', c_int), ('red_mask', c_ulong),
                ('green_mask', c_ulong), ('blue_mask', c_ulong)]


X.XGetImage.restype = POINTER(XImage)
X.XGetImage.argtypes = [c_void_p, c_ulong, c_int, c_int, ctypes.c_uint, ctypes.c_uint, c_ulong, c_int]
Z_PIXMAP = 2
DISPLAY = X.XOpenDisplay(None)
if not DISPLAY:
    sys.exit('xscreen: cannot open the display')


def pixels(x0, y0, x1, y1):
    """Rows of (r, g, b) tuples of the rectangle."""
    image = X.XGetImage(DISPLAY, X.XDefaultRootWindow(DISPLAY), x0, y0, x1 - x0, y1 - y0, ~0 & 0xFFFFFFFF,
                        Z_PIXMAP).contents
    if image.bits_per_pixel != 32:
        sys.exit('xscreen: %d bits per pixel are not read here' % image.bits_per_pixel)
    raw = ctypes.string_at(image.data, image.bytes_per_line * image.height)
    rows = []
    for y in range(image.height):
        line = raw[y * image.bytes_per_line: y * image.bytes_per_line + 4 * image.width]
        rows.append([(line[i + 2], line[i + 1], line[i]) for i in range(0, len(line), 4)])
    return rows


def select(rect, keep):
    x0, y0 = rect[0], rect[1]
    count = sx = sy = 0
    for y, row in enumerate(pixels(*rect)):
        for x, (r, g, b) in enumerate(row):
            if keep(r, g, b):
                count += 1
                sx += x0 + x
                sy += y0 + y
    return count, (sx / count if count else -1), (sy / count if count else -1)


def cursor():
    xf = ctypes.CDLL('libXfixes.so.3')

    class Image(ctypes.Structure):
        _fields_ = [('x', c_short), ('y', c_short), ('width', c_ushort), ('height', c_ushort),
                    ('xhot', c_ushort), ('yhot', c_ushort), ('serial', c_ulong),
                    ('pixels', POINTER(c_ulong)), ('atom', c_ulong), ('name', c_char_p)]
    xf.XFixesQueryExtension.argtypes = [c_void_p, POINTER(c_int), POINTER(c_int)]
    xf.XFixesGetCursorImage.restype = POINTER(Image)
    xf.XFixesGetCursorImage.argtypes = [c_void_p]
    event, error = c_int(), c_int()
    if not xf.XFixesQueryExtension(DISPLAY, byref(event), byref(error)):
        sys.exit('xscreen: no XFIXES extension')
    image = xf.XFixesGetCursorImage(DISPLAY).contents
    argb = b''.join(struct.pack('<I', image.pixels[i] & 0xFFFFFFFF) for i in range(image.width * image.height))
    return image.width, image.height, hashlib.sha1(argb).hexdigest()[:16]


def maximise(window):
    """Asks the window manager, as a task bar's button does, to maximise the window."""
    class ClientMessage(ctypes.Structure):
        _fields_ = [('type', c_int), ('serial', c_ulong), ('send_event', c_int), ('display', c_void_p),
                    ('window', c_ulong), ('message_type', c_ulong), ('format', c_int), ('l', ctypes.c_long * 5)]

    class Event(ctypes.Union):
        _fields_ = [('xclient', ClientMessage), ('pad', ctypes.c_long * 24)]
    X.XInternAtom.restype = c_ulong
    X.XInternAtom.argtypes = [c_void_p, c_char_p, c_int]
    X.XSendEvent.argtypes = [c_void_p, c_ulong, c_int, ctypes.c_long, POINTER(Event)]
    X.XFlush.argtypes = [c_void_p]
    atom = lambda name: X.XInternAtom(DISPLAY, name, 0)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = window
    event.xclient.message_type = atom(b'_NET_WM_STATE')
    event.xclient.format = 32
    event.xclient.l[0] = 1  # add
    event.xclient.l[1] = atom(b'_NET_WM_STATE_MAXIMIZED_VERT')
    event.xclient.l[2] = atom(b'_NET_WM_STATE_MAXIMIZED_HORZ')
    event.xclient.l[3] = 1  # from an application
    substructure = (1 << 19) | (1 << 20)
    X.XSendEvent(DISPLAY, X.XDefaultRootWindow(DISPLAY), 0, substructure, byref(event))
    X.XFlush(DISPLAY)


def png(path, rect):
    rows = pixels(*rect)
    raw = b''.join(b'\0' + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 2, 0, 0, 0)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def main(args):
    if args[0] == 'yellow':  # the targets: full red and green, little blue
        count, _, row = select(tuple(map(int, args[1:5])), lambda r, g, b: r > 220 and g > 220 and b < 90)
        print(count, round(row, 1))
    elif args[0] == 'green':  # the crosshair's points: green well above red and blue
        count, column, row = select(tuple(map(int, args[1:5])), lambda r, g, b: g > 120 and g > r + 80 and g > b + 80)
        print(count, round(column, 1), round(row, 1))
    elif args[0] == 'marble':  # the hall floor's red tiles: red well above green and blue
        count, _, _ = select(tuple(map(int, args[1:5])), lambda r, g, b: r > 110 and r > g + 60 and r > b + 60)
        print(count)
    elif args[0] == 'white':
        count, _, _ = select(tuple(map(int, args[1:5])), lambda r, g, b: r == g == b == 255)
        print(count)
    elif args[0] == 'digest':
        rows = pixels(*map(int, args[1:5]))
        print(hashlib.sha1(bytes(c for row in rows for p in row for c in p)).hexdigest()[:16])
    elif args[0] == 'cursor':
        print(*cursor())
    elif args[0] == 'maximise':
        maximise(int(args[1], 16))
    elif args[0] == 'png':
        X.XDisplayWidth.argtypes = X.XDisplayHeight.argtypes = [c_void_p, c_int]
        whole = (0, 0, X.XDisplayWidth(DISPLAY, 0), X.XDisplayHeight(DISPLAY, 0))
        png(args[1], tuple(map(int, args[2:6])) if len(args) >= 6 else whole)
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv[1:] or ['help'])
