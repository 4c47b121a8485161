#!/usr/bin/env python3
"""Writes a small data disc with the two longest chains the file limits allow
one species and one recording to have, for load-time trials.

Usage: python3 scripts/generate_hostile_disc.py OUT_FOLDER

- big_pict.txt: 150,000 pictures of one species;
- cupaitem.txt: 500 species with 200 recording items each (the most one
  section holds), every item on the same cut part.
Everything else is as small as a consistent disc can be.
"""

import sys
import time
from pathlib import Path

from generate_large_disc import TEXT_AUTHORS, write_disc

FAMILIES = 5
SPECIES_PER_FAMILY = 100
ITEMS_PER_SPECIES = 200
PICTURES_OF_ONE_SPECIES = 150000
CUT_PART = "1A001"


def build_hostile_model():
    people = [("%s, A." % name, "A. %s" % name, "Author of species texts")
              for name in TEXT_AUTHORS]
    families = []
    uid = 0
    for f in range(1, FAMILIES + 1):
        species = []
        for k in range(1, SPECIES_PER_FAMILY + 1):
            uid += 1
            species.append({"sci": "Genus%d species%d" % (f, k), "sid": f * 1000 + k,
                            "uid": uid, "areas": ["SR"], "english": "Bird %d-%d" % (f, k)})
        families.append({"sci": "Family%didae" % f, "dir": "FAM%d" % f,
                         "english": "Family %d" % f, "species": species})
    item = {"type": "X", "text1": "Song", "flags": "P", "cut": CUT_PART}
    return {
        "maps": [("Solvara", 1, (60.0, 150.0, 45.0, -11.0))],
        "people": people,
        "families": families,
        "localities": [{"key": "LOC1", "name": "Upper valley", "country": "Solvara",
                        "lat": (10, 30), "lon": (100, 15)}],
        "big_pictures": [{"uid": 1, "value": 1 + i % 9, "flags": "X1" if i % 2 else "",
                          "caption": "Adult"}
                         for i in range(PICTURES_OF_ONE_SPECIES)],
        "cds": [],
        "cut_parts": [{"key": CUT_PART, "compression": 0, "seconds": 600,
                       "locality": "LOC1"}],
        "items": {sp["uid"]: [item] * ITEMS_PER_SPECIES
                  for fam in families for sp in fam["species"]},
    }


def main(argv):
    if len(argv) != 2 or argv[1].startswith("-"):
        print("usage: generate_hostile_disc.py OUT_FOLDER", file=sys.stderr)
        return 2
    start = time.monotonic()
    write_disc(Path(argv[1]), build_hostile_model())
    print("wrote %s in %.1f s" % (argv[1], time.monotonic() - start))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
