#!/usr/bin/env python3
"""Quick look at a room's click grid while drawing it.

Usage: tools/gridpreview.py content/rooms/r04.svg [out.png]

The grid's geometry is the game's, printed by the content compiler (build/contentc, or the
one named by LNF_CONTENTC).

Prints the 37 x 17 grid of object codes (rows top to bottom) as the build will compute it,
approximately, and with out.png writes the picture with the grid and codes drawn over it and
the drawn ways out (the exit-* groups) outlined in cyan. `contentc --check-room N FILE.svg`
checks those against the exit areas.
The build's own check (the content compiler) is exact; this is only for drawing.
"""
import math, os, re, subprocess, sys, tempfile

CONVERT = "/usr/bin/convert"


def grid_geometry():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    contentc = os.environ.get("LNF_CONTENTC", os.path.join(root, "build", "contentc"))
    lines = subprocess.run([contentc, "--print-table", "grid"], check=True, capture_output=True,
                           text=True).stdout.splitlines()
    row = dict(zip(lines[0].split("\t"), lines[1].split("\t")))
    return (int(row["columns"]), int(row["rows"]), float(row["cell_width"]), float(row["cell_height"]),
            int(row["picture_width"]), int(row["picture_height"]), float(row["coverage"]))


COLS, ROWS, CW, CH, PW, PH, COVERAGE = grid_geometry()

def main():
    svg = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) > 2 else None
    text = open(svg, encoding="ascii").read()
    m = re.search(r'data-background="([1-8])"', text)
    if not m:
        sys.exit("no data-background on the root element")
    background = int(m.group(1))
    ids = re.findall(r'id="(code([1-8])(?:-[A-Za-z0-9_-]+)?)"', text)
    order = []
    for full, code in ids:
        order.append((full, int(code)))
    tmp = tempfile.mkdtemp()
    cover = {}
    for idx, (full, code) in enumerate(order):
        css = os.path.join(tmp, "m.css")
        with open(css, "w") as f:
            f.write('* { visibility: hidden !important; }\n')
            f.write('#%s, #%s * { visibility: visible !important; }\n' % (full, full))
            f.write('.hit { opacity: 1 !important; }\n')
        png = os.path.join(tmp, "m%d.png" % idx)
        subprocess.run(["rsvg-convert", "-s", css, "-o", png, svg], check=True)
        res = subprocess.run([CONVERT, png, "-alpha", "extract", "-background", "black",
                              "-extent", "%dx%d" % (math.ceil(COLS * CW), math.ceil(ROWS * CH)), "-filter", "box",
                              "-resize", "%dx%d!" % (COLS, ROWS),
                              "-depth", "8", "txt:-"], check=True, capture_output=True, text=True)
        grid = {}
        for line in res.stdout.splitlines()[1:]:
            mm = re.match(r'(\d+),(\d+):\s*\((\d+)', line)
            if mm:
                grid[(int(mm.group(1)), int(mm.group(2)))] = int(mm.group(3)) / 255.0
        cover[idx] = grid
    codes = [[background] * COLS for _ in range(ROWS)]
    for idx, (full, code) in enumerate(order):
        for (c, r), a in cover[idx].items():
            if a >= COVERAGE:
                codes[r][c] = code
    for r in range(ROWS):
        print("".join(str(codes[r][c]) for c in range(COLS)))
    if out:
        base = os.path.join(tmp, "base.png")
        subprocess.run(["rsvg-convert", "-o", base, svg], check=True)
        draw = []
        for c in range(COLS + 1):
            x = int(c * CW)
            draw += ["-draw", "line %d,0 %d,%d" % (x, x, PH)]
        for r in range(ROWS + 1):
            y = int(r * CH)
            draw += ["-draw", "line 0,%d %d,%d" % (y, PW, y)]
        labels = []
        for r in range(ROWS):
            for c in range(COLS):
                if codes[r][c] != background:
                    labels += ["-draw", "text %d,%d '%d'" % (int(c * CW + 6), int(r * CH + 17), codes[r][c])]
        exits = re.findall(r'id="(exit-[a-z]+(?:-[A-Za-z0-9_-]+)?)"', text)
        if exits:
            css = os.path.join(tmp, "e.css")
            with open(css, "w") as f:
                f.write('* { visibility: hidden !important; }\n')
                for full in exits:
                    f.write('#%s, #%s * { visibility: visible !important; }\n' % (full, full))
                f.write('.hit { opacity: 1 !important; }\n')
            marks = os.path.join(tmp, "e.png")
            subprocess.run(["rsvg-convert", "-s", css, "-o", marks, svg], check=True)
            edge = os.path.join(tmp, "edge.png")
            subprocess.run([CONVERT, marks, "-alpha", "extract", "-threshold", "50%", "-morphology", "EdgeIn",
                            "Diamond", "-fill", "cyan", "-opaque", "white", "-transparent", "black", edge], check=True)
            subprocess.run([CONVERT, base, edge, "-composite", base], check=True)
        subprocess.run([CONVERT, base, "-stroke", "rgba(255,255,255,0.5)", "-strokewidth", "1"] + draw +
                       ["-stroke", "none", "-fill", "yellow", "-font", "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", "-pointsize", "14"] + labels + [out], check=True)

main()
