#!/usr/bin/env python3
"""Draws the station utility's icons as SVG files beside this script and lists them in icons.qrc.

Each file is named by its resource number; the ten network-list images are 167_0 to 167_9.
Run it again after changing a drawing; the SVG files are kept in the repository.
"""
import os
out = os.path.dirname(os.path.abspath(__file__))
os.makedirs(out, exist_ok=True)

def svg(size, body, vb=None):
    vb = vb or f'0 0 {size} {size}'
    return f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="{vb}">\n{body}\n</svg>\n'

BLUE = '#2F6FEB'; BLUE_D = '#1D4FB8'; TEAL = '#0EA5A4'; GREEN = '#16A34A'; AMBER = '#F59E0B'
RED = '#DC2626'; GREY = '#94A3B8'; GREY_D = '#64748B'; INK = '#1E293B'; PURPLE = '#7C3AED'
def grad(id, a, b):
    return f'<defs><linearGradient id="{id}" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{a}"/><stop offset="1" stop-color="{b}"/></linearGradient></defs>'

# Page-bar icons: 48x48, a rounded tile with a white glyph.
def tile(c1, c2, glyph):
    return svg(48, grad('g', c1, c2) + f'<rect x="3" y="3" width="42" height="42" rx="11" fill="url(#g)"/>' +
               '<rect x="3.5" y="3.5" width="41" height="41" rx="10.5" fill="none" stroke="#ffffff" stroke-opacity="0.25"/>' + glyph)
def Wf(w=3):
    return f'fill="none" stroke="#fff" stroke-width="{w}" stroke-linecap="round" stroke-linejoin="round"'
W = Wf()
icons = {}
icons[137] = tile('#4C8DF6', BLUE_D,  # profiles: a card with a person and lines
    f'<rect x="12" y="13" width="24" height="22" rx="3" {W}/>'
    '<circle cx="19" cy="21" r="3" fill="#fff"/><path d="M14.5 31c1-3 2.6-4.5 4.5-4.5s3.5 1.5 4.5 4.5" fill="#fff"/>'
    f'<path d="M27 20h5M27 25h5M27 30h3" {Wf(2.4)}/>')
icons[282] = tile('#22C3B9', '#0B8A84',  # site survey: radio waves with a magnifier
    f'<path d="M12 20a13 13 0 0 1 20-5M15.5 24a8 8 0 0 1 12-4" {W}/>'
    f'<circle cx="29" cy="29" r="6" {W}/><path d="M33.5 33.5 37 37" {Wf(3.4)}/>'
    '<circle cx="20" cy="27" r="2.2" fill="#fff"/>')
gear_pts = []
import math
for i in range(8):
    a = i * math.pi / 4
    for da, r in ((-0.22, 13), (0.22, 13), (0.36, 9.5), (0.79 - 0.36, 9.5)):
        gear_pts.append((24 + r * math.cos(a + da), 24 + r * math.sin(a + da)))
gear = 'M' + ' L'.join(f'{x:.2f} {y:.2f}' for x, y in gear_pts) + 'Z'
icons[136] = tile('#7C8BA6', '#48556E',  # advanced: a gear
    f'<path d="{gear}" fill="#fff"/><circle cx="24" cy="24" r="4" fill="#5A6883"/>')
icons[141] = tile('#F6A534', '#D9720B',  # statistics: bars
    '<rect x="13" y="25" width="5" height="10" rx="1.5" fill="#fff"/><rect x="21.5" y="18" width="5" height="17" rx="1.5" fill="#fff"/>'
    '<rect x="30" y="13" width="5" height="22" rx="1.5" fill="#fff"/>')
icons[280] = tile('#A56BF5', '#6D31C9',  # WMM: a speed gauge
    f'<path d="M12.5 31a12 12 0 1 1 23 0" {W}/><path d="M24 29l6-9" {W}/><circle cx="24" cy="29" r="2.6" fill="#fff"/>')
icons[274] = tile('#4C8DF6', BLUE_D,  # WPS: two circling arrows
    f'<path d="M15 22a9.5 9.5 0 0 1 16.5-4.5" {W}/><path d="M33 26a9.5 9.5 0 0 1-16.5 4.5" {W}/>'
    '<path d="M33.5 11.5v7.5h-7.5z" fill="#fff"/><path d="M14.5 36.5v-7.5h7.5z" fill="#fff"/>')
