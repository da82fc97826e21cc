#!/usr/bin/env python3
"""The daylight-saving text of the update server: what the generator makes fits the program's record and reads
as the program shows it, its entries agree with the tz database as zdump reads it (a route that shares nothing
with the generator's), and the committed text is in the same shape and, on a computer with the same tz database,
exactly what the generator makes."""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unicodedata
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
GENERATOR = ROOT / "server" / "dst" / "make_dst_text.py"
PLACES = ROOT / "server" / "dst" / "places.txt"
COMMITTED = ROOT / "server" / "x__c51" / "dst.txt"
RECORD_TEXT_BYTES = 32765
HORIZON = datetime.timedelta(days=400)
UTC = datetime.timezone.utc
# Places whose rules are unusual: half-hour and two-hour savings, winter as the zone's summer, the southern
# hemisphere, offsets of quarter hours, changes at midnight.
NOTABLE = ["Lord Howe Island, Australia", "Troll Station, Antarctica", "Dublin, Ireland", "Casablanca, Morocco",
           "Chatham Islands, New Zealand", "Kathmandu, Nepal", "St. John's, Newfoundland, Canada",
           "Santiago, Chile", "Havana, Cuba", "Tehran, Iran", "London, UK", "Hobart, Tasmania, Australia"]

ENTRY = re.compile(r"(?P<name>.+)  =  GMT[+-]\d{1,2}(:\d\d)?\r\n"
                   r"(No changes\.|Moves to GMT[+-]\d{1,2}(:\d\d)? on .+\.(\r\nMoves to .+\.)*"
                   r"|DST \(\+\d(:\d\d)?\) begins \w{3} \d{1,2} \w{3} \d{4} \d\d:\d\d\.\r\n"
                   r"Rtn\. to standard time \w{3} \d{1,2} \w{3} \d{4} \d\d:\d\d\.)$")


def generate(as_of):
    with tempfile.TemporaryDirectory() as folder:
        output = Path(folder) / "dst.txt"
        subprocess.run([sys.executable, str(GENERATOR), "--as-of", as_of.isoformat(), str(output)], check=True)
        return output.read_bytes()


def read_text(data):
    """The heading, the entries' blocks and the entries that have the entry's form, by place name."""
    heading, body = data.decode("cp1252").split("your own risk.)\r\n\r\n", 1)
    blocks = body.split("\r\n\r\n")[:-1]  # the last is the closing row of full stops
    found = {}
    for block in blocks:
        match = ENTRY.fullmatch(block)
        if match:
            found[match["name"]] = block
    return heading, blocks, found


def alphabetical_key(name):
    plain = unicodedata.normalize("NFKD", name)
    return "".join(c for c in plain if not unicodedata.combining(c)).casefold()


def places():
    listed = {}
    for line in PLACES.read_text(encoding="utf-8").splitlines():
        if line.strip() and not line.startswith(("#", "~")):
            name, zone = [field.strip() for field in line.split("|")[:2]]
            listed[name] = zone
    return listed


# What zdump says of one zone: its changes, each as (instant, offset before, offset after, local time just before).
def zdump_changes(zone, first_year, last_year):
    out = subprocess.run(["zdump", "-v", "-c", f"{first_year},{last_year}", zone], check=True, capture_output=True,
                         text=True).stdout
    rows = []
    for line in out.splitlines():
        match = re.match(r"\S+\s+(\w{3} \w{3} +\d+ [\d:]{8} \d{4}) UT = (\w{3} \w{3} +\d+ [\d:]{8} \d{4}) \S+ "
                         r"isdst=\d gmtoff=(-?\d+)$", line)
        if match:
            universal = datetime.datetime.strptime(match[1], "%a %b %d %H:%M:%S %Y").replace(tzinfo=UTC)
            local = datetime.datetime.strptime(match[2], "%a %b %d %H:%M:%S %Y")
            rows.append((universal, local, datetime.timedelta(seconds=int(match[3]))))
    # zdump shows each change as the last second before it and the first after it.
    return [(after[0], before[2], after[2], before[1] + datetime.timedelta(seconds=1))
            for before, after in zip(rows, rows[1:]) if after[0] - before[0] == datetime.timedelta(seconds=1)]


def gmt(offset):
    minutes = int(offset.total_seconds()) // 60
    text = f"GMT{'+' if minutes >= 0 else '-'}{abs(minutes) // 60}"
    return text + (f":{abs(minutes) % 60:02d}" if abs(minutes) % 60 else "")


def when(local):
    return f"{local:%a} {local.day} {local:%b %Y %H:%M}"


def expected_entry(name, zone, start):
    changes = zdump_changes(zone, 1800, start.year + 3)
    offset_now = [change[2] for change in changes if change[0] <= start][-1]
    coming = [change for change in changes if start < change[0] < start + HORIZON]
    forward = next((change for change in coming if change[2] > change[1]), None)
    back = next((change for change in coming if change[2] < change[1]), None)
    if forward and back:
        saving = int((forward[2] - forward[1]).total_seconds()) // 60
        saving_text = f"+{saving // 60}" + (f":{saving % 60:02d}" if saving % 60 else "")
        return "\r\n".join([f"{name}  =  {gmt(forward[1])}",
                            f"DST ({saving_text}) begins {when(forward[3])}.",
                            f"Rtn. to standard time {when(back[3])}."])
    moves = [f"Moves to {gmt(change[2])} on {when(change[3])}." for change in coming]
    return "\r\n".join([f"{name}  =  {gmt(offset_now)}"] + (moves or ["No changes."]))


