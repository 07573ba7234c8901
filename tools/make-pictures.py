#!/usr/bin/env python3
"""Draws every picture of TAVO from code and writes the resource files.

The icons (16x16 and 32x32, 32-bit with alpha and an AND mask), the toolbar
strip and resources/icons.rc all come from here, so the committed files can be
made again byte for byte with nothing but Python 3:

    python3 tools/make-pictures.py            write the files under resources/
    python3 tools/make-pictures.py --check    fail if a committed file differs
    python3 tools/make-pictures.py --preview sheet.png
                                              also write a contact sheet to look at
"""

import argparse
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Colours (red, green, blue); icons add full alpha when they paint.

TRANSPARENT = None
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
INK = (48, 48, 56)            # outlines
PAPER = (255, 255, 255)
FOLD = (208, 208, 216)        # the turned-down corner of a page
LINE_GREY = (128, 128, 136)   # text lines on a page
FACE = (192, 192, 192)        # toolbar background, taken as transparent
PHOSPHOR = (64, 255, 64)      # green screen text
SCREEN = (16, 24, 16)
CURSOR = (32, 150, 32)        # the block cursor, dimmer than the text
BEIGE = (226, 214, 176)
BEIGE_DARK = (168, 152, 112)
BEIGE_EDGE = (104, 92, 64)
FOLDER = (250, 210, 90)
FOLDER_DARK = (214, 168, 48)
FOLDER_EDGE = (136, 96, 16)

# ---------------------------------------------------------------------------
# Fonts: glyphs as rows of '#'. The small one fits the 16x16 icons, the large
# one the 32x32 icons. Widths vary so that "I" and "1" take less room.

