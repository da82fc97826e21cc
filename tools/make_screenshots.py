#!/usr/bin/env python3
"""Makes the README's screenshots from the real binary under Xvfb, once in each colour scheme.

Usage: tools/make_screenshots.py BUILD_DIR OUT_DIR
Each run gets a fresh program folder with a settings file of five example clocks.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

RECORD = 17
CLOCKS = [("LONDON", 0.0, 0), ("NEW YORK", -5.0, 0), ("TOKYO", 9.0, 0), ("SYDNEY", 10.0, 1), ("DELHI", 5.5, 0)]
CAPTION_RECORDS = [(5, 6, 12), (7, 8, 13), (9, 10, 14), (22, 23, 24), (25, 26, 27)]


def settings_file(colour_scheme, calendar_shown):
    records = {}

    def integer(number, value):
        records[number] = struct.pack("<h", value)

    def single(number, value):
        records[number] = struct.pack("<f", value)

    def text(number, value):
        data = value.encode("cp1252")
        records[number] = struct.pack("<H", len(data)) + data

    text(1, "HUXO 5.1")
    integer(2, 2335)
    for (caption, offset, summer), (caption_rec, offset_rec, summer_rec) in zip(CLOCKS, CAPTION_RECORDS):
        text(caption_rec, caption)
        single(offset_rec, offset)
        integer(summer_rec, summer)
    integer(16, colour_scheme)
    text(20, "HOME")
    integer(29, 7625)
    integer(37, -1 if calendar_shown else 0)
    integer(38, -1)
    return b"".join(records.get(n, b"").ljust(RECORD, b"\0") for n in range(1, 40))


def window_id(title):
    for _ in range(100):
        tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
        for line in tree.splitlines():
            if f'"{title}"' in line:
                return line.split()[0]
        time.sleep(0.1)
    raise SystemExit(f"no window {title!r} appeared")


def shoot(build, out_path, colour_scheme, calendar_shown):
    folder = tempfile.mkdtemp()
    try:
        shutil.copy(os.path.join(build, "huxo"), folder)
        for name in os.listdir(build):
            if name.endswith(".wav"):
                shutil.copy(os.path.join(build, name), folder)
        with open(os.path.join(folder, "huxo.ini"), "wb") as ini:
            ini.write(settings_file(colour_scheme, calendar_shown))
        env = dict(os.environ, TZ="UTC")
        env.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen(["setpriv", "--bounding-set=-sys_time", os.path.join(folder, "huxo")], env=env)
        try:
            window = window_id("HUXO 5.1")
            time.sleep(1.5)
            subprocess.run(["import", "-window", window, out_path], check=True)
        finally:
            program.kill()
            program.wait()
    finally:
        shutil.rmtree(folder)


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    if "HUXO_SHOTS_INNER" not in os.environ:
        os.environ["HUXO_SHOTS_INNER"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", sys.executable] + sys.argv)
    shoot(build, os.path.join(out, "huxo-system-colours.png"), 0, False)
    shoot(build, os.path.join(out, "huxo-black.png"), 1, True)


if __name__ == "__main__":
    main()
