#!/usr/bin/env python3
"""The ancient tree wakes up (room 28).

Usage: python3 tree.py OUTDIR

Writes OUTDIR/f000.svg ... at 12 frames a second. Each frame is the
91 x 71 piece of the room picture that starts at picture pixel (544, 77):
the middle of the tree's sleeping face. The bark there is painted again as
the room paints it, and on it the face comes to life: the leafy brows
shiver and a few leaves come twirling down from the crown, the old mouth
mumbles, the eyelids flutter, and at last the eyes open wide and the tree
smiles. Over the last frames the awake face of events/tree.svg, which the
room shows when the clip is over, comes in over the drawn one, so that the
last frame is that face to the pixel and the room does not jump from one
face to another; the first frame is the sleeping face of the room.
"""

import math
import os
import re
import sys

from cliplib import clamp, lerp, n, ramp, write_frames

W, H = 91, 71            # size of the clip rectangle
OX, OY = 544, 77         # its top-left corner in the room picture
FRAMES = 36              # 3 seconds at 12 frames a second
INK = "#3b2a1e"
DARK = "#2a1a10"


def pulse(f, f0, f1, f2, f3):
    """0 before f0, up to 1 by f1, held to f2, down to 0 by f3."""
    return ramp(f, f0, f1) * (1 - ramp(f, f2, f3))


def bez(p0, p1, p2, p3, t):
    u = 1 - t
    return (u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 +
            t * t * t * p3)


# ------------------------------------------------------------ the bark
# The trunk and the face hollow exactly as room 28 paints them (picture
# coordinates), so the face can be redrawn on them.

TRUNK = (
    '<path d="M486,352 C500,300 506,240 496,180 C488,130 494,80 500,52 C520,40 '
    '540,44 560,40 L650,40 C670,44 690,40 712,50 C716,90 722,140 716,190 '
    'C710,250 716,300 740,352 C700,362 640,366 610,362 C570,366 520,362 '
    '486,352z" fill="url(#bark)" stroke="#3b2a1e" stroke-width="3"/>'
    '<ellipse cx="589" cy="112" rx="58" ry="46" fill="#8a5a34" opacity="0.55"/>'
)


# ------------------------------------------------------------ the face

def brows(raise_, shiver, f):
    """The leafy brows: from the sleepy droop to a glad, high arch."""
    out_ink, out_leaf, ticks = [], [], []
    for side in (-1, 1):
        # sleeping brow (left one): M552,88 C562,80 578,82 584,90
        if side < 0:
            sl = [(552, 88), (562, 80), (578, 82), (584, 90)]
            aw = [(550, 88), (558, 79.5), (576, 79.5), (586, 86)]
        else:
            sl = [(628, 88), (620, 80), (604, 80), (596, 90)]
            aw = [(632, 88), (624, 79.5), (606, 79.5), (596, 86)]
        pts = []
        for k, (a, b) in enumerate(zip(sl, aw)):
            x = lerp(a[0], b[0], raise_)
            y = lerp(a[1], b[1], raise_)
            # every leaf of the brow trembles on its own
            y += shiver * math.sin(f * 2.7 + k * 1.9 + side)
            x += shiver * 0.5 * math.cos(f * 3.1 + k * 1.3)
            pts.append((x, y))
        d = "M%s,%s C%s,%s %s,%s %s,%s" % tuple(
            n(v) for p in pts for v in p)
        out_ink.append(d)
        out_leaf.append(d)
        # little leaf veins along the brow, drawn in as it wakes
        for t in (0.2, 0.45, 0.7):
            x = bez(pts[0][0], pts[1][0], pts[2][0], pts[3][0], t)
            y = bez(pts[0][1], pts[1][1], pts[2][1], pts[3][1], t)
            ticks.append("M%s,%s l%s,%s" % (n(x), n(y + 1.2), n(-1.6 * side),
                                            n(-2.2)))
    d = " ".join(out_ink)
    ink_w = 8.0 * raise_
    leaf_w = lerp(6, 5.5, raise_)
    s = ""
    if raise_ > 0.02:
        s += ('<path d="%s" fill="none" stroke="#3b2a1e" stroke-width="%s" '
              'stroke-linecap="round" opacity="%s"/>'
              % (d, n(max(ink_w, leaf_w + 0.5)), n(clamp(raise_ * 1.5))))
    col = "#4f7d3a" if raise_ < 0.5 else "#7fae4f"
    if 0.02 < raise_ < 0.98:
        s += ('<path d="%s" fill="none" stroke="#4f7d3a" stroke-width="%s" '
              'stroke-linecap="round"/>' % (d, n(leaf_w)))
        s += ('<path d="%s" fill="none" stroke="#7fae4f" stroke-width="%s" '
              'stroke-linecap="round" opacity="%s"/>'
              % (d, n(leaf_w), n(raise_)))
    else:
        s += ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
              'stroke-linecap="round"/>' % (d, col, n(leaf_w)))
    if raise_ > 0.3:
        s += ('<path d="%s" stroke="#4f7d3a" stroke-width="1.6" '
              'stroke-linecap="round" opacity="%s"/>'
              % (" ".join(ticks), n(ramp(raise_, 0.3, 0.9))))
    return s


