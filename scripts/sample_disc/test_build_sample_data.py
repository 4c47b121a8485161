#!/usr/bin/env python3
"""Tests of the sample edition builder.

Run: python3 -m unittest discover -s scripts/sample_disc -p 'test_*.py'
"""

import re
import sys
import tempfile
import unittest
from pathlib import Path
from types import SimpleNamespace

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent))

import build_sample_data as builder  # noqa: E402
import check_disc_references  # noqa: E402
import sample_data  # noqa: E402
from sample_data import Family, Species, heard, pic, rec  # noqa: E402


def records(path):
    """Records of a written data file, continuation lines joined."""
    out = []
    for line in path.read_bytes().decode("cp1252").split("\r\n"):
        if line.startswith("@#["):
            out.append([])
        elif line.startswith("#*&"):
            out[-1][-1] += line[3:]
        elif out:
            out[-1].append(line)
    return out


class CdIdentity(unittest.TestCase):
    def test_three_short_tracks(self):
        spans = [(1, 0, 100), (2, 0, 80), (3, 5, 120)]
        self.assertEqual(builder.cd_identity(spans), "3;2;22;42")

    def test_track_length_from_last_span_end_rounded_up(self):
        # track 1 ends at 25.3 s: 26 + 3 = 29 s; track 2 has no span: 20 s
        spans = [(1, 0, 120), (1, 133, 120), (3, 0, 90)]
        self.assertEqual(builder.cd_identity(spans), "3;2;31;51")

    def test_only_first_25_track_starts(self):
        spans = [(30, 0, 100)]
        ident = builder.cd_identity(spans).split(";")
        self.assertEqual(ident[0], "30")
        self.assertEqual(len(ident), 26)
        self.assertEqual(ident[-1], str(2 + 24 * 20))

    def test_spans_of_a_track_do_not_overlap(self):
        placed = builder.lay_out_track([120, 80, 300, 95], 2)
        for (o1, l1), (o2, _l2) in zip(placed, placed[1:]):
            self.assertGreaterEqual(o2 - (o1 + l1), 10)
            self.assertLessEqual(o2 - (o1 + l1), 20)


def tiny_description(**changes):
    """A two-family description; family 9 checks that sound tapes skip 9 and 10."""
    filler = [Family("Fam%didae" % n, "FAM%s" % chr(64 + n), "Filler %d" % n, [
        Species("Genus%d one" % n, "Bird %d" % n, areas="IN", text="x", range_text="y")])
        for n in range(2, 9)]
    jocosus = Species(
        "Pycnonotus jocosus", "Red-whiskered Bulbul", areas="TH IN", letters="SE",
        subspecies="jocosus pattani", text="t", range_text="r", author=1,
        maps=[("Solvara", "mask main")],
        recordings=[
            rec("X", "Song", "HERE", "J. Tamrek", "1995-03-12", "05:45", cd=(9, 2, 12.0),
                ssp="pattani", name="dawn"),
            rec("A", "Calls", "HERE", "K. Orvin", "1990-01-02", file=10, ssp="jocosus (P)"),
            rec("B", "More", "HERE", "K. Orvin", "1990-01-02", file=4, ssp="jocosus",
                part_of_previous=True, play=False),
        ],
        pictures=[pic("Adult", "A. Vandrel", "1996-03-14", "HERE", ssp="pattani (P)", flags="X1")])
    cafer = Species(
        "Pycnonotus cafer", "Red-vented Bulbul", areas="IN", text="t", range_text="r",
        recordings=[rec("X", "Song", "HERE", "K. Orvin", "2019-12-31", cd=(10, 1, 9.0)),
                    heard("dawn", "B", "Calls")])
    d = SimpleNamespace(
        MAPS=[("Solvara", 1, (60.0, 135.0, 36.0, -11.0))],
        PEOPLE=[("J. Tamrek", "", ""), ("A. Vandrel", "", ""), ("K. Orvin", "", ""),
                ("M. Callowden", "", "")],
        LOCALITIES=[("HERE", "Here", "", "", "", "", (1, 2, "S"), (3, 4, "E"), ""),
                    ("ZERO", "ZERO LOCATION", "", "", "", "", (0, 0, "N"), (0, 0, "E"), "")],
        AUDIO_CDS={9: ("A long enough name for the first audio CD: calls",
                       "A long enough name for the first audio CD"),
                   10: ("A long enough name for the second audio CD: songs",
                        "A long enough name for the second audio CD")},
        AUDIO_CD_WEB="https://www.example.org/cd%d",
        FAMILIES=[Family("Pycnonotidae", "PYCNONOT", "Bulbuls", [jocosus, cafer])] + filler
        + [Family("Sturnidae", "STURNIDA", "Starlings", [
            Species("Acridotheres tristis", "Common Myna", areas="IN", text="t",
                    range_text="r",
                    recordings=[rec("X", "Song", "HERE", "K. Orvin", "2000-01-01",
                                    file=30)])])])
    for key, value in changes.items():
        setattr(d, key, value)
    return d


