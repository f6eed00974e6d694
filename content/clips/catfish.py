#!/usr/bin/env python3
"""The cat-fish leaps for the yarn (room 22, the stream).

Usage: python3 catfish.py OUTDIR

Writes OUTDIR/f000.svg ... at 12 frames a second. Each frame is the
164 x 188 piece of the room picture that starts at picture pixel
(629, 212). The stream there is painted again exactly as the room paints
it (so that the water can bulge and ring), and on it: the white thread of
the fishing rod swinging in from the right-hand edge, the water swelling
under it, a fish with a cat's head bursting up to snap at the knot of
yarn, and the splash as it drops back. The thread is pulled away again
and the rings die out, so the last frame is the calm stream of the room.
"""

import math
import sys

from cliplib import clamp, lerp, n, ramp, write_frames

W, H = 164, 188          # size of the clip rectangle
OX, OY = 629, 212        # its top-left corner in the room picture
FRAMES = 30              # 2.5 seconds at 12 frames a second
INK = "#3b2a1e"


# ------------------------------------------------------------ the water
# The stream as room 22 paints it, in picture coordinates. The lily pad in
# this corner is kept apart so that it can rock on the waves.

WATER = (
    '<path d="M380,172 C500,172 640,170 792,172 L792,392 L520,392 C486,322 '
    '448,246 420,206 C408,190 396,180 380,172 Z" fill="url(#poolG)" '
    'stroke="#3b2a1e" stroke-width="2.5"/>'
    '<path d="M470,200 q20,-4 40,0 M560,196 q30,-5 60,0 M680,200 q30,-4 60,0 '
    'M520,240 q24,-5 48,0 M620,262 q30,-6 60,0 M560,300 q34,-6 68,0 M700,330 '
    'q30,-6 60,0 M600,360 q30,-5 60,0" fill="none" stroke="#fffaf0" '
    'stroke-width="1.8" stroke-linecap="round" opacity="0.75"/>'
    '<path d="M420,190 C500,200 600,196 700,186 L792,184 L792,196 C700,204 '
    '560,214 440,208 Z" fill="#4f7d3a" opacity="0.25"/>'
)
PAD = ('<path d="M709,222 A9,4 0 1 1 702,218 L700,222 Z" fill="#7fae4f" '
       'stroke="#3b2a1e" stroke-width="1.3"/>')
PAD_CENTRE = (703, 221)
# the quiet rings and the dark shape under them, where the fish lurks
RINGS = ('<circle cx="700" cy="280" r="16" fill="none" stroke="#fffaf0" '
         'stroke-width="1.2" opacity="0.6"/>'
         '<circle cx="700" cy="280" r="8" fill="none" stroke="#fffaf0" '
         'stroke-width="1" opacity="0.6"/>')
SHADOW = ('<path d="M690,292 q10,-6 20,0 q-10,6 -20,0 Z" fill="#2a1f35" '
          'opacity="%s"/>')

# In clip coordinates from here on.
SPOT = (71.0, 68.0)      # the centre of the rings: the fish comes up here
DIVE = (97.0, 132.0)     # where it drops back in, nearer the onlooker
REST_TIP = (74.0, 30.0)  # where the knot of yarn hangs over the rings
APEX_Y = 26.0            # how high the face gets
ROD = (176.0, 8.0)       # the thread comes from the rod, off the picture


# ------------------------------------------------------------ the cat-fish
# Drawn round the centre of the cat's face, pointing up, about 1 unit = 1 px.

