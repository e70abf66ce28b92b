#!/usr/bin/env python3
"""Writes the seed corpora of the targets whose input libFuzzer's FuzzedDataProvider reads:
each seed is described here by the values the target takes from it, in the order the target
takes them, and laid out as FuzzedDataProvider reads them back (numbers from the end, texts
from the front). Run it after changing the order in which a target takes its input:

    fuzz/seeds.py            # writes fuzz/corpus/<target>/<seed>
"""

import os
import sys

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


class Seed:
    """The bytes FuzzedDataProvider turns into the values given, in order."""

    def __init__(self):
        self.front = bytearray()
        self.back = []  # bytes in the order they are taken from the end

    def integral(self, value, low, high):
        span = high - low
        assert low <= value <= high
        v = value - low
        n = 0
        while n < 8 and (span >> (8 * n)) > 0:
            n += 1
        for k in reversed(range(n)):  # the first byte taken is the most significant
            self.back.append((v >> (8 * k)) & 0xFF)
        return self

    def boolean(self, value):
        return self.integral(1 if value else 0, 0, 255)

    def byte(self, value):
        return self.integral(value, 0, 255)

    def int32(self, value):
        return self.integral(value, -(2**31), 2**31 - 1)

    def pick(self, index, count):
        return self.integral(index, 0, count - 1)

    def colour(self, rgb):
        for channel in rgb:
            self.byte(channel)
        return self

    def string(self, text, limit):
        """ConsumeRandomLengthString(limit)."""
        data = text.encode() if isinstance(text, str) else bytes(text)
        assert len(data) <= limit
        for b in data:
            self.front.append(b)
            if b == 0x5C:
                self.front.append(0x5C)
        if len(data) < limit:
            self.front += b"\\x"  # a backslash and another byte end the string
        return self

    def rest(self, text):
        """ConsumeRemainingBytesAsString: everything not taken otherwise."""
        self.front += text.encode() if isinstance(text, str) else bytes(text)
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# ---- Gradient text (gradient_text, and html5 after its first choice): TextInputs.h.

COUNTS = ["", "2", "3", "4", "1", "0", "-1", "9", "+3", "$3", " 2", "2 ", "x4", "0x3", "-9",
          "2147483647"]
SIZES = ["", "3", "+1", "-2", "7", "大", "1\"2", "\\", "<>", "&", " 4", "ソ"]
RED, WHITE, GREEN, BLUE = (255, 0, 0), (255, 255, 255), (0, 255, 0), (0, 0, 255)


def text_options(seed, colours=(RED, WHITE, GREEN, BLUE), last=1, count="2", size="3",
                 decorations=(), marquee=None, scope="char"):
    for c in colours:
        seed.colour(c)
    seed.integral(last, 1, 3)
    seed.boolean(True).pick(COUNTS.index(count), len(COUNTS))
    seed.boolean(True).pick(SIZES.index(size), len(SIZES))
    for flag in ("bold", "italic", "underline", "strike", "tt", "blink", "tateichi", "sup",
                 "sub"):
        seed.boolean(flag in decorations)
    seed.boolean(marquee is not None)
    direction, behaviour = marquee or ("left", 0)
    seed.boolean(direction == "left").integral(behaviour, 0, 2)
    seed.boolean(scope == "char")
    return seed


def gradient_text(name, text, file=False, utf8=True, lines=True, crlf=False, page=False,
                  **options):
    seed = text_options(Seed(), **options)
    seed.boolean(utf8).boolean(lines).boolean(not crlf)
    if utf8:
        seed.integral(0 if page else 1, 0, 7)
    seed.boolean(file).boolean(True).rest(text)
    write("gradient_text", name, seed.bytes())


def html5_text(name, text, file=False, utf8=True, lines=True, crlf=False, **options):
    seed = Seed().integral(2, 0, 3)
    text_options(seed, **options)
    seed.boolean(utf8).boolean(lines).boolean(not crlf)
    seed.boolean(file).boolean(True).rest(text)
    write("html5", name, seed.bytes())


def sjis(text):
    return text.encode("cp932")


def gradient_text_seeds():
    gradient_text("letters", "ABCDEFGHIJ")
    gradient_text("double-byte", "あい")
    gradient_text("escapes", "AB\\nXY")
    gradient_text("escape-first", "\\nAB", count="3")
    gradient_text("so-then-n", "ソn")  # the second byte of ソ is a backslash
    gradient_text("leftovers", "ABCDEFG", count="4", size="")
    gradient_text("one-character-per-segment", "AB", count="3")
    gradient_text("no-form", "A😀B\xa5", utf8=False, size="+1")
    gradient_text("count-nine", "ABCDEFGHIJKL", count="9")
    gradient_text("count-not-a-number", "AB", count="x4")
    gradient_text("size-not-a-number", "AB", size="大")
    gradient_text("all-decorations", "AB", decorations=("bold", "italic", "underline",
                                                        "strike", "tt", "blink", "tateichi",
                                                        "sup"))
    gradient_text("scope-string-empty", "", scope="string", lines=True)
    gradient_text("marquee-right-alternate", "AB", marquee=("right", 2), lines=False)
    gradient_text("page", "A<&>", page=True, crlf=True)
    gradient_text("file", b"AB\r\n\r\nCD\r\n\x82", file=True)
    gradient_text("file-one-line", b"ABC", file=True)
    gradient_text("file-mixed-ends", sjis("あいう\rえ\n\nお") + b"\\n\x00after", file=True,
                  utf8=False)


