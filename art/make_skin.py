#!/usr/bin/python3
"""Draws the window's skin: strips, title-bar button cells, menu-bar cells,
toolbar background, picture titles, operation glyphs and icons; and the
application's icon for the desktop, as PNG at the usual sizes and as SVG.

Everything is made from simple shapes and text, so it can be changed here and
drawn again:  art/make_skin.py  (writes art/skin/ and art/icons/).  Needs
python3-pil and the DejaVu fonts (fonts-dejavu-core).  The generated files are
committed, so a build does not run this script.

Sizes are the ones the window's code cuts and stretches: change them only
together with src/ui/skin.cpp.
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "skin")
DESKTOP_ICONS = os.path.join(HERE, "icons")
FONT_DIRS = ["/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/dejavu"]


def font_path(name):
    for d in FONT_DIRS:
        p = os.path.join(d, name)
        if os.path.exists(p):
            return p
    sys.exit("make_skin.py: font %s not found (install fonts-dejavu-core)" % name)


SANS = font_path("DejaVuSans.ttf")
SANS_BOLD = font_path("DejaVuSans-Bold.ttf")
SANS_COND_BOLD = font_path("DejaVuSansCondensed-Bold.ttf")


def font(path, px):
    return ImageFont.truetype(path, int(round(px)))


# ---------------------------------------------------------------- colours

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


TITLE_TOP = (70, 140, 182)
TITLE_MID = (39, 104, 142)
TITLE_BOTTOM = (22, 70, 101)
MENU_TOP = (58, 126, 166)
MENU_BOTTOM = (33, 92, 128)
PANEL = (233, 241, 245)
PANEL_DARK = (214, 228, 236)
TAB_TOP = (62, 132, 172)
TAB_BOTTOM = (28, 84, 118)
MAROON = (128, 0, 0)
GREEN = (0, 128, 0)
NAVY = (0, 0, 128)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


def title_colour(y, height=25):
    """The title bar's colour at row y: a highlight line, then a gradient."""
    if y == 0:
        return (120, 182, 214)
    t = (y - 1) / max(1, height - 2)
    if t < 0.5:
        return mix(TITLE_TOP, TITLE_MID, t * 2)
    return mix(TITLE_MID, TITLE_BOTTOM, (t - 0.5) * 2)


def menu_colour(y, height=28):
    if y == height - 1:
        return (20, 60, 88)
    return mix(MENU_TOP, MENU_BOTTOM, y / (height - 2))


def vgradient(img, box, colour_at):
    draw = ImageDraw.Draw(img)
    x0, y0, x1, y1 = box
    for y in range(y0, y1):
        draw.line([(x0, y), (x1 - 1, y)], fill=colour_at(y - y0))


def save(img, name, **kw):
    path = os.path.join(OUT, name)
    img.save(path, **kw)


def supersampled(size, painter, scale=4):
    """Draws at `scale` times the size and scales down, for smooth shapes."""
    w, h = size
    big = Image.new("RGBA", (w * scale, h * scale), (0, 0, 0, 0))
    painter(big, ImageDraw.Draw(big), scale)
    return big.resize((w, h), Image.LANCZOS)


# ---------------------------------------------------------------- strips

def image_top():
    # 300 x 25: left cap 100 (behind the icon and caption), middle column at
    # x = 100, right cap 100 (behind the title-bar buttons).
    img = Image.new("RGB", (300, 25))
    vgradient(img, (0, 0, 300, 25), title_colour)
    d = ImageDraw.Draw(img)
    # A soft lighter band behind the icon at the left.
    for x in range(0, 60):
        t = 1 - x / 60
        for y in range(1, 24):
            c = title_colour(y)
            d.point((x, y), fill=mix(c, (96, 160, 198), 0.35 * t))
    # Darker end under the buttons, with a thin separator.
    for x in range(200, 300):
        t = min(1, (x - 200) / 40)
        for y in range(1, 25):
            c = title_colour(y)
            d.point((x, y), fill=mix(c, TITLE_BOTTOM, 0.25 * t))
    d.line([(0, 24), (299, 24)], fill=(14, 48, 70))
    save(img, "ImageTop.png")


