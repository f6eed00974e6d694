#!/usr/bin/env python3
"""The jubjub bird flies off (room 15).

Usage: python3 jubjub.py OUTDIR

Writes OUTDIR/f000.svg ... at 12 frames a second. Each frame is the
312 x 148 piece of the room picture that starts at picture pixel (65, 16),
with a transparent background: only the bird, its shed feathers and the
bits of sky they uncover are drawn. The bird is hit by the giant claw,
shrieks, flaps so hard that two feathers come loose, and flies off over
the top-left of the tree. The first frame is the bird exactly as the room
draws it; the last frame leaves the room in its changed look (the two
feathers hanging in the air where the room's changed picture has them).
"""

import math
import sys

from cliplib import clamp, lerp, n, ramp, write_frames

W, H = 312, 148          # size of the clip rectangle
OX, OY = 65, 16          # its top-left corner in the room picture
FRAMES = 36              # 3 seconds at 12 frames a second
INK = "#3b2a1e"


# ---------------------------------------------------------------- the bird
# All shapes below are in the bird's own coordinates. The room draws its bird
# through ROOM (the transform on its code2 group), which shrinks it a little
# so that all of it, toes included, lies both inside the clip's rectangle and
# inside the room's changed piece; every frame draws the bird through it too,
# so that frame 0 lies exactly on top of the room's bird.
ROOM = (0.88, 35.04, 3.32)   # scale, then offset


def room_point(x, y):
    k, tx, ty = ROOM
    return k * x + tx, k * y + ty


def in_room(svg):
    k, tx, ty = ROOM
    return '<g transform="matrix(%s 0 0 %s %s %s)">%s</g>' % (k, k, tx, ty, svg)


FEATHERS = [
    # (fill, outline of the long feather, its vein, its three barb ticks)
    ("#e8b93c",
     "M248 104 C200 106 150 120 96 136 C90 140 88 148 94 152 L104 146 "
     "L100 156 C150 142 200 130 248 124 Z",
     "M240 114 C190 118 150 130 104 145",
     "M200 128 l-6 6 M164 135 l-6 6 M128 142 l-6 6"),
    ("#d0506a",
     "M248 101.2 C200 99 150 106 96 122 C90 126 88 134 94 138 L104 132 "
     "L100 142 C150 128 200 123 248 121.2 Z",
     "M240 111.2 C190 111 150 116 104 131",
     "M200 121 l-6 6 M164 125.2 l-6 6 M128 129.4 l-6 6"),
    ("#7b5ea7",
     "M248 106.8 C200 113 150 134 96 150 C90 154 88 162 94 166 L104 160 "
     "L100 170 C150 156 200 137 248 126.8 Z",
     "M240 116.8 C190 125 150 144 104 159",
     "M200 135 l-6 6 M164 144.8 l-6 6 M128 154.6 l-6 6"),
]
SHOULDER = (248, 115)    # where the long feathers leave the body

BODY = (
    '<path d="M232 118 C226 80 250 50 288 48 C330 46 356 76 352 114 C350 144 '
    '326 162 292 162 C258 162 236 146 232 118 Z" fill="url(#gBird)" '
    'stroke="#3b2a1e" stroke-width="3"/>'
    '<path d="M246 100 C248 134 266 154 290 156 C306 156 318 148 322 134 C310 '
    '130 296 120 288 104 C276 106 260 104 246 100 Z" fill="url(#gBreast)" '
    'stroke="#3b2a1e" stroke-width="1.8"/>'
    '<path d="M266 126 q4 4 8 0 M280 138 q4 4 8 0 M296 146 q4 4 8 0 M270 112 '
    'q4 4 8 0 M300 130 q4 4 8 0" fill="none" stroke="#8a2a40" '
    'stroke-width="1.2"/>'
)

BACK_WING = (
    '<path d="M300 78 C330 74 352 96 350 122 C348 140 340 150 326 156 L330 144 '
    'L318 150 L322 138 L308 142 L314 128 C304 118 298 100 300 78 Z" '
    'fill="#5e4490" stroke="#3b2a1e" stroke-width="2.2" stroke-linejoin="round"/>'
    '<path d="M312 92 C326 96 336 108 338 122 M306 104 C318 110 326 120 328 132" '
    'fill="none" stroke="#a68bd0" stroke-width="1.5"/>'
)
BACK_WING_ROOT = (304, 84)

