#!/usr/bin/env python3
"""Writes data discs that push every limit the loaders meet, for load-time
trials and for the start-up check.

Usage: python3 scripts/generate_hostile_disc.py OUT_FOLDER

OUT_FOLDER itself is a disc that must load:
- big_pict.txt: 150,000 pictures of one species;
- cupaitem.txt: 500 species with 200 recording items each (the most one
  section holds), every item on the same cut part;
- lines of several megabytes: a species text, a locality text and a site
  description;
- one line made of 50,000 continuation lines ("#*&"), in a cut part's text;
- pictures whose headers claim billions of pixels: the small and the first
  big picture of species 1 (JPEG) and its distribution map (a Windows bitmap).
  They are read only when shown.

OUT_FOLDER/huge-numbers/NAME/ are small discs, each with one number of twenty
digits where a loader reads a number; some must stop the start with the
loader's message, the others load with the value made harmless.
"""

import struct
import sys
import time
from pathlib import Path

from generate_large_disc import TEXT_AUTHORS, write_disc

FAMILIES = 5
SPECIES_PER_FAMILY = 100
ITEMS_PER_SPECIES = 200
PICTURES_OF_ONE_SPECIES = 150000
CUT_PART = "1A001"
LONG_LINE_WORDS = 600000           # about 4 MB
CONTINUATION_LINES = 50000
GIGA_SIDE = 60000                  # 3.6 billion pixels
HUGE = "99" * 10

LOREM = ("the bird sings from a high perch at dawn and again at dusk while its "
         "mate answers from the reeds").split()


def long_text(words):
    return " ".join(LOREM[i % len(LOREM)] for i in range(words))


def deep_text(parts):
    """One logical line written as many continuation lines."""
    return "\n".join("part %d of the note " % i for i in range(parts))


def build_model(families, species_per_family, items_per_species, pictures, hostile_texts):
    people = [("%s, A." % name, "A. %s" % name, "Author of species texts")
              for name in TEXT_AUTHORS]
    families_list = []
    uid = 0
    for f in range(1, families + 1):
        species = []
        for k in range(1, species_per_family + 1):
            uid += 1
            species.append({"sci": "Genus%d species%d" % (f, k), "sid": f * 1000 + k,
                            "uid": uid, "areas": ["SR"], "english": "Bird %d-%d" % (f, k)})
        families_list.append({"sci": "Family%didae" % f, "dir": "FAM%d" % f,
                              "english": "Family %d" % f, "species": species})
    locality = {"key": "LOC1", "name": "Upper valley", "country": "Solvara",
                "lat": (10, 30), "lon": (100, 15)}
    cut_part = {"key": CUT_PART, "compression": 0, "seconds": 600, "locality": "LOC1"}
    if hostile_texts:
        families_list[0]["species"][0]["taxa2"] = long_text(LONG_LINE_WORDS)
        families_list[0]["species"][0]["maps"] = [("Solvara", False, True)]
        locality["text"] = long_text(LONG_LINE_WORDS)
        locality["description"] = "x" * (4 << 20)
        cut_part["text1"] = deep_text(CONTINUATION_LINES)
    item = {"type": "X", "text1": "Song", "flags": "P", "cut": CUT_PART}
    return {
        "maps": [("Solvara", 1, (60.0, 150.0, 45.0, -11.0))],
        "people": people,
        "families": families_list,
        "localities": [locality],
        "big_pictures": [{"uid": 1, "value": 1 + i % 9, "flags": "X1" if i % 2 else "",
                          "caption": "Adult"}
                         for i in range(pictures)],
        "cds": [] if hostile_texts else [{"tape": 3, "title": "Songs of the valley",
                                          "name": "CD 3", "ident": "", "web": ""}],
        "cut_parts": [cut_part],
        "items": {sp["uid"]: [item] * items_per_species
                  for fam in families_list for sp in fam["species"]},
    }