def image_bottom():
    # 300 x 69; the window shows its top 30 rows.
    img = Image.new("RGB", (300, 69))

    def colour(y):
        if y == 0:
            return (120, 182, 214)
        return mix(TITLE_MID, TITLE_BOTTOM, min(1, y / 29))

    # No size grip: the window cannot be resized.
    vgradient(img, (0, 0, 300, 69), colour)
    save(img, "ImageBottom.png")


def image_menu():
    # 64 x 116: rows 0..27 the menu-bar strip (caps of 10), then the button
    # cells of 64 x 28 at rows 29 (normal), 58 (hot) and 88 (pressed).  The
    # normal cell's column 1 is also the menu bar's background.
    img = Image.new("RGB", (64, 116), (20, 60, 88))
    vgradient(img, (0, 0, 64, 28), menu_colour)
    d = ImageDraw.Draw(img)
    # Caps: a darker outer column and a lighter inner one.
    for y in range(28):
        d.point((0, y), fill=mix(menu_colour(y), (16, 50, 74), 0.7))
        d.point((63, y), fill=mix(menu_colour(y), (16, 50, 74), 0.7))
        d.point((1, y), fill=mix(menu_colour(y), WHITE, 0.12))
        d.point((62, y), fill=mix(menu_colour(y), WHITE, 0.12))
    # Normal cell: the plain bar.
    vgradient(img, (0, 29, 64, 57), menu_colour)

    def cell(top, fill_top, fill_bottom, border, inner):
        vgradient(img, (0, top, 64, top + 28),
                  lambda y: menu_colour(y) if y in (0, 27) else mix(fill_top, fill_bottom, (y - 1) / 25))
        # The cell is cut into a left cap (columns 0-1), a body (stretched from
        # columns 56-60) and a right cap (columns 62-63): keep the body uniform
        # across, put the frame in the caps and the top and bottom rows.
        d.line([(1, top + 1), (62, top + 1)], fill=border)
        d.line([(1, top + 26), (62, top + 26)], fill=border)
        d.line([(0, top + 2), (0, top + 25)], fill=border)
        d.line([(63, top + 2), (63, top + 25)], fill=border)
        d.line([(1, top + 2), (1, top + 25)], fill=inner)
        d.line([(62, top + 2), (62, top + 25)], fill=inner)
        d.point((0, top + 1), fill=menu_colour(1))
        d.point((63, top + 1), fill=menu_colour(1))
        d.point((0, top + 26), fill=menu_colour(26))
        d.point((63, top + 26), fill=menu_colour(26))

    cell(58, (124, 190, 226), (70, 146, 190), (190, 228, 246), (150, 206, 234))
    cell(88, (18, 58, 86), (34, 88, 122), (10, 36, 56), (28, 72, 100))
    save(img, "ImageMenu.png")


