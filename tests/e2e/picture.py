"""Screenshots and the game's bitmaps as plain RGB grids, and what the checks read from them.

The checks know the screen only as a player sees it: colours at places, text drawn with the
bitmap font, and the ship somewhere along the bottom of the play field.
"""

import struct
import zlib

NAVY = (7, 4, 48)
LOGO_GREY = (185, 196, 188)
PROMPT_YELLOW = (251, 254, 16)
PANEL_BLUE_GREY = (121, 134, 150)
TRANSPARENT_INDEX = 145

PLAY_LEFT, PLAY_RIGHT = 150, 630
SHIP_TOP = 448  # the ship keeps to the bottom row of 32 pixels

FPS_BOX = (0, 0, 64, 16)  # left, top, right, bottom (exclusive)
SCORE_BOX = (20, 50, 132, 66)


def close(colour, target, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, target))


class Picture:
    """A width x height RGB picture, row 0 at the top, kept as the screenshot's bytes."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = data

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, box, predicate):
        left, top, right, bottom = box
        return sum(1 for y in range(top, bottom) for x in range(left, right)
                   if predicate(self.at(x, y)))

    def sample(self, left, top, step, width=640, height=480):
        """Every `step`-th pixel from (left, top): a picture scaled up by `step`, scaled back."""
        rows = []
        for y in range(height):
            start = ((top + y * step) * self.width + left) * 3
            line = self.data[start:start + width * step * 3]
            rows.append(b"".join(line[i:i + 3] for i in range(0, len(line), step * 3)))
        return Picture(width, height, b"".join(rows))

    def save(self, path):
        with open(path, "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (self.width, self.height) + self.data)


def parse_ppm(data):
    """Reads a binary PPM (P6, 8 bits a channel) as ImageMagick's `import` writes it."""
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1  # the one whitespace byte before the pixels
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = bytes(data[pos:pos + width * height * 3])
    if len(pixels) != width * height * 3:
        raise ValueError("truncated PPM")
    return Picture(width, height, pixels)


def load_ppm(path):
    with open(path, "rb") as source:
        return parse_ppm(source.read())


class Bitmap:
    """An 8-bit bottom-up BMP file: palette indices in screen order and its colour table."""

    def __init__(self, path):
        with open(path, "rb") as source:
            data = source.read()
        if data[:2] != b"BM":
            raise ValueError(path + " is not a bitmap file")
        offset = struct.unpack_from("<I", data, 10)[0]
        _, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
        if bits != 8 or height <= 0:
            raise ValueError(path + " is not a bottom-up 8-bit bitmap")
        self.width, self.height = width, height
        self.palette = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i])
                        for i in range(256)]
        self.indices = [data[offset + (height - 1 - y) * width:][:width] for y in range(height)]

    def colour(self, x, y):
        return self.palette[self.indices[y][x]]


class Font:
    """The bitmap font of STRINGS: six rows of 8x16 glyphs for codes 32 to 106."""

    CODES = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"

    def __init__(self, strings):
        self.strings = strings
        self.glyphs = {}

    def _glyph(self, code, row):
        if (code, row) not in self.glyphs:
            self.glyphs[code, row] = self._opaque_pixels(code, row)
        return self.glyphs[code, row]

    def _opaque_pixels(self, code, row):
        left, top = (ord(code) - 32) * 8, row * 16
        return [(dx, dy, self.strings.colour(left + dx, top + dy))
                for dy in range(16) for dx in range(8)
                if self.strings.indices[top + dy][left + dx] != TRANSPARENT_INDEX]

    def read(self, picture, x, y, row, length):
        """The characters drawn at (x, y) in font `row`; '?' where no glyph fits."""
        text = ""
        for i in range(length):
            best, best_size = "?", -1
            for code in self.CODES:
                glyph = self._glyph(code, row)
                if len(glyph) > best_size and all(
                        close(picture.at(x + i * 8 + dx, y + dy), colour, 8)
                        for dx, dy, colour in glyph):
                    best, best_size = code, len(glyph)
            text += best
        return text


def ship_centre(picture, back):
    """The middle column of the widest run of columns along the bottom of the play field that
    differ from the background picture, or None when nothing is drawn there."""
    marked = []
    for x in range(PLAY_LEFT, PLAY_RIGHT):
        changed = sum(1 for y in range(SHIP_TOP, 480)
                      if not close(picture.at(x, y), back.colour(x, y), 24))
        marked.append(changed >= 2)
    best, start = None, None
    for i, on in enumerate(marked + [False]):
        if on and start is None:
            start = i
        elif not on and start is not None:
            if best is None or i - start > best[1] - best[0]:
                best = (start, i)
            start = None
    if best is None or best[1] - best[0] < 8:
        return None
    return PLAY_LEFT + (best[0] + best[1]) // 2


def unfilter_rows(raw, width, height, bpp=3):
    """The pixel rows of decompressed PNG data, each row's filter (none, sub, up, average or
    Paeth) undone."""
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = row[x - bpp] if x >= bpp else 0
            up = previous[x]
            corner = previous[x - bpp] if x >= bpp else 0
            if kind == 1:
                row[x] = (row[x] + left) & 0xFF
            elif kind == 2:
                row[x] = (row[x] + up) & 0xFF
            elif kind == 3:
                row[x] = (row[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                estimate = left + up - corner
                a, b, c = abs(estimate - left), abs(estimate - up), abs(estimate - corner)
                nearest = left if a <= b and a <= c else up if b <= c else corner
                row[x] = (row[x] + nearest) & 0xFF
            elif kind != 0:
                raise ValueError(f"unknown PNG filter {kind}")
        rows.append(bytes(row))
        previous = row
    return rows


def parse_png(data):
    """Reads an 8-bit RGB PNG, as the headless backend writes its pictures."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, header, compressed = 8, None, b""
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        pos += 12 + length
    width, height, depth, colour = header[:4]
    if depth != 8 or colour != 2 or header[6] != 0:
        raise ValueError("not an 8-bit RGB PNG without interlacing")
    rows = unfilter_rows(zlib.decompress(compressed), width, height)
    return Picture(width, height, b"".join(rows))


def load_png(path):
    with open(path, "rb") as source:
        return parse_png(source.read())


def ink_box(picture, box, predicate):
    """(left, top, right, bottom) of the pixels in `box` that match, exclusive; None if none."""
    left, top, right, bottom = box
    xs, ys = [], []
    for y in range(top, bottom):
        for x in range(left, right):
            if predicate(picture.at(x, y)):
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if xs else None
