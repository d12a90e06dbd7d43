#!/usr/bin/env python3
"""Draws the six plate pictures of the help file (images/plateNNNN.png).

Positions are the window's plate arrangement in twips; the pictures are drawn
at one pixel per SCALE twips with ImageMagick, with a sample code stamped in
each box. Run it again after changing an arrangement:
    resources/help/tools/make-plates.py
"""
import pathlib
import subprocess

SCALE = 10
PLATE_TOP, PLATE_HEIGHT, PLATE_WIDTH = 360, 1815, 6015
HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent / "images"

# name: (caption, caption left/top, box left/top/width, sample code)
STYLES = {
    "5961": dict(
        fields=[("SERIAL NUMBER", 600, 600, 600, 840, 1695, "C9AB100001"),
                ("BODY", 600, 1320, 600, 1560, 615, "54A"),
                ("COLOR", 1440, 1320, 1440, 1560, 735, "MA"),
                ("TRIM", 2400, 1320, 2400, 1560, 495, "12"),
                ("DATE", 3120, 1320, 3120, 1560, 615, "09C"),
                ("TRANS.", 3960, 1320, 3960, 1560, 735, "2"),
                ("AXLE", 4920, 1320, 4920, 1560, 495, "3")],
        extras=[("short", "MADE IN U.S.A. BY", 2520, 600), ("large", 3360, 480)]),
    "62": dict(
        fields=[("BODY", 240, 600, 240, 840, 615, "54A"),
                ("COLOR", 1080, 600, 1080, 840, 735, "M"),
                ("TRIM", 2040, 600, 2040, 840, 495, "12"),
                ("DATE", 2760, 600, 2760, 840, 615, "15C"),
                ("D.S.O.", 3600, 600, 3600, 840, 495, "42"),
                ("AXLE", 4320, 600, 4320, 840, 495, "1"),
                ("TRANS.", 5040, 600, 5040, 840, 735, "2"),
                ("SERIAL NUMBER", 240, 1320, 240, 1560, 1695, "2A52A100015")],
        extras=[("short", "MADE IN U.S.A. BY", 2400, 1320), ("large", 3120, 1320)]),
    "6366": dict(
        fields=[("BODY", 240, 600, 240, 840, 615, "57C"),
                ("COLOR", 1080, 600, 1080, 840, 735, "7A"),
                ("TRIM", 2040, 600, 2040, 840, 495, "41"),
                ("DATE", 2760, 600, 2760, 840, 615, "09B"),
                ("DSO", 3600, 600, 3600, 840, 495, "55"),
                ("AXLE", 4320, 600, 4320, 840, 495, "2"),
                ("TRANS", 5040, 600, 5040, 840, 735, "4"),
                ("VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135, "5A54X100001")],
        extras=[("large", 3720, 1320)]),
    "6769": dict(
        fields=[("WARRANTY NUMBER", 1920, 800, 240, 720, 1575, "8A54J123456"),
                ("BODY", 240, 1700, 240, 1320, 615, "57C"),
                ("COLOR", 1080, 1700, 1080, 1320, 735, "K"),
                ("TRIM", 2040, 1700, 2040, 1320, 495, "1A"),
                ("DATE", 2760, 1700, 2760, 1320, 615, "21K"),
                ("D.S.O.", 3600, 1700, 3600, 1320, 495, "23"),
                ("AXLE", 4320, 1700, 4320, 1320, 495, "3"),
                ("TRANS.", 5040, 1700, 5040, 1320, 735, "W")],
        extras=[("short", "MADE IN U.S.A.", 5280, 700), ("small", 4080, 640)]),
    "7072": dict(
        fields=[("VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815, "2A54H104321"),
                ("BODY", 3240, 480, 3120, 720, 735, "57C"),
                ("COL.", 4080, 480, 3960, 720, 615, "4A"),
                ("TRIM", 1320, 1200, 1200, 1440, 735, "L2"),
                ("AXLE", 2040, 1200, 2040, 1440, 615, "3"),
                ("TRNS.", 2760, 1200, 2760, 1440, 615, "W"),
                ("DSO", 3840, 1200, 3480, 1440, 1095, "B1")],
        extras=[("long", "MADE IN U.S.A.", 0, 1920)]),
    "7374": dict(
        fields=[("VEH. IDENT. NO.", 480, 970, 480, 600, 1575, "3A54N118870"),
                ("BODY", 480, 1320, 480, 1560, 615, "57C"),
                ("COLOR", 1440, 1320, 1440, 1560, 615, "5A"),
                ("TRIM", 2400, 1320, 2400, 1560, 495, "N4"),
                ("TRANS.", 3240, 1320, 3240, 1560, 615, "U"),
                ("AXLE", 4200, 1320, 4200, 1560, 495, "\u00d8"),
                ("DSO", 5040, 1320, 5040, 1560, 495, "61")],
        extras=[("type", 2400, 600)]),
}


def px(twips):
    return round(twips / SCALE)


def draw(name, style):
    w, h = px(PLATE_WIDTH), px(PLATE_HEIGHT)
    top = PLATE_TOP
    cmd = ["convert", "-size", f"{w}x{h}", "xc:#111111", "-gravity", "NorthWest"]

    def text(x, y, s, size, color="white", font="DejaVu-Sans-Bold"):
        cmd.extend(["-font", font, "-pointsize", str(size), "-fill", color,
                    "-annotate", f"+{x}+{y}", s])

    def box(l, t, width, height, fill="white", stroke="#888888"):
        cmd.extend(["-fill", fill, "-stroke", stroke, "-strokewidth", "1", "-draw",
                    f"rectangle {l},{t} {l + width},{t + height}", "-stroke", "none"])

    for caption, cl, ct, bl, bt, bw, sample in style["fields"]:
        text(px(cl), px(ct - top), caption, 10)
        box(px(bl), px(bt - top), px(bw), px(375))
        text(px(bl) + 4, px(bt - top) + (px(375) - 15) // 2, sample, 13, "black", "DejaVu-Sans-Mono-Bold")
    for extra in style["extras"]:
        kind = extra[0]
        if kind in ("short", "long"):
            _, s, l, t = extra
            x = (w - len(s) * 6) // 2 if kind == "long" else px(l) + 2
            text(x, px(t - top) + 2, s, 8)
        elif kind in ("large", "small"):
            _, l, t = extra
            bw, bh, size = (2070, 720, 24) if kind == "large" else (1050, 525, 13)
            cmd.extend(["-fill", "none", "-stroke", "#d8d8d8", "-strokewidth", "2", "-draw",
                        f"roundrectangle {px(l)},{px(t - top)} {px(l + bw)},{px(t + bh - top)} 8,8",
                        "-stroke", "none"])
            text(px(l) + 6, px(t - top) + (px(bh) - size) // 2 - 4, "BRANTEL", size, "#e8e8e8",
                 "DejaVu-Serif-Bold")
        elif kind == "type":
            _, l, t = extra
            box(px(l), px(t - top), px(1575), px(385), "#c8c8c8")
            text(px(l) + 5, px(t - top) + 3, "PASSENGER", 12, "#707070")
            text(px(2940), px(970 - top), "TYPE", 10)
    cmd.extend(["-bordercolor", "#555555", "-border", "2"])
    # 96 dots per inch, so that viewers show one image pixel per screen pixel.
    cmd.extend(["-strip", "-depth", "8", "-units", "PixelsPerInch", "-density", "96"])
    cmd.append(str(OUT / f"plate{name}.png"))
    subprocess.run(cmd, check=True)


if __name__ == "__main__":
    OUT.mkdir(exist_ok=True)
    for style_name, style_def in STYLES.items():
        draw(style_name, style_def)
