#!/usr/bin/env python3
"""Makes the README's screenshots from the real binary under Xvfb: the main window once in each colour scheme,
then the clock settings window with its map, the system time window and a ringing alarm reminder, each opened
as a user opens it.

Usage: tools/make_screenshots.py BUILD_DIR OUT_DIR
Each run gets a fresh program folder with a settings file of five example clocks.
"""
import contextlib
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


def window_id(title, seconds=10):
    for _ in range(int(seconds * 10)):
        tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
        for line in tree.splitlines():
            if f'"{title}"' in line:
                return line.split()[0]
        time.sleep(0.1)
    raise SystemExit(f"no window {title!r} appeared")


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def click_in(window, x, y, repeat=1):
    """Clicks at (x, y) inside the window; repeat=2 is a double-click."""
    xdotool("mousemove", "--window", window, str(x), str(y))
    time.sleep(0.2)
    xdotool("click", "--repeat", str(repeat), "--delay", "120", "1")


def type_into(window, x, y, text):
    """Replaces the text of the field at (x, y) inside the window."""
    click_in(window, x, y)
    xdotool("key", "--window", window, "ctrl+a")
    xdotool("type", "--window", window, "--delay", "40", text)


def snap(window, out_path, left=0, top=0):
    """Moves the window clear of the main window (no window manager places it) and shoots it alone."""
    xdotool("windowmove", window, str(left), str(top))
    time.sleep(1.0)
    subprocess.run(["import", "-window", window, out_path], check=True)


@contextlib.contextmanager
def running_huxo(build, colour_scheme=0, calendar_shown=False):
    """Starts the binary in a fresh program folder and yields its main window."""
    folder = tempfile.mkdtemp()
    try:
        shutil.copy(os.path.join(build, "huxo"), folder)
        for name in os.listdir(build):
            if name.endswith((".wav", ".png")):
                shutil.copy(os.path.join(build, name), folder)
        with open(os.path.join(folder, "huxo.ini"), "wb") as ini:
            ini.write(settings_file(colour_scheme, calendar_shown))
        env = dict(os.environ, TZ="UTC")
        env.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen(["setpriv", "--bounding-set=-sys_time", os.path.join(folder, "huxo")], env=env)
        try:
            window = window_id("HUXO 5.1")
            time.sleep(1.5)
            yield window
        finally:
            program.kill()
            program.wait()
    finally:
        shutil.rmtree(folder)


FACE_ROW_Y = 30
# Inside the alarm settings window: the minutes box, the message box and Set.
ALARM_MINUTES = (253, 48)
ALARM_MESSAGE = (195, 207)
ALARM_SET = (253, 245)


def face_x(column):
    return 6 + 72 * column + 36


def shoot_main_window(build, out_path, colour_scheme, calendar_shown):
    with running_huxo(build, colour_scheme, calendar_shown) as main_window:
        subprocess.run(["import", "-window", main_window, out_path], check=True)


def shoot_clock_settings(build, out_path):
    with running_huxo(build) as main_window:
        click_in(main_window, face_x(4), FACE_ROW_Y, repeat=2)  # TOKYO
        snap(window_id("Settings for Clock 5"), out_path, top=200)


def shoot_system_time(build, out_path):
    with running_huxo(build) as main_window:
        click_in(main_window, face_x(0), FACE_ROW_Y, repeat=2)
        snap(window_id("Set Local System Time"), out_path, top=200)


def shoot_reminder(build, out_path):
    with running_huxo(build) as main_window:
        click_in(main_window, face_x(6), 75, repeat=2)  # the rightmost caption
        settings = window_id("HUXO - Alarm Settings")
        xdotool("windowmove", settings, "0", "200")
        time.sleep(0.5)
        type_into(settings, *ALARM_MINUTES, "0")
        type_into(settings, *ALARM_MESSAGE, "Call Tokyo office")
        click_in(settings, *ALARM_SET)
        snap(window_id("HUXO Reminder", seconds=75), out_path, top=200)



def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    build, out = sys.argv[1], sys.argv[2]
    if "HUXO_SHOTS_INNER" not in os.environ:
        os.environ["HUXO_SHOTS_INNER"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", sys.executable] + sys.argv)
    shoot_main_window(build, os.path.join(out, "huxo-system-colours.png"), 0, False)
    shoot_main_window(build, os.path.join(out, "huxo-black.png"), 1, True)
    shoot_clock_settings(build, os.path.join(out, "huxo-settings-map.png"))
    shoot_system_time(build, os.path.join(out, "huxo-system-time.png"))
    shoot_reminder(build, os.path.join(out, "huxo-reminder.png"))


if __name__ == "__main__":
    main()