class DstText(unittest.TestCase):
    as_of = datetime.date(2026, 12, 8)

    @classmethod
    def setUpClass(cls):
        cls.data = generate(cls.as_of)
        _, _, cls.entries = read_text(cls.data)

    def check_shape(self, data):
        self.assertLessEqual(len(data), RECORD_TEXT_BYTES, "longer than the program's record holds")
        # Windows-1252 throughout: no byte that the code page leaves undefined.
        text = data.decode("cp1252")
        self.assertNotIn("\ufffd", text)
        self.assertEqual(text.count("\n"), text.count("\r\n"), "a line not ended by CR LF")
        self.assertEqual(text.count("\r"), text.count("\r\n"), "a line not ended by CR LF")
        self.assertTrue(text.endswith("\r\n" + "." * 38 + "\r\n"))
        heading, blocks, found = read_text(data)
        self.assertEqual(len(found), len(blocks), [block for block in blocks if not ENTRY.fullmatch(block)][:3])
        self.assertGreaterEqual(len(found), 300)
        self.assertIn("made again whenever that\r\ndatabase is updated", heading)
        keys = [alphabetical_key(name) for name in found]
        self.assertEqual(keys, sorted(keys), "not alphabetical")

    def test_generated_text_fits_and_reads(self):
        self.check_shape(self.data)
        self.assertEqual(set(self.entries), set(places()), "not every listed place has an entry")

    def test_entries_agree_with_zdump(self):
        start = datetime.datetime(self.as_of.year, self.as_of.month, self.as_of.day, tzinfo=UTC)
        listed = places()
        names = sorted(listed)
        sample = set(NOTABLE) | set(names[::9])
        for name in sorted(sample):
            with self.subTest(place=name):
                self.assertEqual(self.entries[name], expected_entry(name, listed[name], start))

    def test_lasting_changes_of_an_older_day_agree_with_zdump(self):
        # In the second half of 2020 Volgograd went back to GMT+3 for good, and Tehran still had summer time.
        as_of = datetime.date(2020, 6, 1)
        start = datetime.datetime(as_of.year, as_of.month, as_of.day, tzinfo=UTC)
        _, _, found = read_text(generate(as_of))
        self.assertIn("Moves to GMT+3 on", found["Volgograd, Russia"])
        for name in ["Volgograd, Russia", "Tehran, Iran", "Casablanca, Morocco", "Kyiv, Ukraine"]:
            with self.subTest(place=name):
                self.assertEqual(found[name], expected_entry(name, places()[name], start))

    def assert_refused(self, folder, arguments, says, environment=None):
        """The generator fails saying why, and the text already there stays as it was."""
        output = Path(folder) / "dst.txt"
        output.write_bytes(b"the text already there")
        run = subprocess.run([sys.executable, str(GENERATOR), *arguments, str(output)], capture_output=True,
                             text=True, env=environment)
        self.assertNotEqual(run.returncode, 0)
        self.assertIn(says, run.stderr)
        self.assertEqual(output.read_bytes(), b"the text already there")

    def test_text_the_record_cannot_hold_is_refused(self):
        # Twice the places make a text twice as long.
        with tempfile.TemporaryDirectory() as folder:
            doubled = Path(folder) / "places.txt"
            doubled.write_text("".join(f"{name} (again) | {zone}\n{name} | {zone}\n" for name, zone in places().items()),
                               encoding="utf-8")
            self.assert_refused(folder, ["--places", str(doubled)], "32765")

    def test_wrong_tz_database_is_refused(self):
        # Readable, but wrong: London on Greenwich time all year, Tokyo with Berlin's summer time.
        for zone, copied_from in [("Europe/London", "Etc/UTC"), ("Asia/Tokyo", "Europe/Berlin")]:
            with self.subTest(zone=zone), tempfile.TemporaryDirectory() as folder:
                database = Path(folder) / "zoneinfo"
                shutil.copytree("/usr/share/zoneinfo", database, symlinks=True)
                (database / zone).unlink()
                shutil.copyfile(database / copied_from, database / zone)
                self.assert_refused(folder, [], f"wrong about {zone}", dict(os.environ, PYTHONTZPATH=str(database)))

    def test_committed_text(self):
        data = COMMITTED.read_bytes()
        self.check_shape(data)
        heading, _, _ = read_text(data)
        made = re.search(r"Made on \w{3} (\d{1,2} \w{3} \d{4}) from the time-zone\r\ndatabase \(version (\S+)\)",
                         heading)
        self.assertIsNotNone(made, heading)
        version = Path("/usr/share/zoneinfo/tzdata.zi").read_text(encoding="ascii").splitlines()[0].split()[-1]
        if made[2] != version:
            self.skipTest(f"the text was made from tz database {made[2]}, this computer has {version}")
        day = datetime.datetime.strptime(made[1], "%d %b %Y").date()
        self.assertEqual(data, generate(day), "server/x__c51/dst.txt is not what make dst-text makes")


if __name__ == "__main__":
    unittest.main(verbosity=2)
