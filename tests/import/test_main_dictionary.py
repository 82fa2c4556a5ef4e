"""The main dictionary's importer: its rules on small cases, and the shipped source
(data/main/norvel.xml.xz) against FreeDict's databases where they are installed."""
import collections
import lzma
import os
import sys
import unittest
import xml.etree.ElementTree as ET

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "scripts", "import"))
import main_dictionary as importer  # noqa: E402
import sources  # noqa: E402

DICTD = "/usr/share/dictd"
SHIPPED = os.path.join(ROOT, "data", "main", "norvel.xml.xz")


def entry(headword, *senses):
    return (headword, "", "", [list(s) for s in senses])


class Rules(unittest.TestCase):
    def test_a_headword_that_lost_its_phrase_is_a_stub(self):
        english = [entry("be", ["tacere"], ["essere"]), entry("quiet", ["tranquillo"])]
        italian = [entry("tacere", ["be quiet"]), entry("essere", ["be"]),
                   entry("tranquillo", ["quiet", "calm"])]
        self.assertEqual(importer.stub_pairs(english, italian), {("be", "tacere"): "be quiet"})
        self.assertEqual(importer.stub_pairs(italian, english), {})

    def test_a_repeated_headword_keeps_only_what_something_confirms(self):
        italian = [entry("per", ["for"]), entry("per", ["so to speak"]), entry("per", ["by"]),
                   entry("casa", ["home"])]
        evidence = collections.defaultdict(importer.Pair)
        evidence[("per", "for")].sources.add("fi")
        reverse = {("per", "by")}
        self.assertEqual(importer.repeated_unconfirmed(italian, evidence, reverse),
                         {("per", "so to speak")})

    def test_score_classes(self):
        cases = [  # sources, strongest, strongest of both, unique pivot word -> class
            ({"nv"}, False, False, False, "direct"),
            ({"fd", "fi"}, False, False, False, "direct"),
            ({"fd", "ca", "es"}, False, False, False, "direct"),
            ({"fd", "fr", "pt"}, False, False, False, "freedict"),
            ({"fd"}, True, True, True, "freedict"),
            ({"fi", "pl", "ca"}, False, False, False, "pivots"),
            ({"fi", "pl"}, True, False, False, "pivots"),
            ({"fi", "pl"}, False, False, False, None),
            ({"ca", "es"}, True, True, True, "pivot"),
            ({"fr", "pt"}, True, False, False, None),
            ({"fi"}, True, True, True, "pivot"),
            ({"fi"}, True, False, True, None),
            ({"fi"}, True, True, False, None),
        ]
        for srcs, strongest, both, unique, expected in cases:
            pair = importer.Pair()
            pair.sources = set(srcs)
            with self.subTest(sources=sorted(srcs), strongest=strongest, both=both, unique=unique):
                self.assertEqual(pair.score_class(strongest, both, unique), expected)

    def test_dictd_headword_lines(self):
        cases = [
            ("throne /[tɹoʊn]/ /[θɹoʊn]/ <n>", ("throne", "tɹoʊn", "n")),
            ("concedere //kon'ʧɛdere// <v>", ("concedere", "kon'ʧɛdere", "v")),
            ("caixa postal /kˈaɪʃɐ puʃtˈɑl/", ("caixa postal", "kˈaɪʃɐ puʃtˈɑl", "")),
            ("collection /kɔlɛksjɔ̃/ <n, fem>", ("collection", "kɔlɛksjɔ̃", "n")),
            ("a/b test", ("a/b test", "", "")),
        ]
        for line, expected in cases:
            with self.subTest(line=line):
                self.assertEqual(sources.split_head(line), expected)