def eye(side, o, look, idn):
    """One eye. o = 0: shut, a sleepy arc with lashes; 1: wide open."""
    cx = lerp(567 if side < 0 else 613, 568 if side < 0 else 612, o)
    half = lerp(13, 12, o)
    top_pts, bot_pts = [], []
    steps = 14
    for i in range(steps + 1):
        u = -1 + 2.0 * i / steps
        x = cx + half * u
        closed = 100 + 6.2 * (1 - u * u)
        r = math.sqrt(max(0.0, 1 - u * u))
        top = lerp(closed, 102 - 13 * r, o)
        bot = lerp(closed, 102 + 13 * r, min(1.0, o * 1.15))
        top_pts.append((x, top))
        bot_pts.append((x, bot))
    out = []
    if o > 0.03:
        shape = ("M" + " L".join("%s,%s" % (n(x), n(y)) for x, y in top_pts) +
                 " L" + " L".join("%s,%s" % (n(x), n(y))
                                  for x, y in reversed(bot_pts)) + " Z")
        out.append('<clipPath id="%s"><path d="%s"/></clipPath>' % (idn, shape))
        out.append('<path d="%s" fill="url(#eyeW)" stroke="%s" '
                   'stroke-width="2.2" stroke-linejoin="round"/>' % (shape, DARK))
        ix = cx + (2 if side < 0 else -2) + look[0]
        iy = 104 + look[1]
        out.append('<g clip-path="url(#%s)"><circle cx="%s" cy="%s" r="7" '
                   'fill="url(#iris)" stroke="%s" stroke-width="1"/>'
                   '<circle cx="%s" cy="%s" r="3.6" fill="#1c1208"/>'
                   '<circle cx="%s" cy="%s" r="2.2" fill="#ffffff"/></g>'
                   % (idn, n(ix), n(iy), DARK, n(ix - 0.5 * side),
                      n(iy + 0.5), n(ix - 2.8), n(iy - 3.5)))
        # the heavy old upper lid
        lid = "M" + " L".join("%s,%s" % (n(x), n(y)) for x, y in top_pts)
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
                   'stroke-linecap="round" stroke-linejoin="round"/>'
                   % (lid, DARK, n(lerp(3, 2.4, o))))
    else:
        arc = ("M%s,100 C%s,108 %s,108 %s,100"
               % (n(cx - 13), n(cx - 5), n(cx + 7), n(cx + 13))
               if side < 0 else
               "M%s,100 C%s,108 %s,108 %s,100"
               % (n(cx - 13), n(cx - 7), n(cx + 5), n(cx + 13)))
        out.append('<path d="%s" fill="none" stroke="%s" stroke-width="3" '
                   'stroke-linecap="round"/>' % (arc, DARK))
    # lashes hang from the lower lid; they fade as the eye opens
    lash_op = clamp(1 - o * 1.6)
    if lash_op > 0.02:
        if o <= 0.03:
            if side < 0:
                lashes = "M558,104 l-2,5 M566,107 l0,5 M574,106 l2,5"
            else:
                lashes = "M604,106 l-2,5 M612,108 l0,5 M620,106 l2,5"
        else:
            parts = []
            for u, dx in ((-0.62, -2), (0.0, 0), (0.54, 2)):
                i = int(round((u + 1) / 2.0 * steps))
                x, y = bot_pts[i]
                parts.append("M%s,%s l%s,5" % (n(x), n(y), n(dx)))
            lashes = " ".join(parts)
        out.append('<path d="%s" stroke="%s" stroke-width="1.2" opacity="%s"/>'
                   % (lashes, DARK, n(lash_op)))
    # the crease of the lid above the open eye
    crease_op = ramp(o, 0.5, 1.0)
    if crease_op > 0.02:
        d = ("M555,96 C560,87 576,86 582,95" if side < 0 else
             "M598,95 C604,86 620,87 625,96")
        out.append('<path d="%s" fill="none" stroke="#5a3820" stroke-width="2.4" '
                   'stroke-linecap="round" opacity="%s" transform="translate(0 %s)"/>'
                   % (d, n(crease_op), n((1 - o) * 6)))
    return "".join(out)