def html5_seeds():
    html5_text("letters", "ABCDEFGHIJ")
    html5_text("escaped", "<b>&amp;</b>\"'")
    html5_text("controls", "A\x01\x7f\u0085\ufdd0\ufffe\xff", lines=False)
    html5_text("cp932", "あ😀<", utf8=False, decorations=("blink",), marquee=("right", 1))
    html5_text("escapes-scope-string", "A\\nB", scope="string",
               decorations=("bold", "tateichi", "sub"))
    html5_text("file", b"AB\r\n\x82\xa0<&>\r\n\x81", file=True)

    def table(name, cols, rows, lengths, css=False, page=False, lines=True):
        seed = Seed().integral(0, 0, 3)
        seed.integral(cols, -2, 24).integral(rows, -2, 24).integral(1, 0, 7)
        for text in lengths:
            seed.boolean(False).string(text, 8)
        for c in (RED, WHITE, GREEN, BLUE):
            seed.colour(c)
        seed.boolean(lines).boolean(True).boolean(page).boolean(css)
        write("html5", name, seed.bytes())

    table("table", 3, 3, ["0", "0", "12", "50%"])
    table("table-lengths", 2, 1, [" 3 ", "1.5", "2em", ".5"], lines=False, page=True)
    table("table-bad-length", 2, 2, ["1", "1\"", "1", "1"])
    table("css-gradient", 4, 2, ["", "", "10", "4px"], css=True)
    table("css-gradient-no-height", 4, 2, ["", "", "10", ""], css=True)

    def body(name, colours, page):
        seed = Seed().integral(1, 0, 3)
        for c in colours:
            seed.colour(c)
        seed.boolean(page).boolean(True)
        write("html5", name, seed.bytes())

    body("body", [WHITE, (0, 0, 0), BLUE, (128, 0, 128), RED], False)
    body("body-page", [(1, 2, 3), (4, 5, 6), (7, 8, 9), (10, 11, 12), (13, 14, 15)], True)


def css_color_seeds():
    def seed(name, text, colour=(255, 128, 0)):
        write("css_color", name, Seed().colour(colour).boolean(True).rest(text).bytes())

    seed("named", "RebeccaPurple")
    seed("hex6", "#FF8000")
    seed("hex6-bare", "ff8000", (0, 0, 0))
    seed("hex3", " #fff ", (255, 255, 255))
    seed("hex4-opaque", "#ffff")
    seed("hex8-transparent", "#ff800080")
    seed("rgb-space", "rgb(255 128 0)")
    seed("rgba-commas", "rgba(255, 128, 0, 1)")
    seed("rgb-percent", "RGB(50% 0% 100% / 100%)")
    seed("hsl-space", "hsl(30 100% 50%)", (1, 2, 3))
    seed("hsl-units", "hsla(0.5turn, 100%, 50%, 1)", (18, 52, 86))
    seed("none", "hsl(none 0% 50%)")
    seed("exponents", "rgb(1e400 1e-400 2.5e1)")
    seed("transparent", "transparent")
    seed("long-japanese", "あ" * 20, (0, 255, 255))


def stored_integer_seeds():
    # The kinds of file CheckSettingsFile makes, and the size classes of a regular file.
    kinds = {"missing": 0, "regular": 1, "link": 2, "dangling": 3, "loop": 4, "fifo": 5,
             "folder": 6, "link-to-folder": 7, "device": 8, "socket": 9}

    def seed(name, text, fallback=2, written=0, kind="missing", size=None, chain=False):
        s = Seed().int32(fallback).int32(written).string(text, 256)
        if kind == "under-a-file":
            s.integral(0, 0, 7)
        else:
            s.integral(1, 0, 7).pick(kinds[kind], 10)
            if kind in ("regular", "link"):
                if size <= 200:
                    s.pick(0, 4).integral(size, 0, 200)
                else:
                    s.pick(1, 4).integral(size - 65535, 0, 2)
            if kind == "link":
                s.boolean(chain)
        write("stored_integer", name, s.bytes())

    seed("window-type", "1", kind="regular", size=24)
    seed("left-negative", "-1280", 0, -1280, kind="link", size=65536, chain=True)
    seed("hex", "$FF", kind="regular", size=65537)
    seed("not-a-number", "true", 1, 1, kind="fifo")
    seed("empty", "", 2, 2)
    seed("trailing-blank", "12 ", 0, 12, kind="dangling")
    seed("too-big", "2147483648", 7, 2147483647, kind="device")
    seed("loop", "0", kind="loop")
    seed("folder", "0", kind="folder")
    seed("link-to-folder", "0", kind="link-to-folder")
    seed("socket", "0", kind="socket")
    seed("under-a-file", "0", kind="under-a-file")