def shipped_sides():
    """language -> headword key -> translation key -> (sources, shown as a translation,
    cross-reference) of the shipped source."""
    sides = {}
    with lzma.open(SHIPPED) as f:
        for _, language in ET.iterparse(f, events=("end",)):
            if language.tag != "language":
                continue
            side = collections.defaultdict(dict)
            for e in language.iter("entry"):
                items = side[importer.key(e.get("headword"))]
                translation = None
                for element in e.iter():  # a translation, then its sources
                    if element.tag in ("tr", "u"):
                        translation = element
                    elif element.tag == "src":
                        items[importer.key(translation.text)] = (
                            element.text.split(), translation.tag == "tr",
                            bool(translation.get("ref")))
            sides[language.get("code")] = side
    return sides


@unittest.skipUnless(os.path.exists(f"{DICTD}/freedict-eng-ita.index") and
                     os.path.exists(f"{DICTD}/freedict-ita-eng.index"),
                     "FreeDict's English-Italian databases are not installed")
class ShippedDictionary(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sides = shipped_sides()
        cls.english = sources.read_plain(DICTD, "freedict-eng-ita")
        cls.italian = sources.read_plain(DICTD, "freedict-ita-eng")
        cls.dropped = {}
        with open(os.path.join(ROOT, "data", "main", "dropped.tsv"), encoding="utf-8") as f:
            for line in f:
                if not line.startswith("#"):
                    italian, english, reason = line.rstrip("\n").split("\t")
                    cls.dropped[(italian, english)] = reason

    def freedict_pairs(self):
        """(side, headword key, translation key, (Italian, English)) of both databases."""
        for code, entries in (("en", self.english), ("it", self.italian)):
            for headword, _, t in sources.pairs_of(entries):
                if importer.usable(headword) and importer.usable(t):
                    h, t = importer.key(headword), importer.key(t)
                    yield code, h, t, (h, t) if code == "it" else (t, h)

    def test_every_freedict_pair_is_kept_or_left_out_with_a_reason(self):
        missing = [(code, h, t) for code, h, t, pair in self.freedict_pairs()
                   if t not in self.sides[code].get(h, {}) and pair not in self.dropped]
        self.assertEqual(missing[:10], [])
        self.assertLess(len(self.dropped), 1000)

    def test_a_translation_shown_in_one_direction_is_there_in_the_other(self):
        for code, other in (("it", "en"), ("en", "it")):
            for h, items in self.sides[code].items():
                for t, (_, shown, _) in items.items():
                    if shown and not self.sides[other].get(t, {}).get(h, (0, False))[1]:
                        self.fail(f"{code} {h} -> {t} is not shown the other way")

    def test_no_headword_is_a_stub_of_a_phrase_the_other_direction_holds_whole(self):
        stubs = [("en", h, t, phrase) for (h, t), phrase in
                 importer.stub_pairs(self.english, self.italian).items()]
        stubs += [("it", h, t, phrase) for (h, t), phrase in
                  importer.stub_pairs(self.italian, self.english).items()]
        self.assertGreater(len(stubs), 100)  # "be" -> "tacere" for "be quiet", and so on
        other = {"en": "it", "it": "en"}
        faults = []
        for code, h, t, phrase in stubs:
            # Not from FreeDict under the stub (another source may give the same pair)...
            if "FD" in self.sides[code].get(h, {}).get(t, ([], 0, 0))[0]:
                faults.append(("stub kept", code, h, t))
            # ...and the whole phrase is kept with the translation, unless left out itself.
            pair = (phrase, t) if code == "it" else (t, phrase)
            if pair not in self.dropped and phrase not in self.sides[other[code]].get(t, {}):
                faults.append(("phrase lost", code, phrase, t))
        self.assertEqual(faults[:10], [])

    def test_every_cross_reference_names_a_headword_of_the_other_side(self):
        for code, other in (("it", "en"), ("en", "it")):
            broken = [(h, t) for h, items in self.sides[code].items()
                      for t, (_, _, reference) in items.items()
                      if reference and t not in self.sides[other]]
            self.assertEqual(broken[:10], [], code)


if __name__ == "__main__":
    unittest.main()
