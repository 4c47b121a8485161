#!/usr/bin/env python3
"""Writes the nine data files of the Solvara sample edition.

Usage: python3 scripts/sample_disc/build_sample_data.py [OUT_FOLDER]

The data are described in sample_data.py next to this script; the default
output folder is sample-disc/ of the repository. PROGR_NM.TXT and Pemmaro.txt
are not written. The output is the same on every run. The script checks the
description as it goes (references, lengths, dates, the audio CD layout) and
prints the counts and the identity of each audio CD.

What the builder works out:
  - species numbers (family * 100 + position) and unique IDs (2000 + that);
  - cut part keys: sound files of family f are on tape f (f <= 8) or f + 2
    (from family 9 on, so that tapes 9 and 10 stay the audio CDs), side A
    for cuts 1-8 and side B after, sub letters b, c, ... for later parts of
    one recording; compression numbers 0 to 9 in turn;
  - audio CD spans: the spans of one track follow each other with gaps of
    1 to 2 seconds; keys are tape + side (A for tracks 1-6, B after) + a
    running number;
  - the disc identity of each audio CD (cd_identity).
"""

import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
sys.path.insert(0, str(REPO / "scripts"))
sys.path.insert(0, str(HERE))

import generate_large_disc as writer  # noqa: E402  (the Windows-1252 / CR LF writer)
import sample_data  # noqa: E402

DEFAULT_OUT = REPO / "sample-disc"
COMMENT = "Solvara sample edition, written by scripts/sample_disc/build_sample_data.py"
AUDIO_CD_TAPES = (9, 10)
SOUND_FILE_SECONDS = (4, 30)
SPAN_TENTHS = (80, 300)
MAX_TRACKS = 12
MAX_DISC_SECONDS = 360
YEARS = (1985, 2019)
WRAP_AT = 200                       # longer texts go on in continuation lines
THREATS = ("VU", "EN", "CR")
ITEM_TYPES = set("XABCD")


class DescriptionError(Exception):
    pass


def require(condition, text):
    if not condition:
        raise DescriptionError(text)


# ---------------------------------------------------------------- audio CD identity