# the crest: (x offset of the feather, colour, resting angle)
CREST = [(0, "#e8b93c", -38), (10, "#d0506a", -18), (21, "#e8b93c", 2),
         (32, "#d0506a", 20), (42, "#e8b93c", 40)]

UPPER_BEAK = (
    '<path d="M270 90 C262 88 246 90 238 98 C232 104 234 114 240 116 C242 108 '
    '250 104 262 104 C272 104 282 100 284 94 C282 90 276 90 270 90 Z" '
    'fill="url(#gBeak)" stroke="#3b2a1e" stroke-width="2.2" '
    'stroke-linejoin="round"/>'
)
MOUTH_LINE = ('<path d="M246 100 C256 98 268 100 278 96" fill="none" '
              'stroke="#3b2a1e" stroke-width="1.3"/>')
HINGE = (282, 96)

FEET = (
    '<path d="M276 158 v8 M276 166 l-8 8 M276 166 l0 10 M276 166 l8 8 '
    'M306 158 v8 M306 166 l-8 8 M306 166 l0 10 M306 166 l8 8" '
    'stroke="#c98f1e" stroke-width="3.2" stroke-linecap="round" fill="none"/>'
    '<path d="M268 174 l-2 3 M276 176 l0 3 M284 174 l2 3 M298 174 l-2 3 '
    'M306 176 l0 3 M314 174 l2 3" stroke="#3b2a1e" stroke-width="2" '
    'stroke-linecap="round"/>'
)

# The two feathers that the room's changed picture shows hanging in the air.
LOOSE = [
    # (final outline, quill line or None, fill, where it leaves the bird
    #  (from the final spot, in the bird's own coordinates),
    #  the frame it comes loose, the frame it comes to rest)
    ("M232 120 C240 110 254 106 262 110 C252 112 242 118 232 120 Z",
     "M232 120 L262 110", "#7b5ea7", (-20, 42), 9, 31),
    ("M318 72 C326 64 338 62 344 66 C336 68 326 72 318 72 Z",
     None, "#e8b93c", (-8, 6), 12, 33),
]


def crest(flare, shiver):
    out = []
    for i, (dx, col, ang) in enumerate(CREST):
        a = ang * (1 + 0.45 * flare) + shiver * (1 if i % 2 else -1)
        x = 262 + dx
        out.append(
            '<path d="M%s 62 C%s 52 %s 44 %s 36 C%s 42 %s 52 %s 62 Z" '
            'transform="rotate(%s %s 62)" fill="%s" stroke="#3b2a1e" '
            'stroke-width="1.8" stroke-linejoin="round"/>'
            % (n(x), n(x - 3), n(x), n(x + 4), n(x + 9), n(x + 10), n(x + 8),
               n(a), n(x + 4), col))
    return "".join(out)


def eyes(wide, look):
    """wide: 0 = as in the room, 1 = wide with fright and fury."""
    r = 11 + 1.5 * wide
    pr = 4.5 - 1.3 * wide
    out = []
    for cx in (266, 296):
        px = cx - 2 + look[0]
        py = 80 + look[1]
        out.append('<circle cx="%s" cy="78" r="%s" fill="#fffaf0" '
                   'stroke="#3b2a1e" stroke-width="2"/>' % (n(cx), n(r)))
        out.append('<circle cx="%s" cy="%s" r="%s" fill="#3b2a1e"/>'
                   % (n(px), n(py), n(pr)))
        out.append('<circle cx="%s" cy="%s" r="1.4" fill="#fffaf0"/>'
                   % (n(px - 1), n(py - 1.5)))
    # the angry brows, pulled steeper in the shriek
    k = 4 * wide
    out.append('<path d="M252 %s L278 72 M310 %s L284 72" stroke="#3b2a1e" '
               'stroke-width="4" stroke-linecap="round"/>'
               % (n(64 - k), n(62 - k)))
    return "".join(out)