def cat_fish(gape, blink, tail, fin):
    g = []
    # the fish: tail fan, body with scales, little side fins
    g.append(
        '<g transform="rotate(%s 0 44)"><path d="M0,42 C-5,49 -14,55 -17,63 '
        'C-9,62 -4,59 0,54 C4,59 9,62 17,63 C14,55 5,49 0,42 Z" '
        'fill="url(#finG)" stroke="#3b2a1e" stroke-width="2" '
        'stroke-linejoin="round"/><path d="M-2,50 l-8,9 M0,52 l0,8 M2,50 l8,9" '
        'stroke="#a8743f" stroke-width="1.1"/></g>' % n(tail))
    for side in (-1, 1):
        g.append(
            '<path d="M%s,18 C%s,16 %s,22 %s,30 C%s,28 %s,26 %s,24 Z" '
            'transform="rotate(%s %s 20)" fill="url(#finG)" stroke="#3b2a1e" '
            'stroke-width="1.6" stroke-linejoin="round"/>'
            % (n(11 * side), n(20 * side), n(24 * side), n(22 * side),
               n(17 * side), n(13 * side), n(11 * side), n(fin * side),
               n(11 * side)))
    g.append('<path d="M-13,6 C-17,20 -11,36 0,46 C11,36 17,20 13,6 Z" '
             'fill="url(#scaleG)" stroke="#3b2a1e" stroke-width="2.4" '
             'stroke-linejoin="round"/>')
    g.append('<path d="M-6,16 C-6,28 -2,38 0,42 C2,38 6,28 6,16 Z" '
             'fill="#e8f4ee" opacity="0.55"/>')
    g.append('<path d="M-9,18 q3,3 6,0 q3,3 6,0 q3,3 6,0 M-7,25 q3,3 5,0 '
             'q3,3 5,0 q3,3 5,0 M-5,32 q2.5,3 5,0 q2.5,3 5,0" fill="none" '
             'stroke="#2f6a66" stroke-width="1.1" stroke-linecap="round"/>')
    # the cat's head: ears first, then the round face
    g.append('<path d="M-14,-4 L-13,-22 L-2,-12 Z M14,-4 L13,-22 L2,-12 Z" '
             'fill="url(#furG)" stroke="#3b2a1e" stroke-width="2.2" '
             'stroke-linejoin="round"/>')
    g.append('<path d="M-11,-8 L-11,-17 L-5,-12 Z M11,-8 L11,-17 L5,-12 Z" '
             'fill="#f08aa0"/>')
    g.append('<path d="M-16,2 C-17,-8 -10,-14 0,-14 C10,-14 17,-8 16,2 '
             'C15,11 9,16 0,16 C-9,16 -15,11 -16,2 Z" fill="url(#furG)" '
             'stroke="#3b2a1e" stroke-width="2.6"/>')
    g.append('<path d="M-5,-13 l1,5 M0,-14 l0,6 M5,-13 l-1,5" stroke="#a0522d" '
             'stroke-width="2" stroke-linecap="round"/>')
    g.append('<path d="M-16,1 l5,1 M-15.5,5 l5,0 M16,1 l-5,1 M15.5,5 l-5,0" '
             'stroke="#a0522d" stroke-width="1.6" stroke-linecap="round"/>')
    g.append('<ellipse cx="0" cy="9" rx="8" ry="5.5" fill="#fff1dc" '
             'opacity="0.9"/>')
    # eyes: wide green-gold with slit pupils; blink squeezes them shut
    for cx in (-6.5, 6.5):
        ry = 5.2 * (1 - blink) + 0.01
        if blink < 0.85:
            g.append('<ellipse cx="%s" cy="-2" rx="4.6" ry="%s" fill="#d8e45a" '
                     'stroke="#3b2a1e" stroke-width="1.6"/>' % (n(cx), n(ry)))
            g.append('<ellipse cx="%s" cy="-2" rx="1.3" ry="%s" '
                     'fill="#1e1a22"/>' % (n(cx), n(ry * 0.8)))
            g.append('<circle cx="%s" cy="%s" r="1.2" fill="#fffaf0"/>'
                     % (n(cx - 1.5), n(-2 - ry * 0.45)))
        else:
            g.append('<path d="M%s,-2 q4.6,3 9.2,0" fill="none" '
                     'stroke="#3b2a1e" stroke-width="2" stroke-linecap="round"/>'
                     % n(cx - 4.6))
    # nose and mouth
    g.append('<path d="M-2.6,4 L2.6,4 L0,6.8 Z" fill="#d0506a" '
             'stroke="#3b2a1e" stroke-width="1" stroke-linejoin="round"/>')
    if gape > 0.05:
        oh = 7.5 * gape
        g.append('<path d="M-6,8 C-6,%s 6,%s 6,8 C3,9.5 -3,9.5 -6,8 Z" '
                 'fill="#5a1e2a" stroke="#3b2a1e" stroke-width="1.6" '
                 'stroke-linejoin="round"/>' % (n(8 + oh * 1.3), n(8 + oh * 1.3)))
        g.append('<path d="M-4.5,8.6 l1.2,%s l1.2,-%s M4.5,8.6 l-1.2,%s '
                 'l-1.2,-%s" fill="#fffaf0" stroke="#3b2a1e" stroke-width="0.8" '
                 'stroke-linejoin="round"/>'
                 % (n(2.4 + gape), n(2.4 + gape), n(2.4 + gape), n(2.4 + gape)))
        g.append('<ellipse cx="0" cy="%s" rx="3" ry="%s" fill="#f08aa0"/>'
                 % (n(8 + oh * 0.9), n(0.4 + oh * 0.25)))
    else:
        g.append('<path d="M0,6.8 v1.6 M-5,8 q2.5,3 5,0.4 q2.5,2.6 5,-0.4" '
                 'fill="none" stroke="#3b2a1e" stroke-width="1.5" '
                 'stroke-linecap="round"/>')
    # whiskers: long and bold, white with an ink edge
    wk = ('M-7,7 L-25,2 M-7,8.5 L-26,9 M-7,10 L-23,15 '
          'M7,7 L25,2 M7,8.5 L26,9 M7,10 L23,15')
    g.append('<path d="%s" stroke="#3b2a1e" stroke-width="2.6" '
             'stroke-linecap="round"/><path d="%s" stroke="#fffaf0" '
             'stroke-width="1.2" stroke-linecap="round"/>' % (wk, wk))
    return "".join(g)