def image_m():
    # 94 x 62: three cells (normal, hover, pressed) of 20 rows, one pixel
    # apart, for minimize (x 0, 27 wide), maximize (x 27, 25 wide) and close
    # (x 52, 42 wide).  They sit on the title bar at row 1.  The
    # normal cells are clear but for their symbols, so that the title bar
    # shows through them wherever its gradient puts the buttons.
    img = Image.new("RGBA", (94, 62), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for k in range(1, 3):
        top = k * 21
        for y in range(20):
            d.line([(0, top + y), (93, top + y)], fill=mix(title_colour(y + 1), TITLE_BOTTOM, 0.25))
    styles = [None, ((96, 162, 202), (60, 126, 166)), ((16, 50, 74), (24, 66, 94))]
    close_styles = [None, ((214, 84, 70), (176, 48, 38)), ((128, 28, 22), (150, 36, 28))]
    for k in range(3):
        top = k * 21
        for (x, w, st) in ((0, 27, styles[k]), (27, 25, styles[k]), (52, 42, close_styles[k])):
            if st:
                for y in range(1, 19):
                    d.line([(x + 1, top + y), (x + w - 2, top + y)], fill=mix(st[0], st[1], (y - 1) / 17))
                d.rectangle([x, top, x + w - 1, top + 19], outline=mix(st[1], BLACK, 0.3))
        shift = 1 if k == 2 else 0
        # Minimize: a bar.
        d.rectangle([8 + shift, top + 12 + shift, 18 + shift, top + 13 + shift], fill=WHITE)
        # Maximize: a window with a thicker top edge.
        d.rectangle([27 + 7 + shift, top + 5 + shift, 27 + 17 + shift, top + 14 + shift], outline=WHITE)
        d.line([(27 + 7 + shift, top + 6 + shift), (27 + 17 + shift, top + 6 + shift)], fill=WHITE)
        # Close: a cross.
        cx, cy = 52 + 21 + shift, top + 10 + shift
        d.line([(cx - 5, cy - 5), (cx + 5, cy + 5)], fill=WHITE, width=2)
        d.line([(cx - 5, cy + 5), (cx + 5, cy - 5)], fill=WHITE, width=2)
    save(img, "ImageM.png")


def image_side(name, outer_left):
    img = Image.new("RGB", (8, 64))
    d = ImageDraw.Draw(img)
    for x in range(8):
        t = x / 7 if outer_left else 1 - x / 7
        d.line([(x, 0), (x, 63)], fill=mix(TITLE_BOTTOM, TITLE_MID, t))
    save(img, name)


def image_tool():
    # 8 x 57: the toolbar's background column (x = 1).
    img = Image.new("RGB", (8, 57))

    def colour(y):
        if y == 56:
            return (150, 190, 210)
        if y == 55:
            return WHITE
        return mix((250, 253, 254), (206, 226, 237), y / 54)

    vgradient(img, (0, 0, 8, 57), colour)
    save(img, "ImageTool.png")


def image_background():
    # 767 x 568 JPEG, the panel behind the controls.
    w, h = 767, 568
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w - 1, y)], fill=mix(PANEL, PANEL_DARK, y / (h - 1)))
    # Faint grid, like squared paper.
    for x in range(0, w, 16):
        d.line([(x, 0), (x, h - 1)], fill=mix(PANEL, PANEL_DARK, 0.55))
    for y in range(0, h, 16):
        d.line([(0, y), (w - 1, y)], fill=mix(PANEL, PANEL_DARK, 0.55))
    save(img, "Image5.jpg", quality=92)


def picture_title(name, size, text):
    w, h = size

    def paint(img, d, s):
        d.rectangle([0, 0, w * s, h * s], fill=PANEL + (255,))
        r = 6 * s
        for y in range(1 * s, h * s):
            t = y / (h * s)
            d.line([(0, y), (w * s, y)], fill=mix(TAB_TOP, TAB_BOTTOM, t) + (255,))
        # Round the upper corners into the panel colour.
        d.rectangle([0, 0, r, r], fill=PANEL + (255,))
        d.rectangle([w * s - r, 0, w * s, r], fill=PANEL + (255,))
        d.pieslice([0, 0, 2 * r, 2 * r], 180, 270, fill=TAB_TOP + (255,))
        d.pieslice([w * s - 2 * r - 1, 0, w * s - 1, 2 * r], 270, 360, fill=TAB_TOP + (255,))
        d.line([(0, h * s - s), (w * s, h * s - s)], fill=(14, 48, 70, 255), width=int(s))
        f = font(SANS_BOLD, int(round(h * 0.5)) * s)
        tw = d.textlength(text, font=f)
        x = 10 * s if w > 150 else (w * s - tw) / 2
        d.text((x, h * s / 2 + s), text, font=f, fill=WHITE + (255,), anchor="lm")

    img = supersampled(size, paint).convert("RGB")
    save(img, name, quality=92)


# ---------------------------------------------------------------- glyphs

GLYPH_SIZE = (57, 19)

