"""The importer of the spelling dictionaries' words: its rules on small cases, and the
shipped files against the lexicons they complete."""
import lzma
import os
import sys
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
sys.path.insert(0, os.path.join(ROOT, "scripts", "import"))
import spelling  # noqa: E402

DATA = os.path.join(ROOT, "data")


class EnglishRules(unittest.TestCase):
    LEMMAS = {"n": {"hitchhiker", "folk", "folks", "box", "city"},
              "v": {"stop", "bake", "carry", "lie", "panic"},
              "adj": {"happy", "big"}, "adv": {"someday"}}
    EXCEPTIONS = {"n": {}, "v": {"lying": {"lie"}}, "adj": {}, "adv": {}}

    def readings(self, form, stems=()):
        return {(r[1], r[2], r[3]) for r in spelling.english_common_readings(
            form, {form: set(stems)}, self.LEMMAS, self.EXCEPTIONS)}

    def test_a_form_is_read_by_what_it_is_of_its_lemma(self):
        for form, expected in [
            ("hitchhikers", {("hitchhiker", "n", "noun plural")}),
            ("boxes", {("box", "n", "noun plural")}),
            ("cities", {("city", "n", "noun plural")}),
            ("stopped", {("stop", "v", "verb past tense"), ("stop", "v", "verb past participle")}),
            ("baking", {("bake", "v", "verb -ing form")}),
            ("carries", {("carry", "v", "verb present third person singular")}),
            ("panicked", {("panic", "v", "verb past tense"),
                          ("panic", "v", "verb past participle")}),
            ("happier", {("happy", "adj", "adjective comparative")}),
            ("biggest", {("big", "adj", "adjective superlative")}),
            ("lying", {("lie", "v", "verb -ing form")}),
            ("someday", {("someday", "adv", "adverb")}),
            # Both a lemma of its own and the plural of another.
            ("folks", {("folks", "n", "noun singular"), ("folk", "n", "noun plural")}),
            ("ought", {("ought", "v", "modal verb present")}),
            ("gotta", {("gotta", spelling.NONE, "word")}),
        ]:
            self.assertEqual(self.readings(form), expected, form)

    def test_a_stem_is_taken_only_where_the_ending_is_an_inflection_of_it(self):
        # hunspell finds "stop" in "stopper" and "bake" in "bakery": no verb forms.
        self.assertEqual(self.readings("stopper", ["stop"]),
                         {("stopper", spelling.NONE, "word")})
        self.assertEqual(self.readings("bakery", ["bake"]), {("bakery", spelling.NONE, "word")})


class ItalianRules(unittest.TestCase):
    AFF = ("SFX O N 3\nSFX O o i [^igc]o\nSFX O o hi [gc]o\nSFX O o 0 io\n"
           "SFX Q N 2\nSFX Q a e [^gc]a\nSFX Q a he [gc]a\n"
           "SFX R N 1\nSFX R a i a\n"
           "SFX o Y 3\nSFX o o i [^igc]o\nSFX o o a o\nSFX o o e [^gc]o\n")

    def setUp(self):
        with tempfile.NamedTemporaryFile("w", suffix=".aff", delete=False) as f:
            f.write(self.AFF)
        self.addCleanup(os.unlink, f.name)
        self.rules = spelling.suffix_rules(f.name, set("OQRo"))

    def readings(self, root, flags):
        return sorted(r[0] + ":" + r[3] for r in spelling.italian_root_readings(
            root, flags, self.rules))

    def test_a_root_is_inflected_by_its_flags(self):
        self.assertEqual(self.readings("barista", "QR"), [
            "barista:sostantivo femminile singolare", "barista:sostantivo singolare",
            "bariste:sostantivo femminile plurale", "baristi:sostantivo maschile plurale"])
        self.assertEqual(self.readings("lago", "O"), [
            "laghi:sostantivo maschile plurale", "lago:sostantivo maschile singolare"])
        self.assertEqual(self.readings("bistondo", "o"), [
            "bistonda:aggettivo femminile singolare", "bistonde:aggettivo femminile plurale",
            "bistondi:aggettivo maschile plurale", "bistondo:aggettivo maschile singolare"])

    def test_a_flag_whose_rules_do_not_fit_the_root_gives_nothing(self):
        # O inflects words in -o; on "cicciona" it says nothing about the gender.
        self.assertEqual(self.readings("cicciona", "OQ"), [
            "cicciona:sostantivo femminile singolare", "ciccione:sostantivo femminile plurale"])

    def test_other_roots_are_infinitives_or_words(self):
        self.assertEqual(self.readings("sparacchiare", "ALK"), [
            "sparacchiare:verbo infinito"])
        self.assertEqual(self.readings("stanotte", ""), ["stanotte:parola"])


class ShippedFiles(unittest.TestCase):
    def test_no_form_of_the_lexicons_gains_a_reading(self):
        for language in ("it", "en"):
            known = spelling.known_forms(DATA, language)
            path = os.path.join(DATA, "morph", f"{language}-spelling.tsv.xz")
            with lzma.open(path, "rt", encoding="utf-8") as f:
                lines = [line.rstrip("\n").split("\t") for line in f if not line.startswith("#")]
            self.assertTrue(lines)
            for fields in lines:
                self.assertEqual(len(fields), 4, fields)
                self.assertNotIn(fields[0].lower(), known, fields)


if __name__ == "__main__":
    unittest.main()