class TinyDescription(unittest.TestCase):
    def setUp(self):
        self.model, self.identities = builder.build_model(tiny_description())
        self.cuts = {c["key"]: c for c in self.model["cut_parts"]}

    def test_keys_tapes_and_sub_letters(self):
        self.assertEqual(sorted(self.cuts), ["10A001", "11A001", "1A001", "1A001b", "9A001"])
        self.assertEqual(self.cuts["1A001b"]["seconds"], 4)
        self.assertEqual(self.cuts["9A001"]["cd"], (2, 5, 120, False))

    def test_items_grouped_by_subspecies_and_shared_recording(self):
        jocosus = self.model["items"][2101]
        self.assertEqual([(it["ssp"], it["ssp_p"], it["cut"]) for it in jocosus],
                         [("jocosus", True, "1A001"), ("jocosus", False, "1A001b"),
                          ("pattani", False, "9A001")])
        self.assertEqual(self.model["items"][2102][1]["cut"], "9A001")

    def test_identities_and_dates(self):
        self.assertEqual(self.identities, {9: "2;2;22", 10: "1;2"})
        self.assertEqual(self.cuts["10A001"]["date"], "311219")
        self.assertEqual(self.model["big_pictures"][0]["value"], "140396")

    def test_mistakes_in_the_description_are_refused(self):
        def broken(mutate):
            d = tiny_description()
            mutate(d)
            with self.assertRaises(builder.DescriptionError):
                builder.build_model(d)

        broken(lambda d: d.FAMILIES[0].species[0].recordings[0].update(place="NOWHERE"))
        broken(lambda d: d.FAMILIES[0].species[0].recordings[1].update(ssp=None))  # flag E
        broken(lambda d: d.FAMILIES[0].species[0].recordings[0].update(date="1984-05-05"))
        broken(lambda d: d.FAMILIES[0].species[0].recordings[1].update(file=31))
        broken(lambda d: d.FAMILIES[0].species[1].recordings[0].update(cd=(10, 1, 7.5)))
        broken(lambda d: d.FAMILIES[0].species[1].recordings[1].update(name="dusk"))
        broken(lambda d: setattr(d.FAMILIES[0].species[1], "maps", [("Solvara", "mask")]))
        broken(lambda d: d.FAMILIES[0].species[1].recordings[0].update(play=False))
        broken(lambda d: d.PEOPLE.append(("Ferrand, L.", "Lise Ferrand", "")))
        broken(lambda d: setattr(d, "LOCALITIES", [("HERE", "Here", "", "", "", "", (1, 2),
                                                    (3, 4, "E"), "")]))
        broken(lambda d: setattr(d, "LOCALITIES", [("HERE", "Here", "", "", "", "", (1, 2, "E"),
                                                    (3, 4, "E"), "")]))
        broken(lambda d: d.AUDIO_CDS.update(
            {9: ("Songs of the region, CD 1", "A long enough name for the first audio CD")}))


class SampleEdition(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = Path(cls.tmp.name) / "one"
        again = Path(cls.tmp.name) / "two"
        for folder in (cls.out, again):
            model, _ = builder.build_model()
            builder.writer.write_disc(folder, model, product_file=False)
        cls.same = all((cls.out / f.name).read_bytes() == f.read_bytes()
                       for f in again.iterdir())
        (cls.out / "PROGR_NM.TXT").write_bytes(b"1061\r\n")

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_two_runs_give_the_same_bytes(self):
        self.assertTrue(self.same)
        self.assertEqual(len(list(self.out.iterdir())), 10)

    def test_reference_checker_passes(self):
        disc = check_disc_references.Disc(self.out)
        disc.check()
        self.assertEqual(disc.problems, [])

    def test_written_cd_spans_and_identities(self):
        spans = {}
        for r in records(self.out / "cutparts.txt"):
            if r[1].startswith("CD"):
                m = re.fullmatch(r"CD track:(\d\d)   +offset:(\d{5}) length:(\d{5})", r[1])
                self.assertIsNotNone(m, r[1])
                tape = int(re.match(r"\d+", r[0]).group())
                spans.setdefault(tape, []).append(tuple(int(g) for g in m.groups()))
        self.assertEqual(sorted(spans), [9, 10])
        for r in records(self.out / "othermedia.txt"):
            tape_spans = spans[int(r[0])]
            self.assertEqual(r[3], builder.cd_identity(tape_spans))
            self.assertLessEqual(max(t for t, _o, _l in tape_spans), 12)
            self.assertLessEqual(builder.disc_seconds(tape_spans), 360)
            self.assertTrue(all(80 <= length <= 300 for _t, _o, length in tape_spans))
            for track in {t for t, _o, _l in tape_spans}:
                on_track = sorted((o, l) for t, o, l in tape_spans if t == track)
                for (o1, l1), (o2, _l2) in zip(on_track, on_track[1:]):
                    self.assertGreaterEqual(o2 - (o1 + l1), 10)

    def test_places_read_back_with_their_hemisphere(self):
        # As the program reads each group: a signed number in hundredths of an
        # arc minute, south and west negative.
        written = {r[0]: (int(r[6][0:8]), int(r[6][9:17]))
                   for r in records(self.out / "locality.txt")}
        for place in sample_data.LOCALITIES:
            key, lat, lon = place[0], place[6], place[7]
            expected = tuple((d * 6000 + m * 100) * (-1 if h in "SW" else 1)
                             for d, m, h in (lat, lon))
            self.assertEqual(written[key], expected, key)
        self.assertLess(written["WAY KAMBAS"][0], 0)

    def test_sound_files(self):
        files = [r for r in records(self.out / "cutparts.txt") if not r[1].startswith("CD")]
        self.assertEqual({int(r[1]) for r in files}, set(range(10)))
        self.assertTrue(all(4 <= int(r[2]) <= 30 for r in files))
        self.assertFalse(any(r[0].startswith(("9", "10")) for r in files))


if __name__ == "__main__":
    unittest.main()