# Each operation button's glyph: its control, its text and its column's colour.
GLYPHS = [
    ("SpeedButton11", "A", MAROON), ("SpeedButton12", "B", GREEN), ("SpeedButton13", "A+B", NAVY),
    ("SpeedButton14", "A'", MAROON), ("SpeedButton15", "B'", GREEN), ("SpeedButton9", "A-B", NAVY),
    ("SpeedButton18", "inv A", MAROON), ("SpeedButton38", "inv B", GREEN), ("SpeedButton39", "A*B", NAVY),
    ("SpeedButton40", "max A", MAROON), ("SpeedButton45", "max B", GREEN), ("SpeedButton46", "A.*B", NAVY),
    ("SpeedButton47", "min A", MAROON), ("SpeedButton48", "min B", GREEN), ("SpeedButton49", "A/B", NAVY),
    ("SpeedButton50", "norm A", MAROON), ("SpeedButton51", "norm B", GREEN), ("SpeedButton52", "A./B", NAVY),
    ("SpeedButton19", "dim A", MAROON), ("SpeedButton20", "dim B", GREEN), ("SpeedButton21", "A&B", NAVY),
    ("SpeedButton24", "tr A", MAROON), ("SpeedButton25", "tr B", GREEN), ("SpeedButton22", "A|B", NAVY),
    ("SpeedButton32", "det A", MAROON), ("SpeedButton37", "det B", GREEN), ("SpeedButton23", "A xor B", NAVY),
    ("SpeedButton34", "rank A", MAROON), ("SpeedButton35", "rank B", GREEN), ("SpeedButton16", "A*x", NAVY),
    ("SpeedButton33", "eig A", MAROON), ("SpeedButton43", "eig B", GREEN), ("SpeedButton17", "B*x", NAVY),
    ("SpeedButton26", "QR A", MAROON), ("SpeedButton28", "QR B", GREEN), ("SpeedButton27", "A^x", NAVY),
    ("SpeedButton29", "LU A", MAROON), ("SpeedButton30", "LU B", GREEN), ("SpeedButton44", "B^x", NAVY),
    ("SpeedButton31", "chol A", MAROON), ("SpeedButton36", "chol B", GREEN),
    ("SpeedButton41", "svd A", MAROON), ("SpeedButton42", "svd B", GREEN),
]


def glyph(control, text, colour):
    w, h = GLYPH_SIZE
    size = 13
    while size > 8:
        f = font(SANS_COND_BOLD if len(text) > 5 else SANS_BOLD, size)
        if ImageDraw.Draw(Image.new("L", (1, 1))).textlength(text, font=f) <= w - 2:
            break
        size -= 1

    def paint(img, d, s):
        f = font(SANS_COND_BOLD if len(text) > 5 else SANS_BOLD, size * s)
        d.text((w * s / 2, h * s / 2 + s / 2), text, font=f, fill=colour + (255,), anchor="mm")

    save(supersampled(GLYPH_SIZE, paint, 2), os.path.join("glyphs", control + ".png"))


# ---------------------------------------------------------------- icons

def icon_folder(d, s, w):
    d.polygon([(1 * s, 4 * s), (6 * s, 4 * s), (7.5 * s, 5.5 * s), (14.5 * s, 5.5 * s),
               (14.5 * s, 13.5 * s), (1 * s, 13.5 * s)], fill=(224, 170, 40, 255), outline=(150, 100, 10, 255))
    d.polygon([(2.5 * s, 7.5 * s), (15.5 * s, 7.5 * s), (14 * s, 13.5 * s), (1 * s, 13.5 * s)],
              fill=(252, 214, 100, 255), outline=(150, 100, 10, 255))


def icon_floppy(d, s, w, body=(40, 90, 170)):
    d.rectangle([1.5 * s, 1.5 * s, 14.5 * s, 14.5 * s], fill=body + (255,), outline=(20, 40, 90, 255))
    d.rectangle([4 * s, 1.5 * s, 12 * s, 6 * s], fill=(230, 236, 244, 255))
    d.rectangle([9.5 * s, 2.5 * s, 11 * s, 5 * s], fill=body + (255,))
    d.rectangle([3.5 * s, 8.5 * s, 12.5 * s, 14 * s], fill=(250, 250, 250, 255))


def icon_page(d, s, w):
    d.polygon([(3 * s, 1 * s), (10 * s, 1 * s), (13.5 * s, 4.5 * s), (13.5 * s, 15 * s), (3 * s, 15 * s)],
              fill=(255, 255, 255, 255), outline=(90, 110, 130, 255))
    for y in (6, 8.5, 11):
        d.line([(5 * s, y * s), (11.5 * s, y * s)], fill=(100, 140, 180, 255), width=int(s))