def beak(gape):
    """gape: 0 = closed as in the room, 1 = wide open in a shriek."""
    if gape <= 0.001:
        return UPPER_BEAK + MOUTH_LINE
    hx, hy = HINGE
    up = -14 * gape
    down = 26 * gape
    return (
        # the inside of the mouth
        '<path d="M284 96 C270 98 252 104 242 112 C252 122 270 118 284 102 Z" '
        'transform="rotate(%s %s %s)" fill="#8a2a40" stroke="#3b2a1e" '
        'stroke-width="1.5"/>' % (n(down * 0.5), hx, hy) +
        # the lower half of the beak
        '<path d="M284 98 C272 102 256 106 244 112 C248 118 262 118 272 112 '
        'C278 108 284 104 284 98 Z" transform="rotate(%s %s %s)" '
        'fill="url(#gBeak)" stroke="#3b2a1e" stroke-width="2.2" '
        'stroke-linejoin="round"/>' % (n(down), hx, hy) +
        # a quivering tongue
        '<path d="M276 102 C268 104 258 108 252 112" transform="rotate(%s %s %s)" '
        'fill="none" stroke="#f08aa0" stroke-width="3" stroke-linecap="round"/>'
        % (n(down * 0.6), hx, hy) +
        '<g transform="rotate(%s %s %s)">%s</g>' % (n(up), hx, hy, UPPER_BEAK))


def wings(angle, spread):
    """The three long feathers, swung round the shoulder.

    angle > 0 lifts the tips (the feathers point left), spread fans them."""
    sx, sy = SHOULDER
    out = []
    for i, (fill, outline, vein, ticks) in enumerate(FEATHERS):
        # the gold one leads, the violet one lags behind a little
        a = angle + spread * (1 - i) * 9
        out.append(
            '<g transform="rotate(%s %s %s)"><path d="%s" fill="%s" '
            'stroke="#3b2a1e" stroke-width="2.2" stroke-linejoin="round"/>'
            '<path d="%s" fill="none" stroke="#3b2a1e" stroke-width="1.2" '
            'opacity="0.8"/><path d="%s" stroke="#3b2a1e" stroke-width="1.2"/>'
            '</g>' % (n(a), sx, sy, outline, fill, vein, ticks))
    return "".join(out)


def back_wing(angle):
    rx, ry = BACK_WING_ROOT
    if abs(angle) < 0.01:
        return BACK_WING
    return '<g transform="rotate(%s %s %s)">%s</g>' % (n(angle), rx, ry,
                                                      BACK_WING)


def feet(tuck):
    if tuck <= 0.001:
        return FEET
    # the legs swing back under the tail as the bird takes off
    return ('<g transform="rotate(%s 291 158) translate(0 %s)">%s</g>'
            % (n(38 * tuck), n(-6 * tuck), FEET))


def star(cx, cy, r, rot, opacity):
    pts = []
    for k in range(16):
        rr = r if k % 2 == 0 else r * 0.45
        a = math.radians(rot + k * 22.5)
        pts.append("%s %s" % (n(cx + rr * math.cos(a)), n(cy + rr * math.sin(a))))
    return ('<path d="M%s Z" fill="#fff1b0" stroke="#3b2a1e" stroke-width="2.5" '
            'stroke-linejoin="round" opacity="%s"/>'
            '<circle cx="%s" cy="%s" r="%s" fill="#e8b93c" opacity="%s"/>'
            % (" L".join(pts), n(opacity), n(cx), n(cy), n(r * 0.28), n(opacity)))


def shriek_marks(f, strength):
    """Jagged cries bursting from the open beak."""
    if strength <= 0.01:
        return ""
    out = []
    ox, oy = 230, 104          # just in front of the beak tip
    for k, ang in enumerate((-150, -178, 154)):
        a = math.radians(ang)
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        start = 10 + 3 * ((f + k) % 3)
        length = (34 + 10 * (k % 2)) * strength + 12
        pts = []
        steps = 5
        for s in range(steps + 1):
            d = start + length * s / steps
            z = (6 if s % 2 else -6) * (0.6 + 0.4 * strength)
            pts.append("%s %s" % (n(ox + ux * d + vx * z), n(oy + uy * d + vy * z)))
        path = "M" + " L".join(pts)
        out.append('<path d="%s" fill="none" stroke="#3b2a1e" stroke-width="7" '
                   'stroke-linecap="round" stroke-linejoin="round" opacity="%s"/>'
                   '<path d="%s" fill="none" stroke="#fff1b0" stroke-width="3.2" '
                   'stroke-linecap="round" stroke-linejoin="round" opacity="%s"/>'
                   % (path, n(strength), path, n(strength)))
    return "".join(out)


