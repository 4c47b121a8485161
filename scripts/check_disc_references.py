#!/usr/bin/env python3
"""Checks the data files of a disc folder: layout, record sizes and that every
reference resolves.

Usage: python3 scripts/check_disc_references.py FOLDER [FOLDER ...]

Prints the problems found (and the counts of each folder) and exits with 1
when there is any problem. Reads the files on its own, without the code that
writes them, so that it also catches faults of the writer.
"""

import re
import sys
from pathlib import Path

AREA_CODES = {"IN", "SR", "NE", "BU", "TH", "IC", "MA", "SI",
              "BO", "SU", "JA", "BA", "CH", "HK", "TA", "PH"}
TEXT_AUTHORS = ["Tamrek", "Vandrel", "Orvin", "Callowden"]
MAX_RECORD_LINES = 1600
KEY_RE = re.compile(r"^(\d+)([A-Za-z])(\d{3})([A-Za-z]?)$")
COORD_RE = re.compile(r"^(-\d{7}|\d{8})([D ])(-\d{7}|\d{8})([D ])$")
MAP_REF_RE = re.compile(r'"([^"]*)".(Mask|----)(Main|----)')
TAG_RE = re.compile(r"</?([A-Za-z]+)>")


class Disc:
    def __init__(self, folder):
        self.folder = Path(folder)
        self.problems = []
        self.counts = {}

    def problem(self, where, text):
        self.problems.append("%s: %s" % (where, text))

    # ------------------------------------------------------------ file layout

    def sections(self, name):
        """[(section name, [lines])] with continuation lines joined."""
        path = self.folder / name
        if not path.exists():
            self.problem(name, "missing")
            return []
        raw = path.read_bytes()
        try:
            text = raw.decode("cp1252")
        except UnicodeDecodeError as e:
            self.problem(name, "not Windows-1252: %s" % e)
            text = raw.decode("cp1252", errors="replace")
        if raw and not raw.endswith(b"\r\n"):
            self.problem(name, "does not end with CR LF")
        if raw.replace(b"\r\n", b"").count(b"\n") or raw.replace(b"\r\n", b"").count(b"\r"):
            self.problem(name, "has line ends other than CR LF")
        lines = text.split("\r\n")
        if lines and lines[-1] == "":
            lines.pop()
        result = []
        for number, line in enumerate(lines, 1):
            if line.startswith("@#["):
                close = line.find("]")
                if close < 0:
                    self.problem(name, "line %d: header without ']'" % number)
                    close = len(line)
                result.append((line[3:close], [], number))
            elif not result:
                continue  # before the first header: a comment
            elif line.startswith("#*&"):
                if not result[-1][1]:
                    self.problem(name, "line %d: continuation line right after a header" % number)
                else:
                    result[-1][1][-1] += line[3:]
            else:
                result[-1][1].append(line)
            if "\t" in line:
                self.problem(name, "line %d: tab character" % number)
        return result

    def records(self, name, size):
        """Unnamed records of a fixed number of lines."""
        out = []
        for section, lines, number in self.sections(name):
            if section != "":
                self.problem(name, "line %d: unexpected section %r" % (number, section))
                continue
            if len(lines) != size:
                self.problem(name, "line %d: record of %d lines, not %d" % (number, len(lines), size))
                lines = (lines + [""] * size)[:size]
            out.append((lines, number))
        return out

    def check_markup(self, where, text):
        stack = []
        for m in TAG_RE.finditer(text):
            tag = m.group(1).upper()
            if tag not in ("I", "B", "U"):
                self.problem(where, "unknown tag %r" % m.group(0))
            elif m.group(0).startswith("</"):
                if not stack or stack[-1] != tag:
                    self.problem(where, "unbalanced %r in %r" % (m.group(0), text))
                else:
                    stack.pop()
            else:
                stack.append(tag)
        if stack:
            self.problem(where, "unclosed tag in %r" % text)

    # ------------------------------------------------------------ the files

    def check(self):
        self.check_product()
        self.check_maps()
        self.check_people()
        self.check_names()
        self.check_taxa()
        self.check_localities()
        self.check_cds()
        self.check_cut_parts()
        self.check_items()
        self.check_big_pictures()
        if (self.folder / "syst_ord.txt").exists():
            self.problem("syst_ord.txt", "present, but this product has one systematic order")

    def check_product(self):
        path = self.folder / "PROGR_NM.TXT"
        if not path.exists() or path.read_bytes() != b"1061\r\n":
            self.problem("PROGR_NM.TXT", "missing or not '1061' CR LF")

    def check_maps(self):
        self.maps = {}
        for (name, number, values), line in self.records("mapsdata.txt", 3):
            where = "mapsdata.txt line %d" % line
            if name in self.maps:
                self.problem(where, "map %r twice" % name)
            if not number.strip().isdigit():
                self.problem(where, "map number %r" % number)
            try:
                west, east, north, south = (float(v) for v in values.split(","))
                if not (west < east and north > south):
                    self.problem(where, "frame %r is not west<east, north>south" % values)
            except ValueError:
                self.problem(where, "frame values %r" % values)
            self.maps[name] = number
        self.counts["map frames"] = len(self.maps)

    def check_people(self):
        self.people = set()
        for (key, _text1, _text2, _unused), line in self.records("people.txt", 4):
            if not key or key in self.people:
                self.problem("people.txt line %d" % line, "empty or repeated key %r" % key)
            self.people.add(key)
        self.counts["people"] = len(self.people)

    def check_names(self):
        name = "names_sc.txt"
        sections = self.sections(name)
        self.families = []          # [(scientific name, [species dicts])]
        self.species_by_uid = {}
        if not sections or sections[0][0] != "FAMILIES":
            self.problem(name, "does not start with section FAMILIES")
            return
        fam_lines = sections[0][1]
        if len(fam_lines) % 2:
            self.problem(name, "FAMILIES has an odd number of lines")
        dirs = set()
        for i in range(0, len(fam_lines) - 1, 2):
            sci, directory = fam_lines[i], fam_lines[i + 1]
            if not re.fullmatch(r"[A-Z]{1,14}", directory) or directory in dirs:
                self.problem(name, "family directory %r" % directory)
            dirs.add(directory)
            self.families.append((sci, []))
        current = None
        sci_names = set()
        for section, lines, line in sections[1:]:
            where = "%s line %d" % (name, line)
            if section.startswith("SPECIES "):
                n = int(section[8:]) if section[8:].isdigit() else -1
                expected = (current or 0) + 1
                if n != expected:
                    self.problem(where, "section %r where SPECIES %d was due" % (section, expected))
                if lines:
                    self.problem(where, "section %r is not empty" % section)
                current = n
                continue
            if section != "" or current is None or not 1 <= current <= len(self.families):
                self.problem(where, "record outside a family's SPECIES section")
                continue
            if len(lines) > MAX_RECORD_LINES:
                self.problem(where, "record of %d lines" % len(lines))
            if len(lines) < 5:
                self.problem(where, "record of only %d lines" % len(lines))
                continue
            sp = {"sci": lines[0], "family": current, "line": line}
            if sp["sci"] in sci_names:
                self.problem(where, "scientific name %r twice" % sp["sci"])
            sci_names.add(sp["sci"])
            ids = lines[1].split(" ")
            if len(ids) != 2 or not all(x.isdigit() for x in ids):
                self.problem(where, "ID line %r" % lines[1])
                continue
            sp["uid"] = int(ids[1])
            if sp["uid"] in self.species_by_uid:
                self.problem(where, "unique ID %d twice" % sp["uid"])
            self.species_by_uid[sp["uid"]] = sp
            self.check_flag_line(where, sp, lines[2])
            areas = lines[3].split("-") if lines[3] else []
            if not areas:
                self.problem(where, "empty distribution for %s" % sp["sci"])
            if len(set(areas)) != len(areas) or not set(areas) <= AREA_CODES:
                self.problem(where, "distribution %r" % lines[3])
            if lines[4] not in ("", "1", "2", "3", "4"):
                self.problem(where, "text author %r" % lines[4])
            if lines[4]:
                fragment = TEXT_AUTHORS[int(lines[4]) - 1]
                if not any(fragment in key for key in self.people):
                    self.problem(where, "text author %s has no person" % fragment)
            subspecies = []
            rest = lines[5:]
            while rest and rest[0] != "":
                subspecies.append(rest.pop(0))
            if any(r != "" for r in rest):
                self.problem(where, "lines after the subspecies list")
            if len(set(subspecies)) != len(subspecies) or any(" " in s for s in subspecies):
                self.problem(where, "subspecies %r" % subspecies)
            sp["subspecies"] = subspecies
            if sp["E"] and not subspecies:
                self.problem(where, "flag E without subspecies")
            self.families[current - 1][1].append(sp)
        if current != len(self.families):
            self.problem(name, "%d families but SPECIES sections up to %s" % (len(self.families), current))
        for sci, species in self.families:
            if not species:
                self.problem(name, "family %s has no species" % sci)
        self.counts["families"] = len(self.families)
        self.counts["species"] = len(self.species_by_uid)
        self.counts["subspecies"] = sum(len(sp["subspecies"]) for sp in self.species_by_uid.values())

    def check_flag_line(self, where, sp, text):
        word, comma, rest = text.partition(",")
        if not comma:
            self.problem(where, "flag line %r has no ','" % text)
        if not re.fullmatch(r"[AMSCENDT]*", word) or len(set(word)) != len(word):
            self.problem(where, "flag word %r" % word)
        for letter in "AMSCENDT":
            sp[letter] = letter in word
        sp["maps"] = []
        d = rest.find("D(")
        if d >= 0:
            pos = d + 2
            while True:
                m = MAP_REF_RE.match(rest, pos)
                if not m:
                    self.problem(where, "map part of %r" % text)
                    break
                sp["maps"].append((m.group(1), m.group(2) == "Mask", m.group(3) == "Main"))
                if m.group(1) not in self.maps:
                    self.problem(where, "map %r not in mapsdata.txt" % m.group(1))
                pos = m.end()
                if rest[pos:pos + 1] == ",":
                    pos += 1
                    continue
                if rest[pos:pos + 1] != ")":
                    self.problem(where, "map part of %r not closed" % text)
                break
            if len(sp["maps"]) > 2:
                self.problem(where, "more than two maps")
            if sum(main for _n, _m, main in sp["maps"]) > 1:
                self.problem(where, "more than one main map")
        if sp["D"] != bool(sp["maps"]):
            self.problem(where, "flag D and map part disagree in %r" % text)
        t = rest.find("T(")
        threat = rest[t + 2:t + 5] if t >= 0 else ""
        if t >= 0 and threat not in ("VU)", "EN)", "CR)", "EX)"):
            self.problem(where, "threat part of %r" % text)
        if sp["T"] != (t >= 0):
            self.problem(where, "flag T and threat part disagree in %r" % text)
        sp["threat"] = threat[:2]

    def check_taxa(self):
        name = "taxa.txt"
        sections = self.sections(name)
        if not sections or sections[0][0] != "FAMILIES":
            self.problem(name, "does not start with section FAMILIES")
            return
        if len(sections[0][1]) != len(self.families):
            self.problem(name, "%d family names for %d families" % (len(sections[0][1]), len(self.families)))
        if len(sections) != len(self.families) + 1:
            self.problem(name, "%d SPECIES sections for %d families" % (len(sections) - 1, len(self.families)))
        for n, (section, lines, line) in enumerate(sections[1:], 1):
            if section != "SPECIES %d" % n:
                self.problem("%s line %d" % (name, line), "section %r, SPECIES %d due" % (section, n))
            if len(lines) > MAX_RECORD_LINES:
                self.problem("%s line %d" % (name, line), "section of %d lines" % len(lines))
            if n <= len(self.families):
                species = self.families[n - 1][1]
                if len(lines) != 4 * len(species):
                    self.problem("%s line %d" % (name, line),
                                 "%d lines for %d species" % (len(lines), len(species)))
                for text in lines:
                    self.check_markup("%s SPECIES %d" % (name, n), text)
                for i, sp in enumerate(species):
                    if 4 * i < len(lines) and not lines[4 * i]:
                        self.problem("%s SPECIES %d" % (name, n), "no English name for %s" % sp["sci"])

    def check_localities(self):
        self.localities = {}
        zero = 0
        for lines, line in self.records("locality.txt", 9):
            where = "locality.txt line %d" % line
            key = lines[0]
            if not key or key in self.localities:
                self.problem(where, "empty or repeated key %r" % key)
            self.localities[key] = lines
            zero += lines[1] == "ZERO LOCATION"
            m = COORD_RE.match(lines[6])
            if not m:
                self.problem(where, "coordinates %r" % lines[6])
            elif abs(int(m.group(1))) > 90 * 6000 or abs(int(m.group(3))) > 180 * 6000:
                self.problem(where, "coordinates out of range %r" % lines[6])
            self.check_markup(where, lines[5])
        if zero != 1:
            self.problem("locality.txt", "%d ZERO LOCATION records" % zero)
        self.counts["localities"] = len(self.localities)

    def check_cds(self):
        self.cds = set()
        for lines, line in self.records("othermedia.txt", 5):
            if not lines[0].isdigit() or int(lines[0]) in self.cds:
                self.problem("othermedia.txt line %d" % line, "tape number %r" % lines[0])
            else:
                self.cds.add(int(lines[0]))
        self.counts["audio CDs"] = len(self.cds)

    def cd_value(self, where, text, keyword):
        i = text.find(keyword)
        if i < 0:
            self.problem(where, "no %r in %r" % (keyword, text))
            return 0
        window = text[i + len(keyword) + 1:i + len(keyword) + 6]
        after = text[i + len(keyword) + 6:i + len(keyword) + 7]
        if after not in ("", " "):
            self.problem(where, "%s value longer than five characters in %r" % (keyword, text))
        if not re.fullmatch(r"\d+(\.\d)? *", window):
            self.problem(where, "%s value %r" % (keyword, window))
        digits = re.sub(r"\D", "", window)
        return int(digits) if digits else 0

    def check_cut_parts(self):
        self.cut_parts = {}
        self.cd_spans = 0
        for lines, line in self.records("cutparts.txt", 9):
            where = "cutparts.txt line %d" % line
            key = lines[0]
            m = KEY_RE.match(key)
            if not m:
                self.problem(where, "key %r" % key)
            if key in self.cut_parts:
                self.problem(where, "key %r twice" % key)
            self.cut_parts[key] = lines
            if lines[1].startswith("CD"):
                self.cd_spans += 1
                track = self.cd_value(where, lines[1], "track")
                self.cd_value(where, lines[1], "offset")
                length = self.cd_value(where, lines[1], "length")
                if not 1 <= track <= 99 or length <= 0:
                    self.problem(where, "CD span %r" % lines[1])
                if m and int(m.group(1)) not in self.cds:
                    self.problem(where, "tape %s is no audio CD" % m.group(1))
                if lines[2]:
                    self.problem(where, "CD span with a length line")
            else:
                if not re.fullmatch(r"\d", lines[1]):
                    self.problem(where, "compression number %r" % lines[1])
                if not lines[2].isdigit():
                    self.problem(where, "sound file length %r" % lines[2])
            if lines[3] and not (re.fullmatch(r"\d{4}", lines[3]) and int(lines[3][:2]) < 24
                                 and int(lines[3][2:]) < 60):
                self.problem(where, "time %r" % lines[3])
            if lines[4] and not (re.fullmatch(r"\d{6}", lines[4]) and 1 <= int(lines[4][:2]) <= 31
                                 and 1 <= int(lines[4][2:4]) <= 12):
                self.problem(where, "date %r" % lines[4])
            if lines[5] not in self.localities:
                self.problem(where, "locality %r unknown" % lines[5])
            if lines[6] and lines[6] not in self.people:
                self.problem(where, "recordist %r unknown" % lines[6])
            self.check_markup(where, lines[7])
            self.check_markup(where, lines[8])
        self.counts["cut parts"] = len(self.cut_parts)
        self.counts["cut parts on audio CDs"] = self.cd_spans

    def subspecies_ref(self, where, sp, text):
        if not text:
            return
        name = text[:-4] if text.endswith(" (P)") else text
        if name not in sp["subspecies"]:
            self.problem(where, "subspecies %r not of %s" % (text, sp["sci"]))

    def check_items(self):
        name = "cupaitem.txt"
        due = []
        for n, (_sci, species) in enumerate(self.families, 1):
            s = 0
            for sp in species:
                if sp["C"]:
                    s += 1
                    due.append(("%d_%d" % (n, s), sp))
        sections = self.sections(name)
        found = [s[0] for s in sections]
        wanted = [d[0] for d in due]
        if found != wanted:
            first = next((i for i, (a, b) in enumerate(zip(found, wanted)) if a != b),
                         min(len(found), len(wanted)))
            self.problem(name, "sections do not match the species with flag C, in order: "
                         "section %d is %r, %r due" % (
                             first + 1, found[first] if first < len(found) else None,
                             wanted[first] if first < len(wanted) else None))
        due = dict(due)
        items = 0
        used = set()
        for section, lines, line in sections:
            where = "%s [%s] line %d" % (name, section, line)
            sp = due.get(section)
            if sp is None:
                continue
            if len(lines) > MAX_RECORD_LINES or len(lines) % 8 or not lines:
                self.problem(where, "%d lines" % len(lines))
            cuts = set()
            ssp_order = []
            for i in range(0, len(lines) - 7, 8):
                kind, number, ssp, text1, flags, text2a, text2b, cut = lines[i:i + 8]
                items += 1
                if not re.fullmatch(r"[A-Z]", kind):
                    self.problem(where, "type letter %r" % kind)
                if number not in ("", "?") and not number.isdigit():
                    self.problem(where, "number %r" % number)
                self.subspecies_ref(where, sp, ssp)
                if sp["E"]:
                    if not ssp:
                        self.problem(where, "item without subspecies in a species with flag E")
                    else:
                        ssp_order.append(sp["subspecies"].index(ssp.replace(" (P)", ""))
                                         if ssp.replace(" (P)", "") in sp["subspecies"] else 0)
                if not set(flags.split()) <= {"P", "X1"}:
                    self.problem(where, "flags %r" % flags)
                if i == 0 and "P" not in flags.split():
                    self.problem(where, "first item cannot be played")
                for text in (text1, text2a + text2b):
                    self.check_markup(where, text)
                if cut not in self.cut_parts:
                    self.problem(where, "cut part %r unknown" % cut)
                if cut in cuts:
                    self.problem(where, "cut part %r twice for one species" % cut)
                cuts.add(cut)
                used.add(cut)
            if ssp_order != sorted(ssp_order):
                self.problem(where, "items not grouped by subspecies")
        unused = set(self.cut_parts) - used
        if unused:
            self.problem(name, "%d cut parts without recording items, e.g. %s"
                         % (len(unused), sorted(unused)[:3]))
        self.counts["recording items"] = items
        self.counts["species with recordings"] = len(due)

    def check_big_pictures(self):
        count = 0
        for lines, line in self.records("big_pict.txt", 7):
            where = "big_pict.txt line %d" % line
            count += 1
            uid, ssp, photographer, value, locality, flags, caption = lines
            sp = self.species_by_uid.get(int(uid)) if uid.isdigit() else None
            if sp is None:
                self.problem(where, "species %r unknown" % uid)
            else:
                self.subspecies_ref(where, sp, ssp)
            if photographer and photographer not in self.people:
                self.problem(where, "photographer %r unknown" % photographer)
            if value and not value.isdigit():
                self.problem(where, "picture value %r" % value)
            if locality and locality not in self.localities:
                self.problem(where, "locality %r unknown" % locality)
            if not set(flags.split()) <= {"NSS", "X1"}:
                self.problem(where, "flags %r" % flags)
            self.check_markup(where, caption)
        self.counts["big pictures"] = count


def main(argv):
    if len(argv) < 2:
        print("usage: check_disc_references.py FOLDER [FOLDER ...]", file=sys.stderr)
        return 2
    failed = False
    for folder in argv[1:]:
        disc = Disc(folder)
        disc.check()
        print("%s: %s" % (folder, ", ".join("%s %d" % kv for kv in disc.counts.items())))
        for p in disc.problems[:50]:
            print("  " + p)
        if len(disc.problems) > 50:
            print("  ... %d problems in all" % len(disc.problems))
        failed = failed or bool(disc.problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