# ------------------------------------------------------------ pieces of water

def droplet(x, y, vx, vy, r, opacity):
    """A drop flying with velocity (vx, vy): a tear pointing back along it."""
    sp = math.hypot(vx, vy) or 1.0
    ux, uy = vx / sp, vy / sp
    tail = r * (1.6 + min(sp, 6) * 0.35)
    tx, ty = x - ux * tail, y - uy * tail
    px, py = -uy * r, ux * r
    return ('<path d="M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z" fill="#e6f4fa" '
            'stroke="#3b2a1e" stroke-width="1.1" opacity="%s"/>'
            % (n(tx), n(ty), n(x + px * 1.6), n(y + py * 1.6), n(x + ux * r),
               n(y + uy * r), n(x - px * 1.6), n(y - py * 1.6), n(tx), n(ty),
               n(opacity)))


def splash(cx, cy, age, size, seed):
    """A crown of drops thrown up from (cx, cy), age in frames since."""
    if age < 0 or age > 7:
        return ""
    out = []
    count = 9
    for k in range(count):
        a = math.radians(-90 + (k - (count - 1) / 2.0) * 19 +
                         ((k * 37 + seed) % 11 - 5))
        speed = size * (3.2 + ((k * 53 + seed) % 7) * 0.35)
        vx, vy = math.cos(a) * speed * 0.9, math.sin(a) * speed
        g = 1.3 * size
        x = cx + vx * age
        y = cy + vy * age + 0.5 * g * age * age + 2
        r = 2.0 + ((k * 29 + seed) % 3) * 0.6
        op = clamp(1.2 - age / 7.0)
        if y < cy + 6:
            out.append(droplet(x, y, vx, vy + g * age, r, op))
    return "".join(out)


def crown(cx, cy, h, w, opacity):
    """The sheet of water thrown up round a body breaking the surface."""
    if h <= 0.3 or opacity <= 0.02:
        return ""
    spikes = 7
    d = "M%s,%s" % (n(cx - w), n(cy))
    step = 2.0 * w / spikes
    for k in range(spikes):
        x0 = cx - w + k * step
        mid = x0 + step / 2.0
        edge = abs(mid - cx) / w
        top = cy - h * (0.55 + 0.45 * (1 - edge)) * (0.8 + 0.2 * (k % 2))
        low = cy - h * 0.2
        # a rounded jet of water, leaning outwards from the middle
        lean = (mid - cx) / w * step * 0.5
        d += (" Q%s,%s %s,%s Q%s,%s %s,%s"
              % (n(x0 + step * 0.2), n(low), n(mid - step * 0.2 + lean),
                 n(top + 1.5), n(mid + lean), n(top - 1.5),
                 n(mid + step * 0.2 + lean), n(top + 1.5)))
        d += " Q%s,%s %s,%s" % (n(x0 + step * 0.85), n(low), n(x0 + step),
                               n(cy - h * 0.12))
    d += (" C%s,%s %s,%s %s,%s Z"
          % (n(cx + w * 0.6), n(cy + 6), n(cx - w * 0.6), n(cy + 6),
             n(cx - w), n(cy)))
    return ('<path d="%s" fill="#e4f3f9" stroke="#3b2a1e" stroke-width="1.4" '
            'stroke-linejoin="round" opacity="%s"/>'
            '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="none" '
            'stroke="#fffaf0" stroke-width="2" opacity="%s"/>'
            % (d, n(opacity), n(cx), n(cy + 1), n(w * 0.9), n(w * 0.3),
               n(opacity * 0.9)))