def loose_feather(shed, f):
    """A shed feather drifting down to where the changed room shows it."""
    outline, quill, fill, offset, f_loose, f_rest = shed
    if f < f_loose or f >= f_rest:
        return ""
    t = (f - f_loose) / float(f_rest - f_loose)
    e = 1 - (1 - t) ** 2                  # quick at first, settling gently
    # turn about the feather's own middle
    xs = [float(v) for v in outline.replace("M", " ").replace("C", " ")
          .replace("Z", " ").split()[0::2]]
    ys = [float(v) for v in outline.replace("M", " ").replace("C", " ")
          .replace("Z", " ").split()[1::2]]
    cx, cy = sum(xs) / len(xs), sum(ys) / len(ys)
    # it comes loose where the room draws that spot of the bird
    sx, sy = room_point(cx + offset[0], cy + offset[1])
    dx = (sx - cx) * (1 - e) + 9 * math.sin(t * 9.0) * (1 - t)
    dy = (sy - cy) * (1 - e) - 4 * math.sin(t * 6.0) * (1 - t)
    rot = 40 * math.sin(t * 8.5) * (1 - t)
    body = ('<path d="%s" fill="%s" stroke="#3b2a1e" stroke-width="1"/>'
            % (outline, fill))
    if quill:
        body += '<path d="%s" stroke="#3b2a1e" stroke-width="0.8"/>' % quill
    return ('<g transform="translate(%s %s) rotate(%s %s %s)">%s</g>'
            % (n(dx), n(dy), n(rot), n(cx), n(cy), body))


def sky_patch(shed, f):
    """Hide a shed feather of the changed background until it arrives."""
    outline, quill, fill, offset, f_loose, f_rest = shed
    if f >= f_rest:
        return ""
    nums = [float(v) for v in outline.replace("M", " ").replace("C", " ")
            .replace("Z", " ").split()]
    xs, ys = nums[0::2], nums[1::2]
    x0, x1 = min(xs) - 3, max(xs) + 3
    y0, y1 = min(ys) - 3, max(ys) + 3
    return ('<rect x="%s" y="%s" width="%s" height="%s" fill="url(#skyU)"/>'
            % (n(x0), n(y0), n(x1 - x0), n(y1 - y0)))


# ---------------------------------------------------------------- the motion

def pose(f):
    """Everything that changes from frame to frame."""
    p = {}
    hit = ramp(f, 1.5, 2.5) * (1 - ramp(f, 4, 6))
    p["star"] = (hit, f)
    # the shriek: beak gaping from frame 2 to about frame 13
    gape = ramp(f, 2, 3.5) * (1 - ramp(f, 12, 15))
    gape *= 0.85 + 0.15 * math.sin(f * 2.3)
    p["gape"] = gape
    p["cry"] = ramp(f, 2.5, 4) * (1 - ramp(f, 11, 14))
    p["wide"] = ramp(f, 1.5, 3)
    p["flare"] = ramp(f, 2, 4)
    p["shiver"] = 6 * math.sin(f * 2.9) * ramp(f, 2, 4) * (1 - ramp(f, 14, 18))
    # the jolt of the claw and the shaking fury that follows
    shake = ramp(f, 2, 3) * (1 - ramp(f, 10, 13))
    p["dx"] = 5 * ramp(f, 1.5, 2.5) * (1 - ramp(f, 3, 6)) + \
        2.2 * math.sin(f * 3.7) * shake
    p["dy"] = 1.8 * math.cos(f * 4.1) * shake
    p["squash"] = 0.06 * ramp(f, 1.5, 2.5) * (1 - ramp(f, 3, 5))
    # flapping: starts small, grows frantic, about three beats a second
    beat = ramp(f, 5, 9)
    phase = 2 * math.pi * (f - 5) / 4.0
    flap = math.sin(phase)
    p["wing"] = beat * (19 + 19 * flap)
    p["spread"] = beat * (0.6 + 0.6 * flap)
    p["back"] = -beat * (20 + 26 * flap)
    # crouch, then spring up and away to the upper left
    crouch = ramp(f, 13, 15) * (1 - ramp(f, 15, 17))
    fly = clamp((f - 15) / 14.0)
    e = fly ** 1.8
    p["dx"] += -112 * e - 10 * math.sin(math.pi * fly)
    p["dy"] += 6 * crouch - 196 * e
    p["scale"] = 1 - 0.62 * ramp(f, 15, 29)
    p["tilt"] = 16 * ramp(f, 15, 20)
    p["tuck"] = ramp(f, 15, 19)
    p["look"] = (-2 * ramp(f, 3, 5), -1.5 * ramp(f, 14, 18))
    p["gone"] = f >= 30
    return p