def nose(awake, twitch):
    a = [(584, 104), (580, 116), (582, 124), (590, 126), (598, 124), (598, 114),
         (594, 104)]
    b = [(584, 106), (579, 117), (582, 125), (590, 127), (598, 125), (600, 116),
         (595, 106)]
    p = [(lerp(x0, x1, awake), lerp(y0, y1, awake)) for (x0, y0), (x1, y1)
         in zip(a, b)]
    s = 1 + 0.14 * twitch
    d = "M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s" % tuple(
        n(v) for q in p for v in q)
    out = ('<path d="%s" fill="#9a6a40" stroke="#3b2a1e" stroke-width="1.8" '
           'transform="translate(590 110) scale(%s %s) translate(-590 -110)"/>'
           % (d, n(s), n(2 - s)))
    if awake > 0.05:
        out += ('<path d="M586,118 q4,3 8,0" fill="none" stroke="#5a3820" '
                'stroke-width="1.2" opacity="%s"/>' % n(awake))
    return out


def mouth(smile, mumble):
    """smile 0: the sleeping line; 1: the wide glad smile. mumble opens a
    small round 'o' in between."""
    open_ = max(smile, mumble)
    x1 = lerp(570, 562, smile) + 4 * mumble
    y1 = lerp(138, 132, smile)
    x2 = lerp(610, 618, smile) - 4 * mumble
    y2 = lerp(136, 132, smile)
    top1 = (lerp(580, 578, smile), lerp(144, 140, smile) - 3 * mumble)
    top2 = (lerp(600, 602, smile), lerp(144, 140, smile) - 3 * mumble)
    bot1 = (lerp(580, 572, smile), lerp(144, 150, smile) + 3 * mumble)
    bot2 = (lerp(600, 608, smile), lerp(144, 150, smile) + 3 * mumble)
    if open_ < 0.04:
        return ('<path d="M%s,%s C%s,%s %s,%s %s,%s" fill="none" stroke="%s" '
                'stroke-width="3" stroke-linecap="round"/>'
                % (n(x1), n(y1), n(top1[0]), n(top1[1]), n(top2[0]),
                   n(top2[1]), n(x2), n(y2), DARK))
    d = ("M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s Z"
         % (n(x1), n(y1), n(bot1[0]), n(bot1[1]), n(bot2[0]), n(bot2[1]),
            n(x2), n(y2), n(top2[0]), n(top2[1]), n(top1[0]), n(top1[1]),
            n(x1), n(y1)))
    out = ('<path d="%s" fill="#3a2414" stroke="%s" stroke-width="%s" '
           'stroke-linejoin="round"/>' % (d, DARK, n(lerp(3, 2.6, open_))))
    if smile > 0.4:
        out += ('<path d="M574,144 C584,148 598,148 606,144 C598,141 582,141 '
                '574,144z" fill="#b0605a" opacity="%s"/>'
                % n(ramp(smile, 0.4, 1.0)))
        out += ('<path d="M558,128 q2,4 6,5 M622,128 q-2,4 -6,5" fill="none" '
                'stroke="%s" stroke-width="2" stroke-linecap="round" '
                'opacity="%s"/>' % (DARK, n(ramp(smile, 0.5, 1.0))))
    return out


