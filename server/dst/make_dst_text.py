#!/usr/bin/env python3
"""Writes the daylight-saving text that the update server offers as x__c51/dst.txt, from this computer's tz
database: for every place of places.txt, alphabetically, its standard offset from GMT and either "No changes." or
the next change to summer time and the next return to standard time after the day it is made, at the local clock
time at which the clocks move.

The text is Windows-1252 with CR LF line ends, as the program stores and shows it, and must fit the one record of
32765 bytes in which the program keeps it; the script refuses to write a longer one, and refuses a tz database that
gets a few fixed facts of the past wrong. The output is replaced whole only once it is complete.

Usage: make_dst_text.py [--as-of YYYY-MM-DD] [--places FILE] OUTPUT
Needs python3 (3.9 or later, for zoneinfo) and the tzdata package.
"""
import argparse
import datetime
import os
import sys
import tempfile
import unicodedata
import zoneinfo
from pathlib import Path

MAX_BYTES = 32765
UTC = datetime.timezone.utc
# A year and a little: long enough to see both changes of a place that has them.
HORIZON = datetime.timedelta(days=400)
# No place changes its clocks twice within this.
STEP = datetime.timedelta(hours=6)
ZONEINFO = Path("/usr/share/zoneinfo")
# What every sound tz database says of 2021, as the entries of a text made on its first day. A database that is
# damaged or wrong, though readable, gets some of them wrong and is refused before anything is written, so the
# text made from the last good one stays.
FACTS_AS_OF = datetime.datetime(2021, 1, 1, tzinfo=UTC)
FIXED_FACTS = {
    "Europe/London": ["London  =  GMT+0", "DST (+1) begins Sun 28 Mar 2021 01:00.",
                      "Rtn. to standard time Sun 31 Oct 2021 02:00."],
    "America/New_York": ["New York  =  GMT-5", "DST (+1) begins Sun 14 Mar 2021 02:00.",
                         "Rtn. to standard time Sun 7 Nov 2021 02:00."],
    "Australia/Sydney": ["Sydney  =  GMT+10", "DST (+1) begins Sun 3 Oct 2021 02:00.",
                         "Rtn. to standard time Sun 4 Apr 2021 03:00."],
    "Asia/Tokyo": ["Tokyo  =  GMT+9", "No changes."],
    "Asia/Kathmandu": ["Kathmandu  =  GMT+5:45", "No changes."],
}


def read_places(path):
    """The (name, zone) pairs of the places file; the program's spellings and its list of labels are for tests."""
    places = []
    for number, line in enumerate(Path(path).read_text(encoding="utf-8").splitlines(), 1):
        line = line.strip()
        if not line or line.startswith(("#", "~")):
            continue
        fields = [field.strip() for field in line.split("|")]
        if len(fields) not in (2, 3) or not fields[0] or not fields[1]:
            sys.exit(f"{path}:{number}: expected NAME | ZONE [| SPELLINGS]")
        places.append((fields[0], fields[1]))
    return places


def sort_key(name):
    """Alphabetical as a reader expects: accents and case do not count."""
    plain = unicodedata.normalize("NFKD", name)
    return ("".join(c for c in plain if not unicodedata.combining(c)).casefold(), name)


def offset_at(zone, instant):
    return instant.astimezone(zone).utcoffset()


def changes_after(zone, start):
    """The changes of offset within the horizon after start: (first instant of the new offset, old, new)."""
    changes = []
    instant = start
    before = offset_at(zone, instant)
    while instant < start + HORIZON:
        later = instant + STEP
        after = offset_at(zone, later)
        if after != before:
            low, high = instant, later  # before at low, after at high: narrow down to the second
            while high - low > datetime.timedelta(seconds=1):
                middle = (low + (high - low) / 2).replace(microsecond=0)
                if offset_at(zone, middle) == before:
                    low = middle
                else:
                    high = middle
            if high < start + HORIZON:
                changes.append((high, before, after))
            before = after
        instant = later
    return changes


def gmt(offset):
    minutes = int(offset.total_seconds()) // 60
    sign = "+" if minutes >= 0 else "-"
    hours, rest = divmod(abs(minutes), 60)
    return f"GMT{sign}{hours}" + (f":{rest:02d}" if rest else "")