# ---------------------------------------------------------------- the frames

DEFS = (
    '<defs>'
    '<linearGradient id="gBird" x1="0" y1="0" x2="0.6" y2="1">'
    '<stop offset="0" stop-color="#a68bd0"/><stop offset="0.5" '
    'stop-color="#7b5ea7"/><stop offset="1" stop-color="#51397a"/>'
    '</linearGradient>'
    '<linearGradient id="gBreast" x1="0" y1="0" x2="0.3" y2="1">'
    '<stop offset="0" stop-color="#f08aa0"/><stop offset="1" '
    'stop-color="#b83a58"/></linearGradient>'
    '<linearGradient id="gBeak" x1="0" y1="0" x2="1" y2="1">'
    '<stop offset="0" stop-color="#f6d673"/><stop offset="1" '
    'stop-color="#c98f1e"/></linearGradient>'
    # the room's sky, in picture coordinates
    '<linearGradient id="skyU" gradientUnits="userSpaceOnUse" x1="0" y1="0" '
    'x2="0" y2="300"><stop offset="0" stop-color="#9fc8e8"/>'
    '<stop offset="0.75" stop-color="#f4e6c8"/><stop offset="1" '
    'stop-color="#f4e6c8"/></linearGradient>'
    # the room's paper grain and vignette, laid only over what this frame draws
    '<filter id="grain" x="0" y="0" width="1" height="1">'
    '<feTurbulence type="fractalNoise" baseFrequency="0.9" numOctaves="2" '
    'seed="7"/><feColorMatrix type="matrix" values="0 0 0 0 0.23  0 0 0 0 '
    '0.16  0 0 0 0 0.12  0 0 0 1.6 -0.4"/></filter>'
    '<radialGradient id="gVig" cx="0.5" cy="0.5" r="0.75">'
    '<stop offset="0.55" stop-color="#2a1f35" stop-opacity="0"/>'
    '<stop offset="1" stop-color="#2a1f35" stop-opacity="0.45"/>'
    '</radialGradient>'
    '<filter id="white" filterUnits="userSpaceOnUse" x="-10" y="-10" '
    'width="%d" height="%d">'
    '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  '
    '0 0 0 1 0"/></filter>'
    '<mask id="drawn" maskUnits="userSpaceOnUse" x="0" y="0" width="%d" '
    'height="%d"><use xlink:href="#art" filter="url(#white)"/></mask>'
    '</defs>' % (W + 20, H + 20, W, H)
)


def frame(f):
    p = pose(f)
    art = []
    # sky over the spots where the changed room shows the two shed feathers
    for shed in LOOSE:
        art.append(sky_patch(shed, f))
    if not p["gone"]:
        cx, cy = 292, 110
        s = p["scale"]
        sq = p["squash"]
        bird = (wings(p["wing"], p["spread"]) +
                BODY + back_wing(p["back"]) + crest(p["flare"], p["shiver"]) +
                eyes(p["wide"], p["look"]) + beak(p["gape"]) + feet(p["tuck"]))
        art.append(in_room(
            '<g transform="translate(%s %s) rotate(%s) scale(%s %s) '
            'translate(%s %s)">%s</g>'
            % (n(cx + p["dx"]), n(cy + p["dy"]), n(p["tilt"]),
               n(s * (1 + sq)), n(s * (1 - sq)), -cx, -cy, bird)))
        if p["cry"] > 0.01:
            art.append(in_room(shriek_marks(f, p["cry"])))
    hit, _ = p["star"]
    if hit > 0.01:
        art.append(in_room(star(246, 138, 10 + 12 * hit, f * 11, hit)))
    for shed in LOOSE:
        art.append(loose_feather(shed, f))
    body = "".join(art)
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" '
        'xmlns:xlink="http://www.w3.org/1999/xlink" width="%d" height="%d" '
        'viewBox="0 0 %d %d">' % (W, H, W, H) + DEFS +
        '<g id="art" transform="translate(%d %d)">%s</g>' % (-OX, -OY, body) +
        '<g mask="url(#drawn)"><g transform="translate(%d %d)">' % (-OX, -OY) +
        '<rect width="792" height="392" filter="url(#grain)" opacity="0.08"/>'
        '<rect width="792" height="392" fill="url(#gVig)"/></g></g>'
        '</svg>\n')


def main(argv):
    return write_frames('jubjub', FRAMES, frame, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