def up_down_step_seeds():
    texts = ["", "0", "1", "99", "-1", "$7FFFFFFF", "2147483647", "-2147483648", " 5", "5 ",
             "x", "大", "0x10"]

    def seed(name, position, clicks):
        s = Seed().integral(position, 0, 100)
        for up, text in clicks:
            s.boolean(up)
            if text in texts:
                s.boolean(True).pick(texts.index(text), len(texts))
            else:
                s.boolean(False).string(text, 12)
        write("up_down_step", name, s.bytes())

    seed("up-then-down", 0, [(True, "1"), (False, "2"), (False, "1")])
    seed("at-the-top", 100, [(True, "5"), (False, "5"), (True, "4")])
    seed("bad-text-moves", 50, [(True, "x"), (True, "大"), (False, "12a")])
    seed("largest", 10, [(True, "2147483647"), (False, "-2147483648"), (True, "$FFFFFFFF")])


def cp932_seeds():
    def raw(name, data):
        write("cp932", name, Seed().integral(0, 0, 2).rest(data).bytes())

    raw("japanese", sjis("ティンソラ 表示 ①～"))
    raw("held-twice", b"\x87\x90\x81\xe0\xed\x40\xfa\x5c")  # NEC and IBM duplicates
    raw("lone-lead-byte", b"AB\x82")
    raw("outside", b"\x80\xa0\xfd\xfe\xff")
    raw("controls", b"\x1a\x1c\x7f\x00\x09")
    raw("bad-trail", b"\x81\x0a\x82\x7f\xfc\xfc")
    raw("utf8", "あ😀\u00ad".encode())

    ranges = [(0x20, 0x7E), (0x80, 0xFF), (0x2010, 0x2312), (0x2460, 0x24FF), (0x3000, 0x30FF),
              (0x4E00, 0x9FFF), (0xE000, 0xE757), (0xF900, 0xFA2D), (0xFF01, 0xFFEF),
              (0x00, 0x10FFFF)]
    edges = [0xF86F, 0x00A5, 0x203E, 0x00AD, 0x034F, 0x2252, 0x2261, 0x222B, 0x221A, 0x2235,
             0xFF5E, 0x301C, 0x2225, 0x2016, 0x2212, 0xFFE2, 0x00A6, 0x005C, 0x001A, 0x001C,
             0x007F, 0xFFFD, 0x2116, 0x2121]

    def points(name, code_points):
        s = Seed().integral(1, 0, 2)
        for c in code_points:
            if c in edges:
                s.integral(0, 0, 7).pick(edges.index(c), len(edges))
                continue
            k = next(i for i, (lo, hi) in enumerate(ranges) if lo <= c <= hi)
            s.integral(1, 0, 7).pick(k, len(ranges)).integral(c, *ranges[k])
        write("cp932", name, s.bytes())

    points("code-points", [ord(ch) for ch in "ティンソラ①～"] + [0xF86F, 0x2252, 0x00A5])

    def pairs(name, data):
        s = Seed().integral(2, 0, 2)
        for k in range(0, len(data), 2):
            lead, trail = data[k], data[k + 1]
            if lead <= 0x9F:
                s.boolean(True).integral(lead, 0x81, 0x9F)
            else:
                s.boolean(False).integral(lead, 0xE0, 0xFC)
            s.byte(trail)
        write("cp932", name, s.bytes())

    pairs("pairs", b"\x82\xa0\x83\x5c\x87\x40\xfc\x4b\x81\x00\xef\xff")


def cli_args_seeds():
    def seed(name, *args):
        write("cli_args", name, "\0".join(args).encode())

    seed("color", "color", "--type", "css-hsl", "--no-sharp", "#FF8000")
    seed("color-two", "color", "red", "blue")
    seed("body", "body", "--bgcolor", "white", "--link", "rgb(0 0 255)", "--check", "--style",
         "html5", "--page", "--crlf")
    seed("body-bad-colour", "body", "--bgcolor", "12345")
    seed("table", "table", "--cols", "2147483647", "--rows", "2147483647", "--padding", "1",
         "--colors", "red,white,green,blue", "--css-gradient", "--joined")
    seed("table-style-classic", "table", "--css-gradient", "--style", "classic")
    seed("text", "text", "--bold", "--sup", "--scope", "string", "--marquee", "right",
         "--behavior", "alternate", "--size", "+1", "--count", "3", "--", "-あ\\n")
    seed("text-file", "text", "--file", "@fifo", "--max-input", "18446744073709551615",
         "--encoding", "cp932")
    seed("text-sup-sub", "text", "--sup", "--sub", "A")
    seed("text-page-cp932", "text", "--page", "--encoding", "cp932", "A")
    seed("contrast", "contrast", "#777", "hsl(0 0% 100%)")
    seed("contrast-option", "contrast", "-1", "red")


def main():
    gradient_text_seeds()
    html5_seeds()
    css_color_seeds()
    stored_integer_seeds()
    up_down_step_seeds()
    cp932_seeds()
    cli_args_seeds()
    return 0


if __name__ == "__main__":
    sys.exit(main())