def ring(cx, cy, r, opacity, width=1.6):
    if opacity <= 0.02:
        return ""
    return ('<circle cx="%s" cy="%s" r="%s" fill="none" stroke="#fffaf0" '
            'stroke-width="%s" opacity="%s"/>'
            % (n(cx), n(cy), n(r), n(width), n(opacity)))


def bulge(cx, cy, h, w):
    """The water swelling up over the rising fish."""
    if h <= 0.3:
        return ""
    return ('<path d="M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s Z" '
            'fill="url(#bulgeG)" stroke="#3b2a1e" stroke-width="1.6"/>'
            '<path d="M%s,%s C%s,%s %s,%s %s,%s" fill="none" stroke="#fffaf0" '
            'stroke-width="2" stroke-linecap="round" opacity="0.85"/>'
            '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="none" '
            'stroke="#fffaf0" stroke-width="1.4" opacity="0.7"/>'
            % (n(cx - w), n(cy), n(cx - w * 0.55), n(cy - h * 1.35),
               n(cx + w * 0.55), n(cy - h * 1.35), n(cx + w), n(cy),
               n(cx + w * 0.5), n(cy + 3), n(cx - w * 0.5), n(cy + 3),
               n(cx - w), n(cy),
               n(cx - w * 0.6), n(cy - h * 0.55), n(cx - w * 0.35),
               n(cy - h * 1.0), n(cx), n(cy - h * 1.05), n(cx - w * 0.1),
               n(cy - h * 1.0),
               n(cx), n(cy + 1), n(w * 1.25), n(w * 0.38)))


def thread(tip, swing):
    """The white thread from the rod, with a knot of yarn at its end."""
    tx, ty = tip
    rx, ry = ROD
    mx = (rx + tx) / 2.0
    my = max(ry, ty) + 10 + abs(rx - tx) * 0.12
    d = "M%s,%s Q%s,%s %s,%s" % (n(rx), n(ry), n(mx), n(my), n(tx), n(ty))
    # the knot: a little tangle of loops hanging under the end of the thread
    kx, ky = tx + swing * 0.4, ty + 6
    knot = ("M%s,%s c-5,1 -7,6 -3,8 c4,2 8,-2 5,-6 c-3,-3 -8,1 -6,5 "
            "c2,4 8,3 8,-1" % (n(tx), n(ty)))
    tails = "M%s,%s q-1,4 -4,6 M%s,%s q2,3 1,7" % (
        n(kx - 2), n(ky + 1), n(kx + 2), n(ky + 1))
    out = ('<path d="%s" fill="none" stroke="#3b2a1e" stroke-width="3.2" '
           'stroke-linecap="round"/><path d="%s" fill="none" stroke="#fffdf6" '
           'stroke-width="1.6" stroke-linecap="round"/>' % (d, d))
    for p in (knot, tails):
        out += ('<path d="%s" fill="none" stroke="#3b2a1e" stroke-width="3.6" '
                'stroke-linecap="round" stroke-linejoin="round"/>'
                '<path d="%s" fill="none" stroke="#fffdf6" stroke-width="2" '
                'stroke-linecap="round" stroke-linejoin="round"/>' % (p, p))
    return out


# ------------------------------------------------------------ the motion

T_UP, T_APEX, T_DOWN = 8.6, 13.0, 19.6   # leaving the water, top, back in


def fish_state(f):
    """Where the cat's face is, its tilt and size, or None under water.

    The fish comes up out of the rings and arcs towards the onlooker,
    so it drops back into the nearer water lower in the picture."""
    if f < T_UP or f > T_DOWN + 1.5:
        return None
    if f <= T_APEX:
        t = (f - T_UP) / (T_APEX - T_UP)
        e = 1 - (1 - t) ** 2
        x = lerp(SPOT[0] + 1, SPOT[0] + 4, e)
        y = lerp(SPOT[1] + 8, APEX_Y, e)
        tilt = lerp(-8, -2, e)
        scale = lerp(0.95, 1.05, e)
    else:
        t = clamp((f - T_APEX) / (T_DOWN - T_APEX), 0, 1.3)
        e = t * t
        x = lerp(SPOT[0] + 4, DIVE[0], t)
        y = lerp(APEX_Y, DIVE[1] + 10, e)
        tilt = lerp(-2, 24, t)
        scale = lerp(1.05, 1.22, t)
    return x, y, tilt, scale