def icon_save_result(d, s, w):
    icon_page(d, s, w)
    d.rectangle([8 * s, 9 * s, 15 * s, 15.5 * s], fill=(40, 90, 170, 255), outline=(20, 40, 90, 255))
    d.rectangle([9.5 * s, 9 * s, 13.5 * s, 11.5 * s], fill=(230, 236, 244, 255))


def icon_clear(d, s, w):
    icon_page(d, s, w)
    d.line([(6 * s, 6 * s), (14 * s, 14 * s)], fill=(200, 30, 30, 255), width=int(2 * s))
    d.line([(6 * s, 14 * s), (14 * s, 6 * s)], fill=(200, 30, 30, 255), width=int(2 * s))


def icon_auto(d, s, w):
    d.polygon([(9 * s, 0.5 * s), (3 * s, 9 * s), (7.5 * s, 9 * s), (6 * s, 15.5 * s),
               (13 * s, 6.5 * s), (8.5 * s, 6.5 * s), (10.5 * s, 0.5 * s)],
              fill=(250, 200, 30, 255), outline=(170, 110, 0, 255))


def icon_exit(d, s, w):
    d.rectangle([2 * s, 1.5 * s, 9 * s, 14.5 * s], fill=(150, 100, 60, 255), outline=(90, 55, 25, 255))
    d.ellipse([6.5 * s, 7.5 * s, 8 * s, 9 * s], fill=(250, 220, 120, 255))
    d.line([(8 * s, 8 * s), (14.5 * s, 8 * s)], fill=(200, 30, 30, 255), width=int(2 * s))
    d.polygon([(15.5 * s, 8 * s), (12 * s, 4.5 * s), (12 * s, 11.5 * s)], fill=(200, 30, 30, 255))


def icon_manual(d, s, w):
    d.polygon([(1 * s, 3 * s), (8 * s, 4.5 * s), (8 * s, 15 * s), (1 * s, 13.5 * s)],
              fill=(60, 130, 180, 255), outline=(20, 60, 100, 255))
    d.polygon([(15 * s, 3 * s), (8 * s, 4.5 * s), (8 * s, 15 * s), (15 * s, 13.5 * s)],
              fill=(90, 160, 205, 255), outline=(20, 60, 100, 255))
    f = font(SANS_BOLD, 9 * s)
    d.text((11.5 * s, 9.5 * s), "?", font=f, fill=WHITE + (255,), anchor="mm")


def icon_home(d, s, w):
    d.polygon([(8 * s, 1 * s), (15.5 * s, 8 * s), (13.5 * s, 8 * s), (13.5 * s, 15 * s),
               (2.5 * s, 15 * s), (2.5 * s, 8 * s), (0.5 * s, 8 * s)],
              fill=(230, 110, 60, 255), outline=(130, 50, 20, 255))
    d.rectangle([6.5 * s, 9.5 * s, 9.5 * s, 15 * s], fill=(110, 70, 40, 255))


def draw_icon(size, fn):
    def paint(img, d, s):
        fn(d, s * size / 16, size)

    return supersampled((size, size), paint, 4)


# The menu image list: the indexes the menus use; the other slots stay empty.
MENU_ICONS = {1: icon_auto, 3: icon_clear, 13: icon_folder, 18: icon_floppy,
              24: icon_save_result, 31: icon_exit, 42: icon_manual, 43: icon_home}
MENU_ICON_COUNT = 44

TOOL_ICONS = [("SpeedButton3", icon_save_result), ("SpeedButton4", icon_clear), ("SpeedButton5", icon_auto),
              ("SpeedButton6", icon_manual), ("SpeedButton7", icon_home)]


# The application's icon: matrix brackets around a 3 x 3 grid of dots, the
# diagonal red, on a rounded white tile.  Drawn on a 16-unit square, as a
# bitmap at any size for the window and the desktop, and as an SVG for the
# desktop's scalable icons.
ICON_INK = (22, 70, 101)
ICON_TILE = (250, 252, 253)
ICON_DIAGONAL = (200, 40, 40)
ICON_DOT = (40, 120, 170)
ICON_CORNER = 3
ICON_BRACKETS = [[(4, 3), (2.8, 3), (2.8, 13), (4, 13)], [(12, 3), (13.2, 3), (13.2, 13), (12, 13)]]
ICON_BRACKET_WIDTH = 1.3
ICON_DOT_RADIUS = 0.9
ICON_SIZES = (16, 32, 48, 64, 128, 256)  # the desktop's sizes; the window uses 16, 32 and 64