icons[305] = tile('#2CB56A', '#137A42',  # single sign-on: a person with a key
    '<circle cx="19" cy="18" r="5" fill="#fff"/><path d="M10 35c1-6 4.5-9 9-9 2.5 0 4.6.9 6.2 2.7" fill="none" stroke="#fff" stroke-width="3" stroke-linecap="round"/>'
    f'<circle cx="31" cy="30" r="4" {Wf(2.6)}/><path d="M33.8 32.8 38 37M36 35l-1.6 1.6" {Wf(2.6)}/>')
icons[281] = tile('#A56BF5', '#6D31C9',  # 802.11n
    '<text x="24" y="33" font-family="DejaVu Sans, Arial, sans-serif" font-size="24" font-weight="bold" fill="#fff" text-anchor="middle">n</text>'
    f'<path d="M31 12.5a7 7 0 0 1 4.5 4.5M30.5 8a11.5 11.5 0 0 1 9.5 9.5" {Wf(2.2)}/>')
power = f'<path d="M17.5 17a10 10 0 1 0 13 0" {Wf(3.4)}/><path d="M24 12v11" {Wf(3.4)}/>'
icons[272] = tile('#34C46E', '#15803D', power)  # radio on
icons[273] = tile('#B2BCCB', '#7A8598', power)  # radio off
icons[289] = tile('#4C8DF6', BLUE_D,  # about
    '<circle cx="24" cy="15.5" r="2.8" fill="#fff"/><path d="M24 22v12" stroke="#fff" stroke-width="4.2" stroke-linecap="round"/>')
icons[295] = tile('#22C3B9', '#0B8A84',  # help
    f'<path d="M18.5 19a5.5 5.5 0 1 1 8 4.9c-1.6.9-2.5 2-2.5 3.8v1" {Wf(3.4)}/><circle cx="24" cy="34.5" r="2.3" fill="#fff"/>')
# Arrows of the bar: slim chevrons that sit on the dark bar.
chev = lambda d: svg(24, f'<path d="{d}" fill="none" stroke="#E2E8F0" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>')
icons[302] = chev('M14.5 5.5 8 12l6.5 6.5')
icons[303] = chev('M9.5 5.5 16 12l-6.5 6.5')
# More / Less: chevrons on the light button.
chev2 = lambda d: svg(24, f'<path d="{d}" fill="none" stroke="{BLUE}" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round"/>')
icons[300] = chev2('M6 15l6-6 6 6')  # less: fold up
icons[301] = chev2('M6 9l6 6 6-6')   # more: unfold down
# Message box: an information mark in a circle.
icons[298] = svg(48, grad('g', '#4C8DF6', BLUE_D) + '<circle cx="24" cy="24" r="21" fill="url(#g)"/>'
    '<circle cx="24" cy="15" r="3" fill="#fff"/><path d="M24 22v13" stroke="#fff" stroke-width="4.6" stroke-linecap="round"/>')

# Tray states: 32x32, a Wi-Fi fan whose lit arcs tell the signal.
def wifi(lit, color, badge=''):
    arcs = [('M16 26.5', 2.8), ]
    parts = []
    dots = f'<circle cx="16" cy="25" r="3" fill="{color if lit >= 0 else GREY}"/>'
    radii = [8, 14, 20]
    for i, r in enumerate(radii):
        c = color if i < lit else '#CBD5E1'
        x0 = 16 - r * 0.72; y0 = 25 - r * 0.69; x1 = 16 + r * 0.72
        parts.append(f'<path d="M{x0:.2f} {y0:.2f}A{r} {r} 0 0 1 {x1:.2f} {y0:.2f}" fill="none" stroke="{c}" stroke-width="3.6" stroke-linecap="round"/>')
    return svg(32, ''.join(parts) + dots + badge)
icons[131] = wifi(3, GREEN)
icons[159] = wifi(2, AMBER)
icons[160] = wifi(1, '#EA580C')
keybadge = ('<circle cx="24.5" cy="24.5" r="7" fill="' + RED + '" stroke="#fff" stroke-width="1.5"/>'
            '<path d="M24.5 20.5v4.6" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/><circle cx="24.5" cy="28.3" r="1.4" fill="#fff"/>')