def mouth_of(fs):
    x, y, tilt, scale = fs
    a = math.radians(tilt)
    mx, my = 0.0, 10.0 * scale
    return x + mx * math.cos(a) - my * math.sin(a), \
        y + mx * math.sin(a) + my * math.cos(a)


def surface_at(f):
    """The water line that hides the part of the fish still under water."""
    k = ramp(f, 11.0, 14.0)
    return lerp(SPOT[1] + 4, DIVE[1] + 4, k)


def pose(f):
    p = {}
    # the thread swings in from the right, hangs, jerks, and is pulled away
    swing_in = ramp(f, 0.5, 4.5)
    wob = math.sin(f * 1.3) * 5 * (1 - ramp(f, 6, 11)) * swing_in
    tip_x = lerp(ROD[0] + 4, REST_TIP[0], swing_in) + wob
    tip_y = lerp(ROD[1] + 22, REST_TIP[1], swing_in) + abs(wob) * 0.3
    # the bite: the knot is caught in the jaws, tugged, then torn free
    snap = ramp(f, 12.2, 13.0) * (1 - ramp(f, 14.6, 15.6))
    fs = fish_state(f)
    if fs is not None and snap > 0:
        mx, my = mouth_of(fs)
        tip_x = lerp(tip_x, mx, snap)
        tip_y = lerp(tip_y, my - 5, snap)
    tip_y += 4 * math.sin(f * 2.1) * ramp(f, 15, 16) * (1 - ramp(f, 19, 23))
    away = ramp(f, 23, 28.5)
    tip_x = lerp(tip_x, ROD[0] + 10, away)
    tip_y = lerp(tip_y, ROD[1] + 4, away)
    p["tip"] = (tip_x, tip_y)
    p["swing"] = wob + 6 * snap
    # the water swells before the fish breaks through
    p["bulge"] = 13 * ramp(f, 3, 8.2) * (1 - ramp(f, 8.4, 9.2)) * \
        (1 + 0.1 * math.sin(f * 3))
    p["bulge_w"] = 14 + 9 * ramp(f, 3, 8.2)
    p["shadow"] = 0.25 + 0.25 * ramp(f, 2, 8) * (1 - ramp(f, 20, 29))
    p["fish"] = fish_state(f)
    # mouth: wide open on the way up, snapping shut at the knot
    p["gape"] = ramp(f, 9, 10.5) * (1 - ramp(f, 12.2, 12.9)) + \
        0.7 * ramp(f, 15.2, 16.2) * (1 - ramp(f, 18.5, 19.5))
    p["blink"] = ramp(f, 12.6, 13.1) * (1 - ramp(f, 14.2, 15.2))
    p["tail"] = 22 * math.sin(f * 2.2)
    p["fin"] = 18 * math.sin(f * 2.2 + 1)
    # the lily pad rocks on the waves after the splash
    p["pad"] = 9 * math.sin((f - 19) * 1.4) * ramp(f, 19, 21) * \
        (1 - ramp(f, 24, 28.5))
    return p


# ------------------------------------------------------------ the frames

