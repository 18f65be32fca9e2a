#!/usr/bin/env python3
"""The cursor the X server shows at the pointer, for the end-to-end scripts.

Under Wine each top-level window has an X cursor of its own, so what a user sees is read from the
X server (XFixes), not from the program.

  cursor_probe.py              one line: the image's signature (size and hot spot) and hash,
                               and the top-level X window under the pointer
  cursor_probe.py watch MS [WINDOW HASH]
                               one line per change of image or of the top-level X window under
                               the pointer over MS milliseconds: time, signature, hash, window;
                               given a window and an image, it stops early once that image shows
                               over that window again after another one did (the blank 1x1 image the
                               X server shows while a window's cursor changes counts for none)
"""
import ctypes
import ctypes.util
import sys
import time
import zlib


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong))]


def load(name):
    path = ctypes.util.find_library(name)
    if not path:
        sys.exit("cursor_probe: no lib%s" % name)
    return ctypes.CDLL(path)


x11 = load("X11")
xfixes = load("Xfixes")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
x11.XFree.argtypes = [ctypes.c_void_p]
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cursor_probe: no display")
root = x11.XDefaultRootWindow(display)


def cursor():
    """The signature WxH+xhot+yhot and a hash of the pixels of the cursor shown now."""
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        sys.exit("cursor_probe: no cursor image (XFixes missing?)")
    i = image.contents
    count = i.width * i.height
    pixels = bytes(ctypes.cast(i.pixels, ctypes.POINTER(ctypes.c_ulong * count)).contents)
    signature = "%dx%d+%d+%d" % (i.width, i.height, i.xhot, i.yhot)
    x11.XFree(image)
    return signature, "%08x" % zlib.crc32(pixels)


def under_pointer():
    """The top-level X window under the pointer, 0 over the root."""
    r, child = ctypes.c_ulong(), ctypes.c_ulong()
    n = [ctypes.c_int() for _ in range(4)]
    mask = ctypes.c_uint()
    x11.XQueryPointer(display, root, ctypes.byref(r), ctypes.byref(child),
                      *[ctypes.byref(v) for v in n], ctypes.byref(mask))
    return child.value


if len(sys.argv) in (3, 5) and sys.argv[1] == "watch":
    span = float(sys.argv[2]) / 1000
    back = (int(sys.argv[3], 0), sys.argv[4]) if len(sys.argv) == 5 else None
    start = time.monotonic()
    last, left = None, False
    while time.monotonic() - start < span:
        signature, image = cursor()
        window = under_pointer()
        if (signature, image, window) != last:
            print("%8.1f %s %s 0x%x" % ((time.monotonic() - start) * 1000, signature, image, window),
                  flush=True)
            last = (signature, image, window)
        if back and window == back[0]:
            if image != back[1] and signature != "1x1+0+0":  # not the blank between two
                left = True
            elif left:
                break
        time.sleep(0.005)
else:
    print("%s %s 0x%x" % (*cursor(), under_pointer()))