def track_seconds(spans, track):
    """Whole seconds of a track: 3 s after its last span ends, at least 20 s."""
    ends = [-(-(offset + length) // 10) + 3
            for t, offset, length in spans if t == track]
    return max([20] + ends)


def cd_identity(spans):
    """The identity of an audio CD from its spans [(track, offset, length)],
    offset and length in tenths of a second: the highest track number N, then
    for tracks 1 .. min(N, 25) ";" and the track's start in whole seconds, where
    track 1 starts at sector 150 and each track is 75 sectors a second long."""
    last = max(track for track, _offset, _length in spans)
    start = 150
    parts = [str(last)]
    for track in range(1, last + 1):
        if track <= 25:
            parts.append(str(start // 75))
        start += 75 * track_seconds(spans, track)
    return ";".join(parts)


def disc_seconds(spans):
    last = max(track for track, _offset, _length in spans)
    return sum(track_seconds(spans, t) for t in range(1, last + 1))


def lay_out_track(lengths, track):
    """Offsets for consecutive spans of one track (tenths): even tracks start
    half a second in; gaps of 1.0, 1.5 and 2.0 s in turn."""
    offset = 5 if track % 2 == 0 else 0
    placed = []
    for i, length in enumerate(lengths):
        placed.append((offset, length))
        offset += length + 10 + 5 * (i % 3)
    return placed


# ---------------------------------------------------------------- small conversions

def wrap(text):
    """Breaks a long text into continuation lines before blanks."""
    pieces = []
    while len(text) > WRAP_AT:
        cut = text.rfind(" ", WRAP_AT // 2, WRAP_AT)
        if cut < 0:
            break
        pieces.append(text[:cut])
        text = text[cut:]
    pieces.append(text)
    return "\n".join(pieces)


def date_field(date):
    """"1995-03-12" -> "120395"."""
    year, month, day = (int(x) for x in date.split("-"))
    require(YEARS[0] <= year <= YEARS[1], "year of %s outside %d-%d" % (date, *YEARS))
    require(1 <= month <= 12 and 1 <= day <= 31, "date %s" % date)
    return "%02d%02d%02d" % (day, month, year % 100)


def time_field(time):
    if not time:
        return ""
    hours, minutes = (int(x) for x in time.split(":"))
    require(hours < 24 and minutes < 60, "time %s" % time)
    return "%02d%02d" % (hours, minutes)


def split_ssp(text, species):
    """"pattani (P)" -> ("pattani", True); checks the name."""
    if not text:
        return None, False
    uncertain = text.endswith(" (P)")
    name = text[:-4] if uncertain else text
    require(name in species.subspecies, "%s has no subspecies %r" % (species.sci, name))
    return name, uncertain


def coordinate(place, value, hemispheres, most_degrees):
    """(degrees, minutes, hemisphere) -> the writer's (degrees, minutes,
    hundredths, hemisphere)."""
    require(len(value) == 3 and value[2] in hemispheres,
            "%s: coordinate %r needs its hemisphere (%s)" % (place, value, " or ".join(hemispheres)))
    degrees, minutes, hemisphere = value
    require(0 <= minutes < 60 and 0 <= degrees * 60 + minutes <= most_degrees * 60,
            "%s: coordinate %r" % (place, value))
    return (degrees, minutes, 0, hemisphere)


def map_reference(species, name, words):
    require(name in {m[0] for m in sample_data.MAPS}, "%s: no map %r" % (species.sci, name))
    words = words.split()
    require(set(words) <= {"mask", "main"}, "%s: map words %r" % (species.sci, words))
    return (name, "mask" in words, "main" in words)


# ---------------------------------------------------------------- the model

def tape_of_family(number):
    return number if number < AUDIO_CD_TAPES[0] else number + len(AUDIO_CD_TAPES)


def build_model(description=sample_data):
    people = [p[0] for p in description.PEOPLE]
    places = [loc[0] for loc in description.LOCALITIES]
    require(len(set(people)) == len(people), "repeated person key")
    # The display ends a sentence after the person's key with a full stop of its own.
    require(not any(key.endswith(".") for key in people), "a person key ends in a full stop")
    require(len(set(places)) == len(places), "repeated locality key")
    for fragment in writer.TEXT_AUTHORS:
        require(sum(fragment in key for key in people) == 1,
                "text author %s must be in exactly one person key" % fragment)

    def person(key):
        require(key in people, "unknown person %r" % key)
        return key

    def place(key):
        require(key in places, "unknown locality %r" % key)
        return key

    families = []
    sound_files = []                # cut parts, in key order per tape
    cd_tracks = {}                  # (tape, track) -> [cut parts]
    named = {}                      # recording name -> cut part
    items = {}                      # unique ID -> [items]
    pending = []                    # (species, unique ID, item, name) for heard()
    pictures = []
    compression = 0
    for f, fam in enumerate(description.FAMILIES, 1):
        tape = tape_of_family(f)
        cut_number = 0
        family = {"sci": fam.sci, "dir": fam.dir, "english": fam.english, "species": []}
        for k, sp in enumerate(fam.species, 1):
            uid = 2000 + 100 * f + k
            require(set(sp.areas) <= set(writer.AREA_CODES), "%s: areas" % sp.sci)
            require(sp.status in (None,) + THREATS, "%s: status" % sp.sci)
            require(set(sp.letters) <= set("AMSNE"), "%s: letters" % sp.sci)
            require("E" not in sp.letters or sp.subspecies, "%s: E without subspecies" % sp.sci)
            maps = [map_reference(sp, name, words) for name, words in sp.maps]
            require(len(maps) <= 2 and (not maps or sum(m[2] for m in maps) == 1),
                    "%s: one or two maps, one of them main" % sp.sci)
            family["species"].append({
                "sci": sp.sci, "sid": 100 * f + k, "uid": uid, "letters": sp.letters,
                "maps": maps, "threat": sp.status,
                "areas": sorted(sp.areas, key=writer.AREA_CODES.index),
                "author": sp.author, "subspecies": sp.subspecies, "english": sp.english,
                "taxa2": wrap(sp.other), "taxa3": wrap(sp.text), "taxa4": wrap(sp.range_text)})

            species_items = []
            last_file = None
            for r in sp.recordings:
                ssp, uncertain = split_ssp(r["ssp"], sp)
                require(r["kind"] in ITEM_TYPES, "%s: item type %r" % (sp.sci, r["kind"]))
                item = {"type": r["kind"], "number": r["number"], "ssp": ssp,
                        "ssp_p": uncertain, "text1": wrap(r["text"]),
                        "flags": " ".join(["P"] * r["play"] + ["X1"] * r["x1"]),
                        "text2a": r["about"][0], "text2b": r["about"][1]}
                species_items.append(item)
                if r["what"] == "heard":
                    pending.append((sp, item, r["name"]))
                    continue
                cut = {"time": time_field(r["time"]), "date": date_field(r["date"]),
                       "locality": place(r["place"]), "recordist": person(r["recordist"]),
                       "text1": wrap(r["cut_text"]), "text2": wrap(r["cut_note"])}
                require((r["file"] is None) != (r["cd"] is None),
                        "%s: a recording is a sound file or a CD span" % sp.sci)
                if r["file"] is not None:
                    low, high = SOUND_FILE_SECONDS
                    require(low <= r["file"] <= high, "%s: sound file length" % sp.sci)
                    if r["part_of_previous"]:
                        require(last_file is not None, "%s: no previous sound file" % sp.sci)
                        base = last_file["key"].rstrip("abcdefgh")
                        subs = [c["key"][len(base):] for c in sound_files
                                if c["key"].startswith(base) and len(c["key"]) <= len(base) + 1]
                        cut["key"] = base + chr(ord("a") + len(subs))
                    else:
                        cut_number += 1
                        require(cut_number <= 99, "tape %d is full" % tape)
                        cut["key"] = "%d%s%03d" % (tape, "A" if cut_number <= 8 else "B",
                                                   cut_number)
                    cut["compression"] = compression % 10
                    cut["seconds"] = r["file"]
                    compression += 1
                    sound_files.append(cut)
                    last_file = cut
                else:
                    cd_tape, track, seconds = r["cd"]
                    require(cd_tape in AUDIO_CD_TAPES and 1 <= track <= MAX_TRACKS,
                            "%s: CD span %r" % (sp.sci, r["cd"]))
                    cut["tenths"] = round(seconds * 10)
                    require(SPAN_TENTHS[0] <= cut["tenths"] <= SPAN_TENTHS[1],
                            "%s: CD span length" % sp.sci)
                    cd_tracks.setdefault((cd_tape, track), []).append(cut)
                item["cut_part"] = cut
                if r["name"]:
                    require(r["name"] not in named, "recording name %r twice" % r["name"])
                    named[r["name"]] = cut

            if "E" in sp.letters:
                require(all(it["ssp"] for it in species_items),
                        "%s: flag E needs a subspecies on every item" % sp.sci)
                species_items.sort(key=lambda it: sp.subspecies.index(it["ssp"]))
            if species_items:
                require("P" in species_items[0]["flags"].split(),
                        "%s: the first item must be playable" % sp.sci)
                items[uid] = species_items

            for p in sp.pictures:
                ssp, uncertain = split_ssp(p["ssp"], sp)
                require(p["flags"] in ("", "NSS", "X1", "NSS X1"), "picture flags")
                pictures.append({
                    "uid": uid, "ssp": ssp, "ssp_p": uncertain,
                    "photographer": person(p["photographer"]) if p["photographer"] else "",
                    "value": date_field(p["date"]) if p["date"] else "",
                    "locality": place(p["place"]) if p["place"] else "",
                    "flags": p["flags"], "caption": wrap(p["caption"])})
        families.append(family)

    for sp, item, name in pending:
        require(name in named, "%s: no recording named %r" % (sp.sci, name))
        item["cut_part"] = named[name]

    # Audio CDs: offsets within each track, keys in track order.
    cds = []
    cd_cuts = []
    identities = {}
    for cd_tape in AUDIO_CD_TAPES:
        tracks = sorted(t for tape, t in cd_tracks if tape == cd_tape)
        require(tracks, "audio CD %d has no spans" % cd_tape)
        spans = []
        n = 0
        for track in tracks:
            cuts = cd_tracks[(cd_tape, track)]
            for cut, (offset, length) in zip(cuts, lay_out_track([c["tenths"] for c in cuts],
                                                                 track)):
                n += 1
                cut["key"] = "%d%s%03d" % (cd_tape, "A" if track <= 6 else "B", n)
                cut["cd"] = (track, offset, length, False)
                spans.append((track, offset, length))
                cd_cuts.append(cut)
        require(disc_seconds(spans) <= MAX_DISC_SECONDS,
                "audio CD %d lasts %d s" % (cd_tape, disc_seconds(spans)))
        identities[cd_tape] = cd_identity(spans)
        title, name = description.AUDIO_CDS[cd_tape]
        require(len(name) >= 35, "CD name %r is too short" % name)
        require(title.startswith(name), "CD title %r does not begin with its name" % title)
        cds.append({"tape": cd_tape, "title": title, "name": name,
                    "ident": identities[cd_tape], "web": description.AUDIO_CD_WEB % cd_tape})

    for uid, lst in items.items():
        keys = [it["cut_part"]["key"] for it in lst]
        require(len(set(keys)) == len(keys), "species %d uses a cut part twice" % uid)
        for it in lst:
            it["cut"] = it.pop("cut_part")["key"]

    localities = []
    for key, name, region, country, prefix, text, lat, lon, page in description.LOCALITIES:
        localities.append({"key": key, "name": name, "region": region, "country": country,
                           "prefix": prefix, "text": wrap(text),
                           "lat": coordinate(key, lat, "NS", 90),
                           "lon": coordinate(key, lon, "EW", 180), "description": page})

    model = {
        "comments": {name: COMMENT for name in (
            "names_sc.txt", "taxa.txt", "mapsdata.txt", "people.txt", "locality.txt",
            "big_pict.txt", "othermedia.txt", "cutparts.txt", "cupaitem.txt")},
        "maps": description.MAPS,
        "people": description.PEOPLE,
        "families": families,
        "localities": localities,
        "big_pictures": pictures,
        "cds": cds,
        "cut_parts": cd_cuts + sound_files,
        "items": items,
    }
    return model, identities


def site_pages_missing(model, folder):
    pages = folder / "site-descriptions"
    return sorted(loc["description"] for loc in model["localities"]
                  if loc["description"] and not (pages / loc["description"]).is_file())


def counts(model):
    species = [sp for fam in model["families"] for sp in fam["species"]]
    cuts = model["cut_parts"]
    statuses = {t: sum(sp["threat"] == t for sp in species) for t in THREATS}
    return {
        "families": len(model["families"]),
        "species": len(species),
        "subspecies": sum(len(sp["subspecies"]) for sp in species),
        "species with recordings": len(model["items"]),
        "cut parts": len(cuts),
        "audio CD spans": sum("cd" in c for c in cuts),
        "sound files": sum("cd" not in c for c in cuts),
        "recording items": sum(len(v) for v in model["items"].values()),
        "big pictures": len(model["big_pictures"]),
        "localities": len(model["localities"]),
        "site descriptions": sum(bool(loc["description"]) for loc in model["localities"]),
        "people": len(model["people"]),
        "map frames": len(model["maps"]),
        "audio CDs": len(model["cds"]),
        "threatened VU/EN/CR": "%d/%d/%d" % (statuses["VU"], statuses["EN"], statuses["CR"]),
    }


def main(argv):
    if len(argv) > 2 or (len(argv) == 2 and argv[1].startswith("-")):
        print("usage: build_sample_data.py [OUT_FOLDER]", file=sys.stderr)
        return 2
    out = Path(argv[1]) if len(argv) == 2 else DEFAULT_OUT
    try:
        model, identities = build_model()
    except DescriptionError as e:
        print("error in the description: %s" % e, file=sys.stderr)
        return 1
    writer.write_disc(out, model, product_file=False)
    missing = site_pages_missing(model, DEFAULT_OUT)
    for name, value in counts(model).items():
        print("%s: %s" % (name, value))
    for tape, ident in identities.items():
        print("audio CD %d identity: %s" % (tape, ident))
    if missing:
        print("site descriptions missing in sample-disc/site-descriptions: %s"
              % ", ".join(missing), file=sys.stderr)
        return 1
    print("wrote %s" % out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