def saving(offset):
    minutes = int(offset.total_seconds()) // 60
    hours, rest = divmod(minutes, 60)
    return f"+{hours}" + (f":{rest:02d}" if rest else "")


def clock_time(change, old_offset):
    """The local clock time at which the clocks move: what they read as the change comes."""
    local = (change + old_offset).replace(tzinfo=None)
    return f"{local:%a} {local.day} {local:%b %Y %H:%M}"


def entry(name, zone_id, start):
    zone = zoneinfo.ZoneInfo(zone_id)
    changes = changes_after(zone, start)
    forward = next((c for c in changes if c[2] > c[1]), None)
    back = next((c for c in changes if c[2] < c[1]), None)
    if forward is None or back is None:
        # No summer time: the offset in force now, and any lasting change of it.
        moves = [f"Moves to {gmt(new)} on {clock_time(change, old)}." for change, old, new in changes]
        return [f"{name}  =  {gmt(offset_at(zone, start))}"] + (moves or ["No changes."])
    return [
        f"{name}  =  {gmt(forward[1])}",
        f"DST ({saving(forward[2] - forward[1])}) begins {clock_time(forward[0], forward[1])}.",
        f"Rtn. to standard time {clock_time(back[0], back[1])}.",
    ]


def tz_version():
    try:
        first = (ZONEINFO / "tzdata.zi").read_text(encoding="ascii").splitlines()[0]
    except (OSError, IndexError):
        return "of this computer"
    return first.removeprefix("# version ").strip()


def heading(start, version):
    return [
        "DAYLIGHT SAVING TIME AROUND THE WORLD",
        "",
        f"Made on {start:%a} {start.day} {start:%b %Y} from the time-zone",
        f"database (version {version}) of the HUXO",
        "update server, and made again whenever that",
        "database is updated.",
        "",
        "Each place shows its standard time. Where the",
        "clocks change, the two dates are the next ones",
        "after that day, at the local time when the",
        "clocks move.",
        "",
        "(No guarantee is given that the following",
        "information is correct or up-to-date. If you rely",
        "on this information you do so at your own risk.)",
        "",
    ]


def check_database():
    for zone_id, expected in FIXED_FACTS.items():
        name = expected[0].split("  =  ")[0]
        try:
            found = entry(name, zone_id, FACTS_AS_OF)
        except (zoneinfo.ZoneInfoNotFoundError, ValueError) as error:
            found = [f"no zone ({error})"]
        if found != expected:
            sys.exit(f"the tz database is wrong about {zone_id} in 2021: it says \"{' '.join(found)}\" instead "
                     f"of \"{' '.join(expected)}\"; no text was made")


def make_text(places, start):
    lines = heading(start, tz_version())
    for name, zone_id in sorted(places, key=lambda place: sort_key(place[0])):
        lines += entry(name, zone_id, start) + [""]
    lines.append("." * 38)
    return "\r\n".join(lines) + "\r\n"


def write_whole(path, data):
    path = Path(path)
    handle, temporary = tempfile.mkstemp(dir=path.parent, prefix=f".{path.name}.")
    try:
        with os.fdopen(handle, "wb") as out:
            out.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--as-of", type=datetime.date.fromisoformat, help="the day the changes are counted from")
    parser.add_argument("--places", default=Path(__file__).with_name("places.txt"))
    parser.add_argument("output")
    arguments = parser.parse_args()
    day = arguments.as_of or datetime.datetime.now(UTC).date()
    start = datetime.datetime(day.year, day.month, day.day, tzinfo=UTC)

    check_database()
    text = make_text(read_places(arguments.places), start)
    try:
        data = text.encode("cp1252")
    except UnicodeEncodeError as error:
        character = text[error.start:error.end]
        line = next(line for line in text.splitlines() if character in line)
        sys.exit(f"{character!r} in {line!r} has no Windows-1252 code: spell the place without it")
    if len(data) > MAX_BYTES:
        sys.exit(f"the text has {len(data)} bytes; the program keeps at most {MAX_BYTES}: list fewer places")
    write_whole(arguments.output, data)


if __name__ == "__main__":
    main()