def icon_dots():
    """Centre (in units) and colour of each dot of the grid."""
    for i in range(3):
        for j in range(3):
            yield (5.2 + 2.8 * j), (5.2 + 2.8 * i), ICON_DIAGONAL if i == j else ICON_DOT


def app_icon(size):
    def paint(img, d, s):
        u = s * size / 16
        d.rounded_rectangle([0, 0, 16 * u - 1, 16 * u - 1], radius=ICON_CORNER * u, fill=ICON_TILE + (255,),
                            outline=ICON_INK + (255,), width=max(1, int(u)))
        for bracket in ICON_BRACKETS:
            d.line([(x * u, y * u) for x, y in bracket], fill=ICON_INK + (255,), width=int(ICON_BRACKET_WIDTH * u),
                   joint="curve")
        for x, y, colour in icon_dots():
            cx, cy = x * u, y * u
            d.ellipse([cx - ICON_DOT_RADIUS * u, cy - ICON_DOT_RADIUS * u, cx + ICON_DOT_RADIUS * u,
                       cy + ICON_DOT_RADIUS * u], fill=colour + (255,))

    return supersampled((size, size), paint, 4)


def app_icon_svg():
    """The same icon as SVG; a stroke is centred on its path, so the tile's
    one-unit outline runs half a unit inside the square."""
    def hex_colour(c):
        return "#%02x%02x%02x" % c

    def number(v):
        return ("%.2f" % v).rstrip("0").rstrip(".")

    lines = ['<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 16 16">',
             '  <rect x="0.5" y="0.5" width="15" height="15" rx="%s" fill="%s" stroke="%s" stroke-width="1"/>'
             % (number(ICON_CORNER - 0.5), hex_colour(ICON_TILE), hex_colour(ICON_INK))]
    for bracket in ICON_BRACKETS:
        points = " ".join("%s,%s" % (number(x), number(y)) for x, y in bracket)
        lines.append('  <polyline points="%s" fill="none" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>'
                     % (points, hex_colour(ICON_INK), number(ICON_BRACKET_WIDTH)))
    for x, y, colour in icon_dots():
        lines.append('  <circle cx="%s" cy="%s" r="%s" fill="%s"/>'
                     % (number(x), number(y), number(ICON_DOT_RADIUS), hex_colour(colour)))
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    os.makedirs(os.path.join(OUT, "glyphs"), exist_ok=True)
    os.makedirs(os.path.join(OUT, "icons"), exist_ok=True)
    image_top()
    image_bottom()
    image_menu()
    image_m()
    image_side("ImageLeft.png", True)
    image_side("ImageRight.png", False)
    image_tool()
    image_background()
    picture_title("Image4.jpg", (200, 27), "Matrix A")
    picture_title("Image6.jpg", (200, 27), "Matrix B")
    picture_title("Image7.jpg", (313, 31), "Result")
    picture_title("Image8.jpg", (100, 27), "x")
    picture_title("Image11.jpg", (100, 27), "Precision")
    for control, text, colour in GLYPHS:
        glyph(control, text, colour)
    strip = Image.new("RGBA", (16 * MENU_ICON_COUNT, 16), (0, 0, 0, 0))
    for index, fn in MENU_ICONS.items():
        strip.paste(draw_icon(16, fn), (16 * index, 0))
    save(strip, "ImageListMenu.png")
    for control, fn in TOOL_ICONS:
        save(draw_icon(32, fn), os.path.join("icons", control + ".png"))
    for size in (16, 32, 64):
        save(app_icon(size), os.path.join("icons", "quorvix-%d.png" % size))
    # The desktop's icons, installed into the hicolor theme.
    os.makedirs(DESKTOP_ICONS, exist_ok=True)
    for size in ICON_SIZES:
        app_icon(size).save(os.path.join(DESKTOP_ICONS, "quorvix-%d.png" % size))
    with open(os.path.join(DESKTOP_ICONS, "quorvix.svg"), "w", encoding="ascii") as svg:
        svg.write(app_icon_svg())


if __name__ == "__main__":
    main()
