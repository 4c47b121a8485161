#!/usr/bin/env python3
"""Writes a large, consistent data disc for load and speed trials.

Usage: python3 scripts/generate_large_disc.py OUT_FOLDER

The data set is synthetic (names such as "Genus12 species34") but every
reference resolves: maps, people, localities, unique IDs, cut part keys, audio
CD tape numbers and subspecies names. The output is the same on every run.
Check it with: python3 scripts/check_disc_references.py OUT_FOLDER

The writer (write_disc) can also write small hand-made discs: it takes a
plain model (lists and dicts, described at write_disc) and produces the ten
data files in Windows-1252 with CR LF line ends. In any text of the model a
"\\n" marks where the text goes on in a continuation line ("#*&").
"""

import random
import shutil
import sys
import time
from pathlib import Path

ENCODING = "cp1252"
PRODUCT_NUMBER = "1061"
AREA_CODES = ["IN", "SR", "NE", "BU", "TH", "IC", "MA", "SI",
              "BO", "SU", "JA", "BA", "CH", "HK", "TA", "PH"]
THREATS = ["VU", "EN", "CR", "EX"]
CONTINUATION = "#*&"

# Fixed sizes of the large data set.
SEED = 1061
FAMILIES = 60
SPECIES = 1500
LARGEST_FAMILY = 400          # the taxa.txt limit: 4 lines a species, 1600 lines
CUT_PARTS = 12000
CD_CUT_PARTS = 3000
AUDIO_CDS = 10
ITEMS = 15000
LARGEST_ITEM_LIST = 200       # the cupaitem.txt limit: 8 lines an item, 1600 lines
BIG_PICTURES = 6000
LOCALITIES = 3000
PEOPLE = 300
MAPS = 24
TEXT_AUTHORS = ["Tamrek", "Vandrel", "Orvin", "Callowden"]


# ---------------------------------------------------------------- writing

def physical_lines(text):
    """The file lines of one logical line: "\\n" in the text starts a
    continuation line."""
    parts = text.split("\n")
    return [parts[0]] + [CONTINUATION + p for p in parts[1:]]


class FileWriter:
    def __init__(self, comment=None):
        self.lines = []
        if comment:
            self.lines.append(comment)

    def header(self, name=""):
        self.lines.append("@#[" + name + "]")

    def line(self, text=""):
        self.lines.extend(physical_lines(str(text)))

    def record(self, *fields):
        self.header()
        for f in fields:
            self.line("" if f is None else f)

    def save(self, path):
        data = "".join(line + "\r\n" for line in self.lines)
        Path(path).write_bytes(data.encode(ENCODING))


def coordinate_group(degrees, minutes, hundredths=0, hemisphere="", marked_d=False):
    """Eight characters in hundredths of an arc minute, south and west negative
    ("-0029500" for 4 degrees 55 minutes south), then the mark."""
    value = degrees * 6000 + minutes * 100 + hundredths
    if hemisphere in ("S", "W"):
        value = -value
    if not -9999999 <= value <= 99999999:
        raise ValueError("coordinate out of range")
    return "%08d%s" % (value, "D" if marked_d else " ")