FONT_SMALL = {
    'A': ["###", "#.#", "###", "#.#", "#.#"],
    'B': ["##.", "#.#", "##.", "#.#", "##."],
    'D': ["##.", "#.#", "#.#", "#.#", "##."],
    'G': ["###", "#..", "#.#", "#.#", "###"],
    'H': ["#.#", "#.#", "###", "#.#", "#.#"],
    'I': ["#", "#", "#", "#", "#"],
    'K': ["#.#", "#.#", "##.", "#.#", "#.#"],
    'N': ["#..#", "##.#", "#.##", "#..#", "#..#"],
    'P': ["##.", "#.#", "##.", "#..", "#.."],
    'S': ["###", "#..", "###", "..#", "###"],
    'T': ["###", ".#.", ".#.", ".#.", ".#."],
    'W': ["#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    'X': ["#.#", "#.#", ".#.", "#.#", "#.#"],
    'Y': ["#.#", "#.#", ".#.", ".#.", ".#."],
    '0': ["###", "#.#", "#.#", "#.#", "###"],
    '1': [".#.", "##.", ".#.", ".#.", "###"],
    '6': ["###", "#..", "###", "#.#", "###"],
    '8': ["###", "#.#", "###", "#.#", "###"],
    ']': ["##", ".#", ".#", ".#", "##"],
}

FONT_LARGE = {
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'B': ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'G': [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    'H': ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'I': ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    'K': ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    'N': ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    'P': ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    'S': [".###.", "#...#", "#....", ".###.", "....#", "#...#", ".###."],
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'W': ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
    'Y': ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    '0': [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    '6': ["..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."],
    '8': [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    ']': ["###", "..#", "..#", "..#", "..#", "..#", "###"],
}


def text_width(font, text, gap=1):
    return sum(len(font[ch][0]) for ch in text) + gap * (len(text) - 1)


# ---------------------------------------------------------------------------
# A canvas of pixels, each None (transparent) or a colour tuple (r, g, b) or
# (r, g, b, a).

class Canvas:
    def __init__(self, w, h, background=TRANSPARENT):
        self.w, self.h = w, h
        self.px = [[background] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, x1, y1, c):
        """Fills the rectangle with both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.put(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        """Fills a circle; centre and radius in half pixels allow even sizes."""
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def sprite(self, x, y, rows, palette):
        """Paints rows of characters; '.' leaves the pixel alone."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != '.':
                    self.put(x + i, y + j, palette[ch])

    def text(self, x, y, text, c, font, gap=1):
        for ch in text:
            glyph = font[ch]
            self.sprite(x, y, glyph, {'#': c})
            x += len(glyph[0]) + gap
        return x

    def blit(self, x, y, other):
        for j in range(other.h):
            for i in range(other.w):
                p = other.get(i, j)
                if p is not None:
                    self.put(x + i, y + j, p)


def rgba(p):
    if p is None:
        return (0, 0, 0, 0)
    if len(p) == 3:
        return (p[0], p[1], p[2], 255)
    return p


# ---------------------------------------------------------------------------
# Building blocks shared by the document and file icons. Each takes the icon
# size s (16 or 32) and lays itself out for it.

def page_box(s):
    """Left, top, right, bottom of a page and the size of its folded corner."""
    return (2, 0, 13, 15, 4) if s == 16 else (5, 1, 26, 30, 7)


def draw_page(c, s):
    x0, y0, x1, y1, d = page_box(s)
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if x - (x1 - d) <= y - y0:   # below the diagonal of the corner
                c.put(x, y, PAPER)
    c.hline(x0, x1 - d, y0, INK)
    c.vline(x0, y0, y1, INK)
    c.hline(x0, x1, y1, INK)
    c.vline(x1, y0 + d, y1, INK)
    c.line(x1 - d, y0, x1, y0 + d, INK)
    # The turned-down corner.
    for j in range(2, d):
        c.hline(x1 - d + 1, x1 - d + j - 1, y0 + j, FOLD)
    c.vline(x1 - d, y0, y0 + d, INK)
    c.hline(x1 - d, x1, y0 + d, INK)
    if s == 32:
        # A soft shadow on the right and below lifts the page off the desktop.
        c.vline(x1 + 1, y0 + d + 1, y1 + 1, (0, 0, 0, 64))
        c.hline(x0 + 1, x1 + 1, y1 + 1, (0, 0, 0, 64))


def draw_text_lines(c, s, colours=None, rows=None):
    """Lines of text in the upper part of a page."""
    x0, y0, x1, _, d = page_box(s)
    if s == 16:
        widths = [6, 9, 7, 9, 5, 8]
        start, step = 3, 2
        left = x0 + 2
    else:
        widths = [12, 18, 15, 18, 10, 17, 14, 18, 9]
        start, step = 5, 3
        left = x0 + 3
    count = rows if rows is not None else len(widths)
    for i in range(count):
        y = start + i * step
        w = widths[i % len(widths)]
        colour = colours[i % len(colours)] if colours else LINE_GREY
        # Keep lines clear of the folded corner.
        right = min(left + w - 1, x1 - 2 if y > y0 + d else x1 - d - 2)
        c.hline(left, right, y, colour)
        if s == 32:
            c.hline(left, right, y + 1, colour)


def draw_tag(c, s, label, colour, text_colour=WHITE):
    """A coloured band across the lower page carrying a short type name."""
    if s == 16:
        x0, y0, x1, y1 = 0, 8, 15, 14
        font = FONT_SMALL
    else:
        x0, y0, x1, y1 = 1, 17, 30, 27
        font = FONT_LARGE
    dark = tuple(v * 5 // 8 for v in colour)
    c.fill(x0, y0, x1, y1, colour)
    c.frame(x0, y0, x1, y1, dark)
    w = text_width(font, label)
    h = len(font[label[0]])
    tx = x0 + (x1 - x0 + 1 - w + 1) // 2
    ty = y0 + (y1 - y0 + 1 - h + 1) // 2
    c.text(tx, ty, label, text_colour, font)


def draw_gear(c, cx, cy, s, colour, hole):
    if s == 16:
        rows = ["..#.#..",
                ".#####.",
                "###o###",
                ".#ooo#.",
                "###o###",
                ".#####.",
                "..#.#.."]
    else:
        rows = ["....##....",
                ".#.####.#.",
                "##########",
                ".###oo###.",
                "###oooo###",
                "###oooo###",
                ".###oo###.",
                "##########",
                ".#.####.#.",
                "....##...."]
    c.sprite(cx - len(rows[0]) // 2, cy - len(rows) // 2, rows, {'#': colour, 'o': hole})


def draw_mini_screen(c, x0, y0, x1, y1, bezel, edge):
    c.fill(x0, y0, x1, y1, bezel)
    c.frame(x0, y0, x1, y1, edge)
    c.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, SCREEN)


# ---------------------------------------------------------------------------
# The program icon: an Apple II style computer with its monitor showing the
# BASIC prompt and a "T".

def icon_tavo(c, s):
    if s == 16:
        # Monitor.
        c.fill(1, 0, 14, 10, BEIGE)
        c.frame(1, 0, 14, 10, BEIGE_EDGE)
        c.fill(3, 2, 12, 8, SCREEN)
        c.text(4, 3, "]T", PHOSPHOR, FONT_SMALL)
        c.fill(11, 3, 12, 7, CURSOR)
        # Computer with keyboard.
        c.fill(0, 11, 15, 15, BEIGE)
        c.frame(0, 11, 15, 15, BEIGE_EDGE)
        for x in range(2, 14, 2):
            c.put(x, 13, (72, 64, 56))
        c.hline(4, 11, 14, (72, 64, 56))
    else:
        # Monitor with its rounded screen.
        c.fill(3, 0, 28, 19, BEIGE)
        c.frame(3, 0, 28, 19, BEIGE_EDGE)
        c.hline(4, 27, 18, BEIGE_DARK)
        c.fill(6, 3, 25, 16, SCREEN)
        for x, y in ((6, 3), (25, 3), (6, 16), (25, 16)):
            c.put(x, y, BEIGE_DARK)
        c.text(8, 6, "]", PHOSPHOR, FONT_LARGE)
        # A bold "T": the large glyph drawn twice, one pixel apart.
        c.text(12, 6, "T", PHOSPHOR, FONT_LARGE)
        c.text(13, 6, "T", PHOSPHOR, FONT_LARGE)
        c.fill(20, 6, 24, 12, CURSOR)
        c.put(27, 17, (200, 40, 40))           # power light
        # Neck.
        c.fill(12, 20, 19, 21, BEIGE_DARK)
        # The computer: lid, keyboard, front edge.
        c.fill(1, 22, 30, 30, BEIGE)
        c.frame(1, 22, 30, 30, BEIGE_EDGE)
        c.hline(2, 29, 29, BEIGE_DARK)
        key = (80, 72, 60)
        for row, (start, stop) in enumerate(((4, 27), (5, 26), (6, 25))):
            y = 24 + row * 2
            for x in range(start, stop + 1, 2):
                c.put(x, y, key)
        c.hline(10, 21, 30 - 2, key)            # space bar


# ---------------------------------------------------------------------------
# Document icons of the window classes.

def icon_plain_page(c, s):
    draw_page(c, s)


def icon_text_page(c, s):
    draw_page(c, s)
    draw_text_lines(c, s)


def icon_integer_doc(c, s):
    draw_page(c, s)
    draw_text_lines(c, s, rows=3 if s == 16 else 4)
    draw_tag(c, s, "INT", (232, 112, 16))


def icon_binary_doc(c, s):
    """A page of hex bytes, "01" large at the top."""
    draw_page(c, s)
    blue = (24, 56, 176)
    if s == 16:
        c.text(4, 3, "01", blue, FONT_SMALL)
        c.hline(4, 11, 10, LINE_GREY)
        c.hline(4, 9, 12, LINE_GREY)
    else:
        c.text(8, 5, "01", blue, FONT_LARGE)
        c.text(9, 5, "01", blue, FONT_LARGE)
        for i, w in enumerate((16, 12, 16, 8)):
            y = 16 + i * 3
            for x in range(8, 8 + w):
                if (x - 8) % 6 < 4:        # byte pairs with a gap between them
                    c.put(x, y, LINE_GREY)
                    c.put(x, y + 1, LINE_GREY)


# Syntax colours of an Applesoft listing: line numbers, keywords, text.
SYNTAX = [(24, 56, 176), (200, 32, 32), (0, 128, 0)]


def icon_applesoft(c, s):
    draw_page(c, s)
    x0, _, _, _, _ = page_box(s)
    if s == 16:
        # Three program lines: number, keyword, rest.
        for i, y in enumerate((2, 4, 6)):
            c.hline(x0 + 2, x0 + 3, y, SYNTAX[0])
            c.hline(x0 + 5, x0 + 6, y, SYNTAX[1])
            c.hline(x0 + 7, x0 + 7 + (i % 2), y, SYNTAX[2])
    else:
        for i, y in enumerate((4, 7, 10, 13)):
            for yy in (y, y + 1):
                c.hline(x0 + 3, x0 + 6, yy, SYNTAX[0])
                c.hline(x0 + 8, x0 + 12, yy, SYNTAX[1])
                c.hline(x0 + 14, x0 + 14 + (4 if i % 2 else 2), yy, SYNTAX[2])
    draw_tag(c, s, "BAS", (0, 140, 60))


# ---------------------------------------------------------------------------
# File-type icons 8000 + index.

def icon_floppy(c, s):
    """A 5.25 inch floppy disk in its black jacket: label, hub ring with the
    hole through it, read/write slot, index hole and write-protect notch."""
    jacket = (44, 44, 52)
    edge = (16, 16, 20)
    ring = (214, 200, 168)      # the hub's reinforcing ring
    media = (150, 112, 64)
    media_dark = (110, 80, 40)
    if s == 16:
        c.fill(0, 0, 15, 15, jacket)
        c.frame(0, 0, 15, 15, edge)
        c.fill(3, 1, 12, 2, WHITE)
        c.hline(4, 9, 2, (60, 60, 200))
        c.disc(7.5, 6.5, 3.2, ring)
        c.disc(7.5, 6.5, 1.6, TRANSPARENT)
        c.fill(7, 12, 8, 14, media_dark)
        c.put(12, 6, media)
        c.fill(15, 4, 15, 5, TRANSPARENT)
    else:
        c.fill(1, 1, 30, 30, jacket)
        c.frame(1, 1, 30, 30, edge)
        c.fill(5, 2, 26, 6, WHITE)
        c.hline(7, 21, 3, (60, 60, 200))
        c.hline(7, 16, 5, (60, 60, 200))
        c.disc(15.5, 13.5, 6.4, ring)
        c.disc(15.5, 13.5, 3.5, TRANSPARENT)
        c.fill(14, 23, 17, 29, media_dark)
        for x, y in ((14, 23), (17, 23), (14, 29), (17, 29)):
            c.put(x, y, jacket)
        c.fill(24, 13, 25, 14, media)
        c.fill(29, 8, 30, 10, TRANSPARENT)


def icon_hard_disk(c, s):
    """A hard disk drive: a box seen a little from above, with its light."""
    top = (200, 200, 208)
    front = (150, 150, 160)
    edge = (64, 64, 72)
    led = (40, 220, 40)
    if s == 16:
        c.fill(1, 4, 14, 7, top)
        c.fill(0, 8, 15, 12, front)
        c.line(1, 4, 0, 7, edge)
        c.hline(1, 14, 4, edge)
        c.line(14, 4, 15, 7, edge)
        c.frame(0, 8, 15, 12, edge)
        c.fill(11, 10, 12, 10, led)
        c.hline(2, 7, 10, (96, 96, 104))
    else:
        for y in range(9, 16):
            inset = (16 - y) // 2
            c.hline(2 + inset, 29 - inset, y, top)
        c.line(5, 8, 2, 15, edge)
        c.hline(5, 26, 8, edge)
        c.line(26, 8, 29, 15, edge)
        c.fill(1, 16, 30, 24, front)
        c.frame(1, 16, 30, 24, edge)
        c.hline(2, 29, 17, (180, 180, 188))
        for x in range(4, 16, 3):
            c.vline(x, 18, 22, (110, 110, 120))
        c.fill(23, 19, 26, 21, led)
        c.frame(22, 18, 27, 22, (96, 96, 104))


def icon_folder_closed(c, s):
    if s == 16:
        c.fill(1, 2, 6, 4, FOLDER_DARK)        # tab
        c.frame(1, 2, 6, 4, FOLDER_EDGE)
        c.fill(0, 4, 15, 14, FOLDER)
        c.frame(0, 4, 15, 14, FOLDER_EDGE)
        c.hline(1, 14, 5, (255, 238, 170))
    else:
        c.fill(2, 5, 13, 9, FOLDER_DARK)
        c.frame(2, 5, 13, 9, FOLDER_EDGE)
        c.line(13, 6, 16, 9, FOLDER_EDGE)
        c.fill(1, 9, 30, 28, FOLDER)
        c.frame(1, 9, 30, 28, FOLDER_EDGE)
        c.hline(2, 29, 10, (255, 238, 170))
        c.hline(2, 29, 11, (255, 238, 170))
        c.hline(2, 29, 27, FOLDER_DARK)
        c.hline(2, 30, 29, (0, 0, 0, 64))


def icon_folder_open(c, s):
    back = FOLDER_DARK
    if s == 16:
        c.fill(0, 2, 5, 3, back)
        c.frame(0, 2, 5, 3, FOLDER_EDGE)
        c.fill(0, 3, 13, 14, back)
        c.frame(0, 3, 13, 14, FOLDER_EDGE)
        c.fill(2, 5, 11, 8, PAPER)              # a sheet inside
        # The front flap, falling open towards the viewer.
        for y in range(8, 15):
            shift = (y - 8) // 2
            c.hline(3 - shift + 1, 15 - shift, y, FOLDER)
        c.line(3, 8, 0, 14, FOLDER_EDGE)
        c.hline(3, 15, 8, FOLDER_EDGE)
        c.line(15, 8, 12, 14, FOLDER_EDGE)
        c.hline(0, 12, 14, FOLDER_EDGE)
    else:
        c.fill(1, 5, 12, 8, back)
        c.frame(1, 5, 12, 8, FOLDER_EDGE)
        c.fill(1, 8, 26, 28, back)
        c.frame(1, 8, 26, 28, FOLDER_EDGE)
        c.fill(5, 11, 23, 18, PAPER)
        c.frame(5, 11, 23, 18, (160, 160, 168))
        for y in range(15, 29):
            shift = (y - 15) * 5 // 13
            c.hline(7 - shift, 30 - shift, y, FOLDER)
        c.line(7, 15, 2, 28, FOLDER_EDGE)
        c.hline(7, 30, 15, FOLDER_EDGE)
        c.line(30, 15, 25, 28, FOLDER_EDGE)
        c.hline(2, 25, 28, FOLDER_EDGE)
        c.hline(8, 29, 16, (255, 238, 170))


def draw_padlock(c, s):
    gold = (232, 184, 32)
    gold_edge = (136, 96, 0)
    steel = (120, 120, 132)
    if s == 16:
        c.frame(9, 6, 13, 10, steel)           # shackle
        c.fill(8, 10, 14, 15, gold)
        c.frame(8, 10, 14, 15, gold_edge)
        c.vline(11, 12, 13, gold_edge)
    else:
        c.frame(17, 12, 26, 20, steel)
        c.frame(18, 13, 25, 20, steel)
        c.fill(15, 20, 28, 30, gold)
        c.frame(15, 20, 28, 30, gold_edge)
        c.fill(21, 23, 22, 27, gold_edge)
        c.hline(16, 27, 21, (255, 226, 120))


def icon_locked_file(c, s):
    draw_page(c, s)
    draw_text_lines(c, s, rows=3 if s == 16 else 5)
    draw_padlock(c, s)


def icon_system(label, colour, prompt=False):
    def draw(c, s):
        draw_page(c, s)
        if prompt:
            # BASIC.SYSTEM is what gives the "]" prompt.
            if s == 16:
                draw_mini_screen(c, 4, 1, 10, 7, (160, 160, 168), INK)
                c.text(5, 2, "]", PHOSPHOR, FONT_SMALL)
                c.vline(8, 5, 6, PHOSPHOR)
            else:
                draw_mini_screen(c, 8, 3, 20, 15, (160, 160, 168), INK)
                c.text(10, 5, "]", PHOSPHOR, FONT_LARGE)
                c.fill(14, 10, 16, 11, PHOSPHOR)
        else:
            if s == 16:
                draw_gear(c, 7, 4, s, (96, 96, 112), PAPER)
            else:
                draw_gear(c, 15, 9, s, (96, 96, 112), PAPER)
        draw_tag(c, s, label, colour)
    return draw


def icon_tagged_lines(label, colour, line_colours=None):
    def draw(c, s):
        draw_page(c, s)
        draw_text_lines(c, s, colours=line_colours, rows=3 if s == 16 else 4)
        draw_tag(c, s, label, colour)
    return draw


def icon_binary_file(c, s):
    draw_page(c, s)
    blue = (24, 56, 176)
    if s == 16:
        c.text(4, 2, "01", blue, FONT_SMALL)
    else:
        c.text(9, 5, "01", blue, FONT_LARGE)
        c.text(10, 5, "01", blue, FONT_LARGE)
    draw_tag(c, s, "BIN", (88, 72, 160))


def icon_gs_application(c, s):
    """An application window: title bar with its close box, then the type."""
    title = (40, 80, 200)
    if s == 16:
        c.fill(0, 1, 15, 14, PAPER)
        c.frame(0, 1, 15, 14, INK)
        c.fill(1, 2, 14, 4, title)
        c.put(2, 3, WHITE)
        c.text(3, 7, "S16", (40, 80, 200), FONT_SMALL)
    else:
        c.fill(1, 3, 30, 28, PAPER)
        c.frame(1, 3, 30, 28, INK)
        c.fill(2, 4, 29, 8, title)
        for y in (5, 7):
            c.hline(9, 28, y, (120, 150, 230))
        c.frame(3, 5, 5, 7, WHITE)
        c.hline(2, 29, 9, INK)
        c.hline(2, 31, 29, (0, 0, 0, 64))
        c.vline(31, 4, 29, (0, 0, 0, 64))
        c.text(7, 15, "S16", title, FONT_LARGE)


def icon_database(c, s):
    """Records under a header row, one field name column beside the values."""
    draw_page(c, s)
    head = (24, 120, 200)
    grid = (150, 170, 200)
    if s == 16:
        c.hline(4, 10, 2, head)
        for y in (4, 6):
            c.hline(4, 10, y, grid)
        c.vline(6, 2, 6, grid)
    else:
        c.fill(8, 4, 22, 5, head)
        for y in (9, 12, 15):
            c.hline(8, 22, y, grid)
        c.vline(12, 4, 15, grid)
        for y in (7, 10, 13):
            c.hline(9, 11, y, LINE_GREY)
            c.hline(14, 20 if y != 10 else 18, y, LINE_GREY)
    draw_tag(c, s, "ADB", head)


def icon_spreadsheet(c, s):
    draw_page(c, s)
    green = (0, 140, 80)
    cell = (170, 210, 180)
    if s == 16:
        for y in (1, 3, 5, 7):
            c.hline(3, 11, y, cell)
        for x in (3, 6, 9):
            c.vline(x, 1, 7, cell)
        c.fill(7, 4, 8, 4, green)
    else:
        for y in (3, 7, 11, 15):
            c.hline(7, 23, y, cell)
        for x in (7, 13, 19):
            c.vline(x, 3, 15, cell)
        c.fill(14, 8, 18, 10, green)
        c.hline(8, 11, 9, LINE_GREY)
        c.hline(8, 11, 13, LINE_GREY)
    draw_tag(c, s, "ASP", green)


def icon_shrinkit(c, s):
    """An archive: a page held together by a zipper."""
    draw_page(c, s)
    metal = (88, 88, 100)
    if s == 16:
        for y in range(1, 7):
            c.hline(6 if y % 2 else 8, 7 if y % 2 else 9, y, metal)
        c.fill(7, 6, 8, 7, (200, 150, 40))
    else:
        for y in range(2, 15):
            c.hline(14 if y % 2 else 16, 15 if y % 2 else 17, y, metal)
        c.fill(14, 14, 17, 16, (200, 150, 40))
        c.frame(14, 14, 17, 16, (120, 84, 0))
    draw_tag(c, s, "SHK", (176, 48, 120))


FILE_TYPE_ICONS = [
    # (icon index, file name, drawing)
    (0, "type-00-floppy.ico", icon_floppy),
    (1, "type-01-hard-disk.ico", icon_hard_disk),
    (2, "type-02-open-folder.ico", icon_folder_open),
    (3, "type-03-folder.ico", icon_folder_closed),
    (4, "type-04-locked.ico", icon_locked_file),
    (5, "type-05-file.ico", icon_plain_page),
    (6, "type-06-prodos.ico", icon_system("P8", (200, 40, 40))),
    (7, "type-07-text.ico", icon_tagged_lines("TXT", (96, 104, 120))),
    (8, "type-08-applesoft.ico", icon_applesoft),
    (9, "type-09-appleworks-wp.ico",
     icon_tagged_lines("AWP", (24, 96, 200), [(24, 96, 200), LINE_GREY, LINE_GREY])),
    (10, "type-10-gsos-app.ico", icon_gs_application),
    (11, "type-11-system.ico", icon_system("SYS", (200, 40, 40))),
    (12, "type-12-binary.ico", icon_binary_file),
    (13, "type-13-basic-system.ico", icon_system("SYS", (128, 48, 160), prompt=True)),
    (14, "type-14-appleworks-db.ico", icon_database),
    (15, "type-15-gs-wp.ico",
     icon_tagged_lines("GWP", (0, 128, 144), [(200, 32, 32), (24, 96, 200), (0, 128, 0)])),
    (16, "type-16-appleworks-ss.ico", icon_spreadsheet),
    (17, "type-17-shrinkit.ico", icon_shrinkit),
    (18, "type-18-integer.ico", icon_integer_doc),
]

DOCUMENT_ICONS = [
    # (resource name, file name, drawing)
    ("TAVO", "tavo.ico", icon_tavo),
    ("XEdit", "xedit.ico", icon_plain_page),
    ("XIntBAS", "xintbas.ico", icon_integer_doc),
    ("XText", "xtext.ico", icon_text_page),
    ("XBin", "xbin.ico", icon_binary_doc),
]

# The Text Color palette: icon name and exact colour (red, green, blue).
PALETTE = [
    ("XBlack", (0, 0, 0)),
    ("XRed", (255, 0, 0)),
    ("XDarkGreen", (0, 128, 0)),
    ("XBlue", (0, 0, 255)),
    ("XBrown", (128, 0, 0)),
    ("XPurple", (255, 0, 255)),
    ("XDullGreen", (0, 128, 128)),
    ("XDarkBlue", (0, 0, 128)),
    ("XGold", (128, 128, 0)),
    ("XDarkPurple", (128, 0, 128)),
    ("XLime", (0, 255, 0)),
    ("XSkyBlue", (0, 255, 255)),
    ("XYellow", (255, 255, 0)),
    ("XDarkGray", (128, 128, 128)),
    ("XLightGray", (192, 192, 192)),
    ("XWhite", (255, 255, 255)),
]

SWATCH_FRAME = (64, 64, 64)


def icon_swatch(colour):
    def draw(c, s):
        c.fill(0, 0, s - 1, s - 1, colour)
        c.frame(0, 0, s - 1, s - 1, SWATCH_FRAME)
    return draw


# ---------------------------------------------------------------------------
# Toolbar strip: 16 images of 16 x 15 on the button face grey, which the
# toolbar maps to its own face colour.

TOOL_W, TOOL_H, TOOL_COUNT = 16, 15, 16

TOOL_PALETTE = {
    '#': BLACK,
    'r': (224, 0, 0),
    'b': (0, 0, 192),
    'g': (0, 176, 0),
    'w': WHITE,
    'k': (16, 24, 16),
    'p': PHOSPHOR,
    'e': BEIGE,
    'd': BEIGE_EDGE,
    'm': (128, 128, 128),
    'y': (255, 255, 0),
}

TOOL_IMAGES = {
    # Inject text: lines of text and an arrow going into a small monitor.
    1: ["................",
        ".......ddddddddd",
        "###....deeeeeeed",
        ".......dekkkkked",
        "#####..dekpkkked",
        "....b..dekkkkked",
        "....bb.dekpppked",
        "bbbbbbbdekkkkked",
        "....bb.dekkkkked",
        "....b..deeeeeeed",
        ".......ddddddddd",
        "..........ddd...",
        "........ddddddd.",
        "................",
        "................"],
    # Run program: a green "run" triangle on a monitor.
    3: ["................",
        ".dddddddddddddd.",
        ".deeeeeeeeeeeed.",
        ".dekkkkkkkkkked.",
        ".dekkkkgkkkkked.",
        ".dekkkkggkkkked.",
        ".dekkkkgggkkked.",
        ".dekkkkggggkked.",
        ".dekkkkgggkkked.",
        ".dekkkkggkkkked.",
        ".dekkkkgkkkkked.",
        ".deeeeeeeeeeeed.",
        ".dddddddddddddd.",
        ".....dddddd.....",
        "...dddddddddd..."],
    # Help: a question mark.
    5: ["................",
        ".....bbbbbb.....",
        "....bbbbbbbb....",
        "...bbb....bbb...",
        "...bbb....bbb...",
        "..........bbb...",
        ".........bbb....",
        "........bbb.....",
        ".......bbb......",
        ".......bbb......",
        "................",
        ".......bbb......",
        ".......bbb......",
        "................",
        "................"],
    # Bold.
    6: ["................",
        "................",
        "...########.....",
        "....###..###....",
        "....###..###....",
        "....###..###....",
        "....#######.....",
        "....###..###....",
        "....###..###....",
        "....###..###....",
        "...########.....",
        "................",
        "................",
        "................",
        "................"],
    # Italic.
    7: ["................",
        "................",
        "......#####.....",
        "........##......",
        "........##......",
        ".......##.......",
        ".......##.......",
        "......##........",
        "......##........",
        ".....##.........",
        "....#####.......",
        "................",
        "................",
        "................",
        "................"],
    # Underline.
    8: ["................",
        "................",
        "...####..####...",
        "....##....##....",
        "....##....##....",
        "....##....##....",
        "....##....##....",
        "....##....##....",
        "....##....##....",
        ".....######.....",
        "................",
        "...##########...",
        "................",
        "................",
        "................"],
    # Text colour: an "A" over a red bar.
    9: ["................",
        ".......##.......",
        "......####......",
        "......#..#......",
        ".....##..##.....",
        ".....##..##.....",
        "....########....",
        "....##....##....",
        "...###....###...",
        "................",
        "..rrrrrrrrrrrr..",
        "..rrrrrrrrrrrr..",
        "..rrrrrrrrrrrr..",
        "................",
        "................"],
}


def align_image(kind):
    """Lines of text aligned left, centred or right."""
    c = Canvas(TOOL_W, TOOL_H, FACE)
    widths = [12, 8, 12, 6, 12, 8]
    for i, w in enumerate(widths):
        y = 2 + i * 2
        if kind == "left":
            x0 = 2
        elif kind == "centre":
            x0 = 2 + (12 - w) // 2
        else:
            x0 = 14 - w
        c.hline(x0, x0 + w - 1, y, BLACK)
    return c


def toolbar():
    strip = Canvas(TOOL_W * TOOL_COUNT, TOOL_H, FACE)
    for index, rows in TOOL_IMAGES.items():
        assert len(rows) == TOOL_H and all(len(r) == TOOL_W for r in rows), index
        strip.sprite(index * TOOL_W, 0, rows, TOOL_PALETTE)
    for index, kind in ((11, "left"), (12, "centre"), (13, "right")):
        strip.blit(index * TOOL_W, 0, align_image(kind))
    return strip


# ---------------------------------------------------------------------------
# File formats.

def ico_bytes(images):
    """An .ico file of 32-bit images (canvases), each with its AND mask."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for c in images:
        w, h = c.w, c.h
        header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = bytearray()
        for y in range(h - 1, -1, -1):           # bottom-up rows
            for x in range(w):
                r, g, b, a = rgba(c.get(x, y))
                xor += bytes((b, g, r, a))
        mask_stride = ((w + 31) // 32) * 4
        mask = bytearray()
        for y in range(h - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(w):
                if rgba(c.get(x, y))[3] == 0:     # set bit = transparent
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        blob = header + xor + mask
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32,
                                   len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def bmp8_bytes(c):
    """A bottom-up 8-bit BMP whose colour table holds each colour once.

    The toolbar strip needs a colour table: LoadImage's LR_LOADMAP3DCOLORS
    turns the light grey into the button face by rewriting table entries,
    and pixels of a 24-bit bitmap have no table, so they would keep their grey
    wherever the face is another colour."""
    colours = sorted({rgba(c.get(x, y))[:3] for y in range(c.h) for x in range(c.w)})
    assert len(colours) <= 256
    index = {colour: i for i, colour in enumerate(colours)}
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    stride = (c.w + 3) // 4 * 4
    pixels = bytearray()
    for y in range(c.h - 1, -1, -1):
        row = bytearray(index[rgba(c.get(x, y))[:3]] for x in range(c.w))
        row += bytes(stride - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, c.w, c.h, 1, 8, 0, len(pixels), 2835, 2835,
                       len(colours), len(colours))
    offset = 14 + len(info) + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + table + pixels


def png_bytes(w, h, rows):
    """A truecolour PNG from rows of (r, g, b) tuples; only for looking at."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------

def render(draw):
    images = []
    for s in (16, 32):
        c = Canvas(s, s)
        draw(c, s)
        images.append(c)
    return images


def all_icons():
    """(resource name, file name, [16x16, 32x32]) in the order of icons.rc."""
    icons = [(name, file, render(draw)) for name, file, draw in DOCUMENT_ICONS]
    for index, file, draw in FILE_TYPE_ICONS:
        icons.append((str(8000 + index), file, render(draw)))
    for name, colour in PALETTE:
        icons.append((name, "color-" + name[1:].lower() + ".ico", render(icon_swatch(colour))))
    return icons


def rc_text(icons):
    lines = [
        "// Icons and the toolbar strip. Generated by tools/make-pictures.py;",
        "// change the pictures there and run it again.",
        '#include "resource.h"',
        "",
        "// Program and document windows.",
    ]
    for name, file, _ in icons:
        if name == "8000":
            lines += ["", "// File types: 8000 + icon index; 8008 is also the Applesoft document."]
        elif name == "XBlack":
            lines += ["", "// Text Color palette."]
        lines.append('%s ICON "icons/%s"' % (name, file))
    lines += ["", 'IDB_TOOLBAR BITMAP "toolbar.bmp"', ""]
    return "\n".join(lines).encode("utf-8")


def outputs():
    """Every file the script owns: path relative to resources/ and bytes."""
    icons = all_icons()
    files = [("icons/" + file, ico_bytes(images)) for _, file, images in icons]
    files.append(("toolbar.bmp", bmp8_bytes(toolbar())))
    files.append(("icons.rc", rc_text(icons)))
    return files, icons


def contact_sheet(icons):
    """Every icon at both sizes and the toolbar, on a light and a dark
    background, scaled up so single pixels show."""
    cell_w, cell_h, per_row = 122, 70, 6
    rows_of_icons = (len(icons) + per_row - 1) // per_row
    strip = toolbar()
    width = max(per_row * cell_w, strip.w * 3)
    height = rows_of_icons * cell_h * 2 + strip.h * 3 + 16
    sheet = [[(255, 255, 255)] * width for _ in range(height)]

    def blend(bg, p):
        r, g, b, a = rgba(p)
        return tuple((v * a + w * (255 - a)) // 255 for v, w in zip((r, g, b), bg))

    def paste(c, x0, y0, k, bg):
        for y in range(c.h):
            for x in range(c.w):
                col = blend(bg, c.get(x, y))
                for dy in range(k):
                    for dx in range(k):
                        sheet[y0 + y * k + dy][x0 + x * k + dx] = col

    for half, bg in enumerate(((236, 236, 236), (40, 64, 96))):
        for i, (_, _, images) in enumerate(icons):
            x0 = (i % per_row) * cell_w
            y0 = (half * rows_of_icons + i // per_row) * cell_h
            for y in range(y0, y0 + cell_h):
                for x in range(x0, x0 + cell_w):
                    sheet[y][x] = bg
            paste(images[0], x0 + 3, y0 + 3, 3, bg)
            paste(images[1], x0 + 54, y0 + 3, 2, bg)
    paste(strip, 0, rows_of_icons * cell_h * 2 + 8, 3, FACE)
    return png_bytes(width, height, sheet)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the files on disk instead of writing them")
    parser.add_argument("--preview", metavar="PNG", help="also write a contact sheet")
    args = parser.parse_args()

    resources = os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "resources")
    resources = os.path.normpath(resources)
    files, icons = outputs()
    stale = []
    for rel, data in files:
        path = os.path.join(resources, rel)
        if args.check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(rel)
            except OSError:
                stale.append(rel)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    if args.preview:
        with open(args.preview, "wb") as f:
            f.write(contact_sheet(icons))
    if stale:
        print("out of date: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