icons[162] = wifi(3, GREEN, keybadge)
xbadge = ('<circle cx="24.5" cy="24.5" r="7" fill="' + GREY_D + '" stroke="#fff" stroke-width="1.5"/>'
          '<path d="M22 22l5 5M27 22l-5 5" stroke="#fff" stroke-width="2.2" stroke-linecap="round"/>')
icons[132] = wifi(0, GREY, xbadge)
icons[161] = svg(32,  # no adapter: a USB stick, struck through
    f'<rect x="11" y="3" width="10" height="7" rx="1.5" fill="none" stroke="{GREY_D}" stroke-width="2"/>'
    f'<rect x="8" y="10" width="16" height="19" rx="3.5" fill="{GREY}"/>'
    f'<path d="M12.5 19a5 5 0 0 1 7 0" fill="none" stroke="#fff" stroke-width="2" stroke-linecap="round"/><circle cx="16" cy="22.5" r="1.6" fill="#fff"/>'
    f'<path d="M4 29 28 5" stroke="{RED}" stroke-width="3.2" stroke-linecap="round"/>')

# Site survey list images (bitmap 167): 16x16.
s16 = lambda body: svg(16, body)
letter = lambda ch, bg, fg='#fff': s16(f'<rect x="1" y="1" width="14" height="14" rx="3.5" fill="{bg}"/>'
    f'<text x="8" y="12" font-family="DejaVu Sans, Arial, sans-serif" font-size="11" font-weight="bold" fill="{fg}" text-anchor="middle">{ch}</text>')
lists = {}
lists[0] = s16(f'<rect x="1.5" y="5" width="13" height="7" rx="1.5" fill="{GREY_D}"/><rect x="3" y="12" width="2" height="2.5" fill="{GREY_D}"/>'
               f'<rect x="6" y="12" width="2" height="2.5" fill="{GREY_D}"/><rect x="9" y="12" width="2" height="2.5" fill="{GREY_D}"/>'
               '<circle cx="11.5" cy="8.5" r="1.4" fill="#A7F3D0"/>')  # adapter card: ad hoc
lists[1] = s16(f'<rect x="2" y="9.5" width="12" height="5" rx="1.5" fill="{BLUE}"/><path d="M5 9.5V4M11 9.5V4" stroke="{INK}" stroke-width="1.5" stroke-linecap="round"/>'
               '<circle cx="5" cy="12" r="0.9" fill="#fff"/><circle cx="8" cy="12" r="0.9" fill="#fff"/>')  # access point: infrastructure
lists[2] = letter('a', '#FACC15', INK)
lists[3] = letter('b', '#1E3A8A')
lists[4] = letter('g', GREEN)
lists[5] = s16(f'<circle cx="5.5" cy="8" r="3.6" fill="none" stroke="{AMBER}" stroke-width="2"/>'
               f'<path d="M9 8h6M13 8v3M11 8v2" stroke="{AMBER}" stroke-width="2" stroke-linecap="round"/>')  # key: secured
lists[6] = s16(f'<path d="M4 2.5 13 8 4 13.5z" fill="{BLUE}" stroke="{BLUE}" stroke-width="1.2" stroke-linejoin="round"/>')
lists[7] = s16(f'<path d="M4 2.5 13 8 4 13.5z" fill="{GREY}" stroke="{GREY}" stroke-width="1.2" stroke-linejoin="round"/>')
lists[8] = s16(f'<path d="M3.5 7A4.8 4.8 0 0 1 11.5 4.5M12.5 9a4.8 4.8 0 0 1-8 2.5" fill="none" stroke="{BLUE}" stroke-width="1.8" stroke-linecap="round"/>'
               f'<path d="M12.6 1.8v4h-4z" fill="{BLUE}"/><path d="M3.4 14.2v-4h4z" fill="{BLUE}"/>')  # WPS
lists[9] = letter('n', PURPLE)

for k, v in icons.items():
    open(f'{out}/{k}.svg', 'w').write(v)
for k, v in lists.items():
    open(f'{out}/167_{k}.svg', 'w').write(v)
names = sorted([f'{k}.svg' for k in icons] + [f'167_{k}.svg' for k in lists])
qrc = '<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/icons">\n' + ''.join(f'    <file>{n}</file>\n' for n in names) + '  </qresource>\n</RCC>\n'
open(f'{out}/icons.qrc', 'w').write(qrc)
print(len(names))