def jpeg_claiming(width, height):
    """A baseline grey JPEG whose frame header claims the size; its scan holds
    a few blocks only."""
    def segment(marker, payload):
        return b"\xff" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload
    quantisation = segment(0xDB, b"\x00" + bytes([1] * 64))
    frame = segment(0xC0, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00")
    # One code each: DC difference 0 and end of block, so every block is "00".
    dc_table = segment(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
    ac_table = segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\x00")
    scan = segment(0xDA, b"\x01\x01\x00\x00\x3f\x00")
    return (b"\xff\xd8" + quantisation + frame + dc_table + ac_table + scan +
            bytes(64) + b"\xff\xd9")


def bitmap_claiming(width, height):
    """A 24-bit Windows bitmap header with a few bytes of pixels."""
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
    pixels = bytes(64)
    size = 14 + len(info) + len(pixels)
    return b"BM" + struct.pack("<IHHI", size, 0, 0, 14 + len(info)) + info + pixels


def write_giga_pictures(folder):
    """Species 1 of family FAM1: its small picture, first big picture and
    first distribution map."""
    for relative, content in (("smalpict/FAM1/1.jpg", jpeg_claiming(GIGA_SIDE, GIGA_SIDE)),
                              ("big_pict/FAM1/1.jp1", jpeg_claiming(GIGA_SIDE, GIGA_SIDE)),
                              ("distmaps/FAM1/1-1.bmp", bitmap_claiming(GIGA_SIDE, GIGA_SIDE))):
        path = folder / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content)


# Where a number is read: (disc name, files, text as written, text with the
# huge number); every occurrence in the files is replaced.
HUGE_NUMBERS = [
    ("species-id", "names_sc.txt", "\r\n1001 1\r\n", "\r\n%s 1\r\n" % HUGE),
    ("unique-id", "names_sc.txt", "\r\n1001 1\r\n", "\r\n1001 %s\r\n" % HUGE),
    ("picture-species", "big_pict.txt", "@#[]\r\n1\r\n", "@#[]\r\n%s\r\n" % HUGE),
    ("picture-value", "big_pict.txt", "@#[]\r\n1\r\n\r\n\r\n1\r\n",
     "@#[]\r\n1\r\n\r\n\r\n%s\r\n" % HUGE),
    ("compression", "cutparts.txt", "\r\n0\r\n600\r\n", "\r\n%s\r\n600\r\n" % HUGE),
    ("seconds", "cutparts.txt", "\r\n0\r\n600\r\n", "\r\n0\r\n%s\r\n" % HUGE),
    ("cut-part-tape", "cutparts.txt cupaitem.txt", "\r\n1A001\r\n", "\r\n%sA001\r\n" % HUGE),
    ("item-number", "cupaitem.txt", "\r\nX\r\n\r\n", "\r\nX\r\n%s\r\n" % HUGE),
    ("map-number", "mapsdata.txt", "\r\nSolvara\r\n1\r\n", "\r\nSolvara\r\n%s\r\n" % HUGE),
    ("latitude", "locality.txt", "\r\n00063000 ", "\r\n%s " % HUGE),
    ("audio-cd-tape", "othermedia.txt", "@#[]\r\n3\r\n", "@#[]\r\n%s\r\n" % HUGE),
]


def write_huge_number_discs(folder):
    for name, file_names, written, huge in HUGE_NUMBERS:
        disc = folder / "huge-numbers" / name
        write_disc(disc, build_model(1, 2, 1, 2, hostile_texts=False))
        for file_name in file_names.split():
            path = disc / file_name
            text = path.read_bytes().decode("cp1252")
            if written not in text:
                raise SystemExit("%s: %r is not in %s" % (name, written, file_name))
            path.write_bytes(text.replace(written, huge).encode("cp1252"))


def main(argv):
    if len(argv) != 2 or argv[1].startswith("-"):
        print("usage: generate_hostile_disc.py OUT_FOLDER", file=sys.stderr)
        return 2
    start = time.monotonic()
    folder = Path(argv[1])
    write_disc(folder, build_model(FAMILIES, SPECIES_PER_FAMILY, ITEMS_PER_SPECIES,
                                   PICTURES_OF_ONE_SPECIES, hostile_texts=True))
    write_giga_pictures(folder)
    write_huge_number_discs(folder)
    print("wrote %s in %.1f s" % (folder, time.monotonic() - start))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