def cheeks(awake):
    """The furrows of old bark beside the mouth, and a rosy glow awake."""
    lx = lerp(560, 554, awake)
    rx = lerp(622, 626, awake)
    h = lerp(20, 22, awake)
    out = ('<path d="M%s,116 q-6,10 -2,%s M%s,116 q6,10 2,%s" fill="none" '
           'stroke="#3b2a1e" stroke-width="1.2" stroke-opacity="0.6"/>'
           % (n(lx), n(h), n(rx), n(h)))
    if awake > 0.02:
        out = ('<ellipse cx="556" cy="126" rx="13" ry="9" fill="url(#cheek)" '
               'opacity="%s"/><ellipse cx="624" cy="126" rx="13" ry="9" '
               'fill="url(#cheek)" opacity="%s"/>' % (n(awake), n(awake)) + out)
        out += ('<path d="M550,100 l-6,-3 M550,106 l-6,1 M630,100 l6,-3 '
                'M630,106 l6,1" stroke="#3b2a1e" stroke-width="1.3" '
                'stroke-opacity="0.7" stroke-linecap="round" opacity="%s"/>'
                % n(ramp(awake, 0.5, 1.0)))
    return out


# ------------------------------------------------------------ falling leaves

LEAVES = [
    # (start frame, frames to cross, x where it enters, drift, spin, size)
    (3, 17, 548, 22, 1.0, 1.0),
    (8, 16, 628, -26, -1.2, 0.85),
    (15, 17, 596, 16, 0.9, 0.9),
]


def leaf(x, y, rot, size, opacity):
    return ('<g transform="translate(%s %s) rotate(%s) scale(%s)" opacity="%s">'
            '<path d="M-7,0 C-4,-4.5 3,-4.5 7,0 C3,4.5 -4,4.5 -7,0 Z" '
            'fill="url(#leaf)" stroke="#3b2a1e" stroke-width="1.1"/>'
            '<path d="M-6,0 L6,0 M-7,0 l-2.5,1" fill="none" stroke="#3f6a2e" '
            'stroke-width="0.9" stroke-linecap="round"/></g>'
            % (n(x), n(y), n(rot), n(size), n(opacity)))


def falling_leaves(f):
    out = []
    for start, span, x0, drift, spin, size in LEAVES:
        t = (f - start) / float(span)
        if t <= 0 or t >= 1:
            continue
        y = lerp(OY - 8, OY + H + 8, t)
        x = x0 + drift * t + 7 * math.sin(t * 9 + start)
        rot = 35 * math.sin(t * 7 * spin + start) + 20 * spin
        # fade in and out at the edges of the clip so nothing is cut hard
        edge = min(y - OY, OY + H - y, x - OX, OX + W - x)
        op = clamp((edge + 6) / 10.0)
        if op > 0.02:
            out.append(leaf(x, y, rot, size, op))
    return "".join(out)


# ------------------------------------------------------------ the motion

def pose(f):
    p = {}
    # the brows shiver first, then lift as the eyes open
    p["shiver"] = 2.6 * pulse(f, 2, 4, 12, 18) + 1.2 * pulse(f, 21, 23, 26, 29)
    p["raise"] = ramp(f, 21, 28)
    # a sleepy mumble and a twitch of the nose
    p["mumble"] = 0.9 * pulse(f, 6, 7.5, 8.5, 10.5)
    p["twitch"] = math.sin(f * 2.4) * pulse(f, 5, 6, 10, 12)
    # the eyelids flutter twice, stay shut a moment, then open wide;
    # one glad blink after they are open
    o = 0.28 * pulse(f, 10, 11, 11.5, 13)
    o = max(o, 0.5 * pulse(f, 14, 15.5, 16, 18))
    o = max(o, ramp(f, 20.5, 26))
    o *= 1 - 0.85 * pulse(f, 29, 29.6, 30, 31)
    p["open"] = o
    p["awake"] = ramp(f, 22, 29)
    p["smile"] = ramp(f, 24, 31)
    # the eyes wander a little, then settle on the onlooker
    wander = pulse(f, 23, 25, 27, 30)
    p["look"] = (-3 * wander, -2.5 * wander)
    return p