DEFS = (
    '<defs>'
    '<linearGradient id="poolG" x1="0" y1="0" x2="0.3" y2="1">'
    '<stop offset="0" stop-color="#cbe6ef"/><stop offset="0.35" '
    'stop-color="#86bcd6"/><stop offset="1" stop-color="#3f7598"/>'
    '</linearGradient>'
    '<linearGradient id="bulgeG" x1="0" y1="0" x2="0.2" y2="1">'
    '<stop offset="0" stop-color="#cfe9f3"/><stop offset="1" '
    'stop-color="#6fa4c4"/></linearGradient>'
    '<radialGradient id="furG" cx="0.35" cy="0.3" r="0.8">'
    '<stop offset="0" stop-color="#f9c978"/><stop offset="0.6" '
    'stop-color="#e39a48"/><stop offset="1" stop-color="#b8692e"/>'
    '</radialGradient>'
    '<linearGradient id="scaleG" x1="0" y1="0" x2="1" y2="0.6">'
    '<stop offset="0" stop-color="#bfe6da"/><stop offset="0.5" '
    'stop-color="#6fb0a6"/><stop offset="1" stop-color="#3d7f7a"/>'
    '</linearGradient>'
    '<linearGradient id="finG" x1="0" y1="0" x2="1" y2="1">'
    '<stop offset="0" stop-color="#f6d673"/><stop offset="1" '
    'stop-color="#d99a2e"/></linearGradient>'
    # the room's grain and vignette
    '<filter id="grain" x="0" y="0" width="792" height="392" '
    'filterUnits="userSpaceOnUse"><feTurbulence type="fractalNoise" '
    'baseFrequency="0.9" numOctaves="2" seed="7"/><feColorMatrix '
    'type="matrix" values="0 0 0 0 0.23  0 0 0 0 0.16  0 0 0 0 0.12  '
    '0 0 0 -1.6 1.25"/></filter>'
    '<radialGradient id="vig" cx="0.5" cy="0.48" r="0.72">'
    '<stop offset="0.62" stop-color="#2a1f35" stop-opacity="0"/>'
    '<stop offset="1" stop-color="#2a1f35" stop-opacity="0.42"/>'
    '</radialGradient>'
    '<clipPath id="above"><rect x="-40" y="-40" width="%d" height="%s"/>'
    '</clipPath>'
    '</defs>'
)


def frame(f):
    p = pose(f)
    room = [WATER]
    if abs(p["pad"]) > 0.01:
        room.append('<g transform="rotate(%s %d %d)">%s</g>'
                    % (n(p["pad"]), PAD_CENTRE[0], PAD_CENTRE[1], PAD))
    else:
        room.append(PAD)
    room.append(RINGS)
    room.append(SHADOW % n(p["shadow"]))
    clip = []
    sx, sy = SPOT
    dx, dy = DIVE
    # rings running out from where the fish came up and where it fell back
    for start, (cx, cy), strength in ((8.5, SPOT, 1.0), (19.6, DIVE, 1.2),
                                      (21.6, DIVE, 0.8)):
        age = f - start
        life = min(9.0, 28.6 - start)      # every ring is gone by the end
        if age > 0:
            for k in range(2):
                r = 10 + age * 6.5 - k * 11
                if r > 4:
                    op = strength * 0.9 * clamp(1 - age / life)
                    clip.append(ring(cx, cy, r, op, 2.2 - k * 0.6))
    # the swelling water before the break
    clip.append(bulge(sx, sy + 2, p["bulge"], p["bulge_w"]))
    fs = p["fish"]
    surface = surface_at(f)
    if fs is not None:
        x, y, tilt, scale = fs
        body = cat_fish(p["gape"], p["blink"], p["tail"], p["fin"])
        clip.append(
            '<g clip-path="url(#above)"><g transform="translate(%s %s) '
            'rotate(%s) scale(%s)">%s</g></g>'
            % (n(x), n(y), n(tilt), n(scale), body))
    # the sheet of water round the fish where it breaks the surface
    up_age = f - T_UP
    clip.append(crown(sx, sy + 4, 14 * clamp(1 - abs(up_age - 1.2) / 3.2),
                      15, clamp(1 - (up_age - 2) / 3.0) if up_age > -0.4
                      else 0))
    down_age = f - T_DOWN + 2.8      # the tail goes in first
    clip.append(crown(dx - 10, dy + 4, 20 * clamp(1 - abs(down_age - 2.8) / 4.0),
                      32, clamp(1 - (down_age - 2) / 3.0) if down_age > -0.4
                      else 0))
    clip.append(splash(sx, sy + 2, f - T_UP, 1.0, 3))
    clip.append(splash(dx, dy + 2, f - T_DOWN + 0.8, 1.35, 8))
    clip.append(thread(p["tip"], p["swing"]))
    art = "".join(clip)
    return (
        '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
        'viewBox="0 0 %d %d">' % (W, H, W, H) +
        DEFS % (W + 80, n(surface + 40)) +
        '<g transform="translate(%d %d)">%s' % (-OX, -OY, "".join(room)) +
        '<g transform="translate(%d %d)">%s</g>' % (OX, OY, art) +
        '<rect width="792" height="392" filter="url(#grain)" opacity="0.09"/>'
        '<rect width="792" height="392" fill="url(#vig)"/></g>'
        '</svg>\n')


def main(argv):
    return write_frames('catfish', FRAMES, frame, argv)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
