#!/usr/bin/env python3
"""Draws the application icon (desktop/icons/org.huxo.Huxo.svg): a clock face over a globe's meridians, and
renders the PNG sizes of the icon theme from it (desktop/icons/hicolor/NxN/apps/) and the window icon the
program shows when no icon theme has it (assets/huxo.png) with rsvg-convert, which Debian's librsvg2-bin
provides. Run by hand after changing the drawing; the outputs are committed."""
import math
import subprocess
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
ICONS = ROOT / "desktop" / "icons"
WINDOW_ICON = ROOT / "assets" / "huxo.png"
NAME = "org.huxo.Huxo"
SIZES = (16, 24, 32, 48, 64, 128, 256)

NIGHT = "#1d3557"
SEA = "#2f6690"
LAND_LINE = "#a8dadc"
DIAL = "#f4f0e4"
RIM = "#464e5a"
HAND = "#1b1f24"
SECOND = "#e63946"


def hand(angle_degrees, length, width, colour):
    angle = math.radians(angle_degrees)
    x = 128 + math.sin(angle) * length
    y = 128 - math.cos(angle) * length
    return (f'<line x1="128" y1="128" x2="{x:.1f}" y2="{y:.1f}" stroke="{colour}" '
            f'stroke-width="{width}" stroke-linecap="round"/>')


def marks():
    lines = []
    for mark in range(12):
        angle = math.radians(mark * 30)
        inner = 58 if mark % 3 == 0 else 64
        outer = 72
        width = 7 if mark % 3 == 0 else 4
        lines.append(f'<line x1="{128 + math.sin(angle) * inner:.1f}" y1="{128 - math.cos(angle) * inner:.1f}" '
                     f'x2="{128 + math.sin(angle) * outer:.1f}" y2="{128 - math.cos(angle) * outer:.1f}" '
                     f'stroke="{RIM}" stroke-width="{width}"/>')
    return "\n    ".join(lines)


def svg():
    meridians = "\n    ".join(
        f'<ellipse cx="128" cy="128" rx="{rx}" ry="116" fill="none" stroke="{LAND_LINE}" stroke-width="4"/>'
        for rx in (40, 80))
    parallels = "\n    ".join(
        f'<line x1="{128 - half}" y1="{y}" x2="{128 + half}" y2="{y}" stroke="{LAND_LINE}" stroke-width="4"/>'
        for y, half in ((70, 86), (186, 86)))
    return f'''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <rect x="8" y="8" width="240" height="240" rx="48" fill="{NIGHT}"/>
  <circle cx="128" cy="128" r="116" fill="{SEA}"/>
  <g>
    {meridians}
    {parallels}
  </g>
  <circle cx="128" cy="128" r="82" fill="{DIAL}" stroke="{RIM}" stroke-width="8"/>
  <g>
    {marks()}
  </g>
  {hand(300, 40, 12, HAND)}
  {hand(60, 60, 8, HAND)}
  {hand(160, 66, 4, SECOND)}
  <circle cx="128" cy="128" r="8" fill="{HAND}"/>
</svg>
'''


def render(scalable, size, target):
    target.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", str(target), str(scalable)], check=True)


def main():
    ICONS.mkdir(parents=True, exist_ok=True)
    scalable = ICONS / f"{NAME}.svg"
    scalable.write_text(svg())
    for size in SIZES:
        render(scalable, size, ICONS / "hicolor" / f"{size}x{size}" / "apps" / f"{NAME}.png")
    render(scalable, 128, WINDOW_ICON)


if __name__ == "__main__":
    main()