DEFS = (
    '<defs>'
    '<linearGradient id="bark" x1="0" y1="0" x2="1" y2="0.2">'
    '<stop offset="0" stop-color="#a8764a"/><stop offset="0.45" '
    'stop-color="#7a4b2a"/><stop offset="1" stop-color="#4a2c18"/>'
    '</linearGradient>'
    '<radialGradient id="eyeW" cx="0.4" cy="0.35" r="0.7">'
    '<stop offset="0" stop-color="#fffaf0"/><stop offset="1" '
    'stop-color="#eadcb8"/></radialGradient>'
    '<radialGradient id="iris" cx="0.4" cy="0.35" r="0.7">'
    '<stop offset="0" stop-color="#b9d77a"/><stop offset="0.7" '
    'stop-color="#4f7d3a"/><stop offset="1" stop-color="#2f4f2a"/>'
    '</radialGradient>'
    '<radialGradient id="cheek" cx="0.5" cy="0.5" r="0.5">'
    '<stop offset="0" stop-color="#d0506a" stop-opacity="0.45"/>'
    '<stop offset="1" stop-color="#d0506a" stop-opacity="0"/></radialGradient>'
    '<radialGradient id="leaf" cx="0.35" cy="0.3" r="0.75">'
    '<stop offset="0" stop-color="#b9d77a"/><stop offset="0.6" '
    'stop-color="#7fae4f"/><stop offset="1" stop-color="#4f7d3a"/>'
    '</radialGradient>'
    # the room's grain and vignette, laid only over what this frame draws
    '<filter id="grain" x="0" y="0" width="100%%" height="100%%" '
    'color-interpolation-filters="sRGB"><feTurbulence type="fractalNoise" '
    'baseFrequency="0.9" numOctaves="2" seed="11"/><feColorMatrix '
    'type="matrix" values="0 0 0 0 0.23  0 0 0 0 0.16  0 0 0 0 0.12  '
    '0 0 0 1.6 -0.5"/></filter>'
    '<radialGradient id="vig" cx="0.5" cy="0.5" r="0.72">'
    '<stop offset="0.62" stop-color="#2a1f35" stop-opacity="0"/>'
    '<stop offset="1" stop-color="#2a1f35" stop-opacity="0.42"/>'
    '</radialGradient>'
    '<filter id="white" filterUnits="userSpaceOnUse" x="-10" y="-10" '
    'width="%d" height="%d">'
    '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  '
    '0 0 0 1 0"/></filter>'
    '<mask id="drawn" maskUnits="userSpaceOnUse" x="0" y="0" width="%d" '
    'height="%d"><use xlink:href="#art" filter="url(#white)"/></mask>'
    # the patch of bark that is painted again: the face and a little round it
    '<clipPath id="face"><ellipse cx="589.5" cy="112.5" rx="48" ry="38"/>'
    '</clipPath>'
    '</defs>' % (W + 20, H + 20, W, H)
)


def awake_face():
    """The inside of events/tree.svg, its ids made its own so they cannot
    meet the frame's."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                        "events", "tree.svg")
    with open(path, encoding="ascii") as fh:
        text = fh.read()
    body = text[text.index(">", text.index("<svg")) + 1:text.rindex("</svg>")]
    body = re.sub(r"<title>.*?</title>", "", body, flags=re.S)
    body = re.sub(r'id="([^"]+)"', r'id="awake-\1"', body)
    body = re.sub(r"url\(#([^)]+)\)", r"url(#awake-\1)", body)
    return re.sub(r'href="#([^"]+)"', r'href="#awake-\1"', body)


AWAKE = awake_face()
# frames over which the awake face comes in; it is whole on the last two
HANDOVER = (FRAMES - 6, FRAMES - 2)


def frame(f):
    p = pose(f)
    face = [TRUNK,
            cheeks(p["awake"]),
            brows(p["raise"], p["shiver"], f),
            eye(-1, p["open"], p["look"], "lidL"),
            eye(1, p["open"], p["look"], "lidR"),
            nose(p["awake"], p["twitch"]),
            mouth(p["smile"], p["mumble"])]
    art = ('<g clip-path="url(#face)">%s</g>' % "".join(face) +
           falling_leaves(f))
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" '
        'xmlns:xlink="http://www.w3.org/1999/xlink" width="%d" height="%d" '
        'viewBox="0 0 %d %d">' % (W, H, W, H) + DEFS +
        '<g id="art" transform="translate(%d %d)">%s</g>' % (-OX, -OY, art) +
        '<g mask="url(#drawn)"><g transform="translate(%d %d)">' % (-OX, -OY) +
        '<rect width="792" height="392" filter="url(#grain)" opacity="0.09"/>'
        '<rect width="792" height="392" fill="url(#vig)"/></g></g>' +
        handover(f) +
        '</svg>\n')


def handover(f):
    k = ramp(f, HANDOVER[0], HANDOVER[1])
    if k <= 0:
        return ""
    return ('<g opacity="%s"><g transform="translate(%d %d)">%s</g></g>'
            % (n(k), -OX, -OY, AWAKE))


def main(argv):
    return write_frames('tree', FRAMES, frame, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
