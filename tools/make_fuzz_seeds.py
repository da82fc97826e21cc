#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets under tests/fuzz/corpus: a few files and texts of the shapes the
program really meets, from which the fuzzers mutate."""
import struct
from pathlib import Path

CORPUS = Path(__file__).resolve().parent.parent / "tests" / "fuzz" / "corpus"
RECORD = 17


def record(value: bytes) -> bytes:
    return value.ljust(RECORD, b"\0")


def integer(v):
    return record(struct.pack("<h", v))


def single(v):
    return record(struct.pack("<f", v))


def text(t: str):
    data = t.encode("cp1252")
    return record(struct.pack("<H", len(data)) + data)


def variant(t):
    if t is None:
        return record(b"\0\0")
    data = t.encode("cp1252")
    return record(struct.pack("<HH", 8, len(data)) + data)


def settings_file(records=39):
    values = [
        text("HUXO 5.1"), integer(2335), variant(None), single(-1.0), text("LONDON"), single(0.0),
        text("NEW YORK"), single(-5.0), text("TOKYO"), single(9.0), record(b""), integer(1), integer(1),
        integer(0), integer(-1), integer(1), single(1200.0), single(300.0), integer(0), text("HOME"),
        integer(1), text("Z\u00fcRICH"), single(1.0), integer(0), text("NEW DELHI"), single(5.5), integer(0),
        integer(0), integer(7625), variant("05:45"), integer(-1), integer(0), integer(2),
        text("proxy.example.o"), text("rg:8080"), integer(2), integer(0), integer(-1), integer(0),
    ]
    return b"".join(values[:records])


def write(target, name, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(data)


if __name__ == "__main__":
    write("fuzz_SettingsFile", "fresh", b"")
    write("fuzz_SettingsFile", "full", settings_file())
    write("fuzz_SettingsFile", "release-5.0", settings_file(38))
    write("fuzz_SettingsFile", "longer", settings_file() + b"kept after the last record")
    for i, t in enumerate(["00:03:19", "9:05", "5:44 PM", "12:10am", "Dec  8 2026", "December 8, 2026",
                           "2026-12-08 23:59:59", "08/12/2026", "Dienstag, 8. Dezember 2026 15:04",
                           "25:00", "Feb 30 2026"]):
        write("fuzz_DateTimeRecognition", "text%02d" % i, t.encode("utf-8"))
    for i, (p, t) in enumerate([("[F-W]*[B-U][M-T][C-T]*", "Tue Dec  8 00:03:19 UTC 2026"),
                                ("BS*", "BST"), ("*fetch button*", "press the fetch button now"),
                                ("*404*", "404 Not Found"), ("##:##", "12:34"), ("[!a-z]?*", "Xy")]):
        write("fuzz_Pattern", "pair%02d" % i, p.encode("utf-8") + b"\0" + t.encode("utf-8"))
    entry = "Z\u00fcrich, Switzerland  =  GMT+1 \r\nDST (+1) begins last Sunday in Mar. 02:00. \r\n\r\n"
    dst = (entry * 20).encode("cp1252")
    write("fuzz_DstText", "record", struct.pack("<H", len(dst)) + dst)
    write("fuzz_DstText", "short", struct.pack("<H", 5) + b"Hanoi")
    write("fuzz_DstText", "claims-more", struct.pack("<H", 65535) + dst)
    write("fuzz_DstText", "plain-text", dst)
    for i, (head, line) in enumerate([(b"\x00\x1a", "Tue Dec  8 12:59:59 UTC 2026"),
                                      (b"\x81\x18", "Tue Dec  8 22:30:10 UTC 2026"),
                                      (b"\x01\x24", "Wed Dec  9 23:59:00 GMT 2026"),
                                      (b"\x00\x1a", "Tue Jul  7 00:30:00 BST 2026"),
                                      (b"\x02\x0f", "Tue Dec  8 25:61:00 UTC 2026")]):
        write("fuzz_TimeAnswer", "answer%02d" % i, head + line.encode("latin-1"))