def cd_value(tenths, with_point):
    """Five characters holding a time in tenths of a second."""
    if with_point:
        if tenths > 9999:
            raise ValueError("too long for a value with a decimal point")
        return "%03d.%d" % (tenths // 10, tenths % 10)
    if tenths > 99999:
        raise ValueError("too long")
    return "%05d" % tenths


def cd_span_text(track, offset, length, with_point):
    return "CD track:%-5s offset:%s length:%s" % (
        "%02d" % track, cd_value(offset, with_point), cd_value(length, with_point))


def map_reference(ref):
    name, mask, main = ref
    return '"%s" %s%s' % (name, "Mask" if mask else "----", "Main" if main else "----")


def flag_line(sp, has_items):
    letters = sp.get("letters", "")
    word = ""
    for letter in "AMSCENDT":
        if letter == "C":
            on = has_items
        elif letter == "D":
            on = bool(sp.get("maps"))
        elif letter == "T":
            on = bool(sp.get("threat"))
        else:
            on = letter in letters
        if on:
            word += letter
    parts = []
    if sp.get("maps"):
        parts.append("D(" + ",".join(map_reference(r) for r in sp["maps"]) + ")")
    if sp.get("threat"):
        parts.append("T(" + sp["threat"] + ")")
    return word + "," + ",".join(parts)


def subspecies_text(name, uncertain):
    if not name:
        return ""
    return name + (" (P)" if uncertain else "")


def write_disc(folder, model, product_file=True):
    """Writes the ten data files (no syst_ord.txt) and, unless product_file is
    false, PROGR_NM.TXT.

    model keys:
      maps: [(name, number, (west, east, north, south))]
      people: [(key, text_1, text_2)]
      families: [{sci, dir, english,
                   species: [{sci, sid, uid, letters ("AMSEN" subset), maps:
                   [(map name, mask, main)], threat, areas [codes], author
                   (1..4 or None), subspecies [names], english, taxa2,
                   taxa3, taxa4}]}]
      localities: [{key, name, region, country, prefix, text, lat (deg, min
                   [, hundredths]), lon (...), lat_d, lon_d, description}]
      big_pictures: [{uid, ssp, ssp_p, photographer, value, locality,
                   flags, caption}]
      cds: [{tape, title, name, ident, web}]
      cut_parts: [{key, compression (0..9) or cd (track, offset, length
                   in tenths, with_point), seconds, time, date, locality,
                   recordist, text1, text2}]
      items: {uid: [{type, number, ssp, ssp_p, text1, flags, text2a,
                   text2b, cut}]}   (species order is taken from families)
      comments: {file name: comment line before the first header}
    """
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    comments = model.get("comments", {})
    items = model.get("items", {})

    w = FileWriter(comments.get("mapsdata.txt"))
    for name, number, (west, east, north, south) in model["maps"]:
        w.record(name, number, "%s,%s,%s,%s" % (west, east, north, south))
    w.save(folder / "mapsdata.txt")

    w = FileWriter(comments.get("people.txt"))
    for key, text1, text2 in model["people"]:
        w.record(key, text1, text2, "")
    w.save(folder / "people.txt")

    names = FileWriter(comments.get("names_sc.txt"))
    taxa = FileWriter(comments.get("taxa.txt"))
    names.header("FAMILIES")
    taxa.header("FAMILIES")
    for fam in model["families"]:
        names.line(fam["sci"])
        names.line(fam["dir"])
        taxa.line(fam["english"])
    for n, fam in enumerate(model["families"], 1):
        names.header("SPECIES %d" % n)
        taxa.header("SPECIES %d" % n)
        for sp in fam["species"]:
            names.record(sp["sci"], "%d %d" % (sp["sid"], sp["uid"]),
                         flag_line(sp, bool(items.get(sp["uid"]))),
                         "-".join(sp["areas"]),
                         "" if sp.get("author") is None else sp["author"],
                         *sp.get("subspecies", []), "")
            taxa.line(sp["english"])
            taxa.line(sp.get("taxa2", ""))
            taxa.line(sp.get("taxa3", ""))
            taxa.line(sp.get("taxa4", ""))
    names.save(folder / "names_sc.txt")
    taxa.save(folder / "taxa.txt")

    w = FileWriter(comments.get("locality.txt"))
    for loc in model["localities"]:
        coords = coordinate_group(*loc["lat"], marked_d=loc.get("lat_d", False)) + \
            coordinate_group(*loc["lon"], marked_d=loc.get("lon_d", False))
        w.record(loc["key"], loc["name"], loc.get("region", ""), loc.get("country", ""),
                 loc.get("prefix", ""), loc.get("text", ""), coords, "",
                 loc.get("description", ""))
    w.save(folder / "locality.txt")

    w = FileWriter(comments.get("big_pict.txt"))
    for p in model["big_pictures"]:
        w.record(p["uid"], subspecies_text(p.get("ssp"), p.get("ssp_p")),
                 p.get("photographer", ""),
                 "" if p.get("value") is None else p["value"],
                 p.get("locality", ""), p.get("flags", ""), p.get("caption", ""))
    w.save(folder / "big_pict.txt")

    w = FileWriter(comments.get("othermedia.txt"))
    for cd in model["cds"]:
        w.record(cd["tape"], cd["title"], cd["name"], cd["ident"], cd["web"])
    w.save(folder / "othermedia.txt")

    w = FileWriter(comments.get("cutparts.txt"))
    for c in model["cut_parts"]:
        if "cd" in c:
            second, third = cd_span_text(*c["cd"]), ""
        else:
            second, third = c["compression"], c["seconds"]
        w.record(c["key"], second, third, c.get("time", ""), c.get("date", ""),
                 c["locality"], c.get("recordist", ""), c.get("text1", ""),
                 c.get("text2", ""))
    w.save(folder / "cutparts.txt")

    w = FileWriter(comments.get("cupaitem.txt"))
    for n, fam in enumerate(model["families"], 1):
        s = 0
        for sp in fam["species"]:
            species_items = items.get(sp["uid"])
            if not species_items:
                continue
            s += 1
            w.header("%d_%d" % (n, s))
            for it in species_items:
                w.line(it["type"])
                w.line("" if it.get("number") is None else it["number"])
                w.line(subspecies_text(it.get("ssp"), it.get("ssp_p")))
                w.line(it.get("text1", ""))
                w.line(it.get("flags", ""))
                w.line(it.get("text2a", ""))
                w.line(it.get("text2b", ""))
                w.line(it["cut"])
    w.save(folder / "cupaitem.txt")

    if product_file:
        (folder / "PROGR_NM.TXT").write_bytes((PRODUCT_NUMBER + "\r\n").encode(ENCODING))


# ---------------------------------------------------------------- the large data set

def letters_name(i, width=2):
    s = ""
    for _ in range(width):
        s = chr(ord("A") + i % 26) + s
        i //= 26
    return s


def split_somewhere(rng, text):
    """Puts one continuation break inside a word of the text."""
    spots = [i for i in range(1, len(text))
             if text[i - 1] not in " <>" and text[i] not in " <>"
             and "<" not in text[max(0, i - 3):i + 3]]
    if not spots:
        return text
    i = rng.choice(spots)
    return text[:i] + "\n" + text[i:]


SUBSPECIES_WORDS = [
    "orientalis", "occidentalis", "borealis", "australis", "minor", "major",
    "insularis", "montanus", "littoralis", "pallidus", "obscurus", "rufescens",
    "cinereus", "sumatranus", "javanicus", "burmanicus", "siamensis",
    "indicus", "sinensis", "philippensis", "bornensis", "robustus", "gracilis",
    "intermedius", "albescens", "nigrescens", "flavescens", "olivaceus",
]


def family_sizes(rng):
    sizes = [LARGEST_FAMILY]
    rest = SPECIES - LARGEST_FAMILY
    # Small families, some with a single species.
    weights = [rng.randint(1, 30) for _ in range(FAMILIES - 1)]
    total = sum(weights)
    extra = [max(1, rest * w // total) for w in weights]
    diff = rest - sum(extra)
    i = 0
    while diff != 0:
        j = i % len(extra)
        if diff > 0:
            extra[j] += 1
            diff -= 1
        elif extra[j] > 1:
            extra[j] -= 1
            diff += 1
        i += 1
    sizes += extra
    # Put the largest family somewhere in the middle.
    sizes[0], sizes[17] = sizes[17], sizes[0]
    return sizes


def build_large_model():
    rng = random.Random(SEED)
    model = {"comments": {name: "Large synthetic data set for load trials."
                          for name in ("names_sc.txt", "cutparts.txt")}}

    # Maps: one map of the whole region and smaller frames.
    maps = [("Solvara", 1, (60.0, 150.0, 45.0, -11.0))]
    for i in range(2, MAPS + 1):
        west = round(rng.uniform(65, 130), 2)
        north = round(rng.uniform(0, 40), 2)
        maps.append(("Frame %s" % letters_name(i), i,
                     (west, round(west + rng.uniform(5, 20), 2),
                      north, round(north - rng.uniform(5, 15), 2))))
    model["maps"] = maps
    map_names = [m[0] for m in maps]

    # People: the four text authors first, then recordists and photographers.
    people = []
    initials = "ABCDEFGHJKLMNPRSTW"
    for i, name in enumerate(TEXT_AUTHORS):
        people.append(("%s, %s." % (name, initials[i]), "%s %s" % (initials[i], name),
                       "Author of species texts"))
    for i in range(PEOPLE - len(TEXT_AUTHORS)):
        key = "Person%03d, %s." % (i, initials[i % len(initials)])
        text2 = "http://www.example.org/people/%03d" % i if i % 3 == 0 else \
            "Recordist and photographer"
        people.append((key, "%s. Person%03d" % (initials[i % len(initials)], i), text2))
    model["people"] = people
    person_keys = [p[0] for p in people]

    # Localities; one unknown place.
    localities = [{"key": "ZERO", "name": "ZERO LOCATION", "lat": (0, 0), "lon": (0, 0)}]
    countries = ["India", "Sri Lanka", "Nepal", "Burma", "Thailand", "Vietnam", "Laos",
                 "Cambodia", "Malaysia", "Singapore", "Indonesia", "China", "Taiwan",
                 "Philippines"]
    for i in range(1, LOCALITIES):
        loc = {"key": "LOC%04d" % i, "name": "Locality %d" % i,
               "region": "Province %s" % letters_name(i % 200) if i % 4 else "",
               "country": countries[i % len(countries)],
               "prefix": "near" if i % 10 == 0 else "",
               "text": "" if i % 3 else "Forest edge, <I>secondary growth</I> at %d m" % (i % 2000),
               "lat": (rng.randint(0, 44), rng.randint(0, 59), rng.randint(0, 99)),
               "lon": (rng.randint(68, 140), rng.randint(0, 59), rng.randint(0, 99)),
               "lat_d": i % 97 == 0, "lon_d": i % 89 == 0,
               "description": "loc%04d.htm" % i if i % 5 == 0 else ""}
        if i % 50 == 0:
            loc["text"] = split_somewhere(rng, "A long description of locality %d, "
                                          "a valley with streams and old trees" % i)
        localities.append(loc)
    model["localities"] = localities
    locality_keys = [loc["key"] for loc in localities]

    # Families and species.
    families = []
    all_species = []
    uid = 10000
    for f, size in enumerate(family_sizes(rng), 1):
        fam = {"sci": "Fam%sidae" % letters_name(f).lower().capitalize(),
               "dir": "FAM" + letters_name(f),
               "english": "Synthetic family %d" % f, "species": []}
        big = size == LARGEST_FAMILY
        genera = max(1, size // 8)
        for k in range(1, size + 1):
            uid += rng.randint(1, 5)
            g = f * 100 + rng.randrange(genera)
            sci = "Genus%d species%d" % (g, k)
            sp = {"sci": sci, "sid": f * 1000 + k, "uid": uid,
                  "letters": "A" * (k % 7 != 0) + "M" * (k % 5 == 0) + "S" * (k % 4 != 3)
                  + "N" * (k % 11 == 0),
                  "areas": sorted(rng.sample(AREA_CODES, rng.randint(1, 9)),
                                  key=AREA_CODES.index),
                  "author": rng.choice([1, 2, 3, 4, None]),
                  "english": "Synthetic bird %d-%d" % (f, k),
                  "taxa2": "Also known as bird %d of family %d" % (k, f) if k % 6 == 0 else "",
                  "taxa3": "A <B>%s</B> of %s. Length %d cm; <I>%s</I> has %s wings." % (
                      "small" if k % 2 else "large", "forest" if k % 3 else "scrub",
                      rng.randint(9, 120), sci, "rounded" if k % 2 else "pointed"),
                  "taxa4": "Resident in %d areas; <U>local</U> in the north." % rng.randint(1, 9),
                  "family": f}
            if rng.random() < 0.4:
                count = rng.randint(1, 8)
                sp["subspecies"] = ["species%d" % k] + rng.sample(SUBSPECIES_WORDS, count - 1)
                if count > 1 and rng.random() < 0.25:
                    sp["letters"] += "E"
            if rng.random() < 0.7:
                first, second = rng.sample(map_names, 2)
                if rng.random() < 0.35:
                    main_first = rng.random() < 0.5
                    sp["maps"] = [(first, rng.random() < 0.3, main_first),
                                  (second, rng.random() < 0.3, not main_first)]
                else:
                    sp["maps"] = [(first, rng.random() < 0.2, rng.random() < 0.8)]
            if rng.random() < 0.08:
                sp["threat"] = rng.choice(THREATS)
            if not big and k % 13 == 0:
                sp["taxa3"] = split_somewhere(rng, sp["taxa3"])
            if not big and k % 17 == 0:
                sp["english"] = split_somewhere(rng, sp["english"])
            fam["species"].append(sp)
            all_species.append(sp)
        families.append(fam)
    model["families"] = families
    assert len(all_species) == SPECIES

    # Audio CDs and cut parts.
    model["cds"] = [{"tape": t,
                     "title": "Bird Songs of Solvara, CD %d" % t,
                     "name": "Solvara Bird Sounds, large edition, CD %d of %d" % (t, AUDIO_CDS),
                     "ident": "%d tracks 01:%02d:%02d" % (99, rng.randint(0, 59), rng.randint(0, 59)),
                     "web": "http://www.example.org/solvara/cd%d" % t}
                    for t in range(1, AUDIO_CDS + 1)]

    def cut_texts(i):
        text1 = ["", "Song", "Calls of a pair", "<I>Alarm</I> calls", "Dawn chorus"][i % 5]
        text2 = "" if i % 4 else "Recorded with a <B>parabolic</B> reflector"
        if i % 211 == 0:
            text2 = split_somewhere(rng, "Background of insects and a distant stream, recording %d" % i)
        return text1, text2

    def common_fields(c, i):
        c["time"] = "" if i % 9 == 0 else "%02d%02d" % (rng.randint(0, 23), rng.randint(0, 59))
        c["date"] = "" if i % 11 == 0 else "%02d%02d%02d" % (
            rng.randint(1, 28), rng.randint(1, 12), rng.choice(list(range(60, 100)) + list(range(0, 10))))
        c["locality"] = rng.choice(locality_keys)
        c["recordist"] = "" if i % 15 == 0 else rng.choice(person_keys)
        c["text1"], c["text2"] = cut_texts(i)
        return c

    cut_parts = []
    per_cd = CD_CUT_PARTS // AUDIO_CDS
    for t in range(1, AUDIO_CDS + 1):
        track, offset = 1, 0
        for n in range(1, per_cd + 1):
            length = rng.randint(50, 1500)
            if offset + length > 9000 or (n > 1 and rng.random() < 0.15):
                track, offset = track + 1, rng.randint(0, 30)
            with_point = (n % 2 == 0)
            key = "%d%s%03d" % (t, "A" if n <= per_cd // 2 else "B", n)
            cut_parts.append(common_fields({"key": key, "cd": (track, offset, length, with_point)},
                                           len(cut_parts)))
            offset += length + rng.randint(0, 40)
        assert track <= 99
    tape = AUDIO_CDS + 1
    side, cut = "A", 0
    while len(cut_parts) < CUT_PARTS:
        cut += 1
        if cut > 60:
            if side == "A":
                side = "B"
            else:
                side, tape = "A", tape + 1
            cut = 1
        i = len(cut_parts)
        key = "%d%s%03d" % (tape, side, cut)
        subs = [""] if i % 23 else ["a", "b", "c"]
        for sub in subs:
            if len(cut_parts) >= CUT_PARTS:
                break
            cut_parts.append(common_fields({"key": key + sub, "compression": len(cut_parts) % 10,
                                            "seconds": rng.randint(3, 600)}, len(cut_parts)))
    model["cut_parts"] = cut_parts

    # Recording items: species with items, item counts adding up to ITEMS.
    singing = [sp for sp in all_species if rng.random() < 0.8]
    counts = {sp["uid"]: 1 for sp in singing}
    counts[singing[len(singing) // 2]["uid"]] = LARGEST_ITEM_LIST
    left = ITEMS - sum(counts.values())
    while left > 0:
        sp = rng.choice(singing)
        if counts[sp["uid"]] < 60:
            counts[sp["uid"]] += 1
            left -= 1
    # Every cut part has at least one item; the rest share cut parts (birds
    # heard together in one recording).
    cut_keys = [c["key"] for c in cut_parts]
    rng.shuffle(cut_keys)
    spare = list(cut_keys)
    items = {}
    n_item = 0
    for sp in singing:
        count = counts[sp["uid"]]
        ssp = sp.get("subspecies", [])
        grouped = "E" in sp["letters"]
        lst = []
        used = set()
        for j in range(count):
            if spare:
                cut_key = spare.pop()
            else:
                cut_key = rng.choice(cut_keys)
                while cut_key in used:
                    cut_key = rng.choice(cut_keys)
            used.add(cut_key)
            it = {"type": rng.choice("XXXXABC"),
                  "number": rng.choice([None, None, None, "?", 100, 60, 30, 80]),
                  "text1": rng.choice(["Song", "Call", "Calls", "Song and calls",
                                       "<I>Flight</I> call", "Duet"]),
                  "flags": ("P" if j < 3 or rng.random() < 0.6 else "") +
                           (" X1" if rng.random() < 0.05 else ""),
                  "text2a": "" if n_item % 3 else "Adult",
                  "text2b": "" if n_item % 5 else " <U>male</U>",
                  "cut": cut_key}
            it["flags"] = it["flags"].strip()
            if ssp and (grouped or rng.random() < 0.5):
                it["ssp"] = rng.choice(ssp)
                it["ssp_p"] = rng.random() < 0.1
            if n_item % 397 == 0 and count < LARGEST_ITEM_LIST:
                it["text1"] = split_somewhere(rng, "A long song bout with mimicry of other species")
            n_item += 1
            lst.append(it)
        if grouped:
            lst.sort(key=lambda it: ssp.index(it["ssp"]))
            for it in lst[:2]:
                if "P" not in it["flags"].split():
                    it["flags"] = ("P " + it["flags"]).strip()
        items[sp["uid"]] = lst
    assert n_item == ITEMS and not spare
    model["items"] = items

    # Big pictures, grouped by species.
    pictured = [sp for sp in all_species if "S" in sp["letters"] or rng.random() < 0.3]
    pcounts = {sp["uid"]: 1 for sp in pictured}
    left = BIG_PICTURES - len(pictured)
    while left > 0:
        sp = rng.choice(pictured)
        if pcounts[sp["uid"]] < 12:
            pcounts[sp["uid"]] += 1
            left -= 1
    pictures = []
    for sp in pictured:
        for j in range(pcounts[sp["uid"]]):
            i = len(pictures)
            p = {"uid": sp["uid"],
                 "photographer": "" if i % 6 == 0 else rng.choice(person_keys),
                 "value": None if i % 4 == 0 else rng.randint(1, 9),
                 "locality": "" if i % 5 == 0 else rng.choice(locality_keys),
                 "flags": ["", "", "", "", "NSS", "X1", "NSS X1"][i % 7],
                 "caption": "%s, <I>%s</I>" % (["Adult", "Male", "Female", "Juvenile"][i % 4],
                                                 "in flight" if i % 2 else "perched")}
            if sp.get("subspecies") and rng.random() < 0.5:
                p["ssp"] = rng.choice(sp["subspecies"])
                p["ssp_p"] = rng.random() < 0.15
            if i % 301 == 0:
                p["caption"] = split_somewhere(rng, "A bird at the nest, feeding two young ones")
            pictures.append(p)
    model["big_pictures"] = pictures
    return model


def main(argv):
    if len(argv) != 2 or argv[1].startswith("-"):
        print("usage: generate_large_disc.py OUT_FOLDER", file=sys.stderr)
        return 2
    start = time.monotonic()
    out = Path(argv[1])
    write_disc(out, build_large_model())
    language_file = Path(__file__).resolve().parent.parent / "sample-disc" / "Pemmaro.txt"
    shutil.copyfile(language_file, out / "Pemmaro.txt")
    print("wrote %s in %.1f s" % (out, time.monotonic() - start))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
