#!/usr/bin/env python3
"""Builds the words the sample morphologies take from the spelling dictionaries:
data/morph/en-spelling.tsv.xz and data/morph/it-spelling.tsv.xz, compiled with the
lexicons of scripts/import/apertium.py. Apertium's analysers leave out many words a reader
meets: plain ones ("ought", "beware", "someday", "folks"), names ("Bierce", "Mencken") and
the vocabulary of computing ("Perl", "COBOL"). Only forms the lexicon does not hold at all
are written, so no word the analysers know gains or changes a reading.

English: every form of hunspell's en_US dictionary (expanded with unmunch, hunspell-tools)
but possessives. A form written only with a capital is a proper noun, one written only in
capitals an abbreviation. The others get their lemma and part of speech from WordNet
(wordnet-base): the form itself where WordNet lists it, else its base in WordNet's
exception lists ("lying" -> "lie") or a stem (hunspell's, or by WordNet's detachment
rules) of which it is a regular inflection ("hitchhikers" -> "hitchhiker"). A form WordNet
does not explain ("gotta", "uh") is a word of no part of speech.

Italian: the roots of hunspell's it_IT dictionary: names ("Brianza", "Benigni"), nouns and
adjectives with the forms their number and gender flags make ("barista", "baristi"),
infinitives, and the other roots as words of no part of speech ("beh", "stanotte"); and
English words quoted in Italian text ("the", "of", "computer" in a title or a signature):
the forms of the commonest English lemmas that hunspell knows as English and that are no
Italian form, read as "parola inglese" with their English lemma and no part of speech, so
that guessing the language of a text does not count them.

Usage: scripts/import/spelling.py [DATA_FOLDER]
"""
import collections
import lzma
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sources  # noqa: E402
from apertium import fits  # noqa: E402

HUNSPELL = "/usr/share/hunspell"
# The lexicon's category of a reading with no part of speech.
NONE = "undefined"

# How many of the commonest English lemmas Italian text may quote.
QUOTED_LEMMAS = 3000
QUOTED = "parola inglese"
# The pieces of English contractions the analysis reads apart ("we'll"): no words quoted
# on their own.
CONTRACTED = {"ll", "ve", "re", "s", "t", "d", "m", "didn", "won"}

BASE = {"n": "noun singular", "v": "verb base form", "adj": "adjective", "adv": "adverb"}
# Words neither WordNet nor hunspell explain.
MANUAL = {"ought": ("ought", "ought", "v", "modal verb present")}
CONSONANTS = set("bcdfghjklmnpqrstvwxz")


def regular_forms(base, pos):
    """form -> descriptions of the regular inflections of a lemma of a part of speech, with
    their spelling changes ("carry" -> "carries", "stop" -> "stopped", "bake" -> "baking")."""
    stems = {base}
    if len(base) > 2 and base[-1] in CONSONANTS and base[-2] in "aeiou" and \
            base[-3] in CONSONANTS:
        stems.add(base + base[-1])  # doubled before a vowel: "stopped", "bigger"
    if base.endswith("c"):
        stems.add(base + "k")  # "panicked"
    drop_e = base[:-1] if base.endswith("e") else None
    y_to_i = base[:-1] + "i" if base.endswith("y") and base[-2:-1] in CONSONANTS else None
    forms = collections.defaultdict(list)

    def add(ending, description, after=stems):
        for stem in after:
            forms[stem + ending].append(description)

    if pos == "n":
        add("s", "noun plural", {base})
        add("es", "noun plural", {base})
        if y_to_i:
            add("es", "noun plural", {y_to_i})
    elif pos == "v":
        for ending in ("s", "es"):
            add(ending, "verb present third person singular", {base})
        if y_to_i:
            add("es", "verb present third person singular", {y_to_i})
        add("ing", "verb -ing form", stems | ({drop_e} if drop_e else set()))
        if base.endswith("ie"):
            add("ying", "verb -ing form", {base[:-2]})
        for ending in ("ed",):
            for description in ("verb past tense", "verb past participle"):
                add(ending, description, stems | ({drop_e} if drop_e else set()) |
                    ({y_to_i} if y_to_i else set()))
    elif pos == "adj":
        for ending, description in (("er", "adjective comparative"),
                                    ("est", "adjective superlative")):
            add(ending, description, stems | ({drop_e} if drop_e else set()) |
                ({y_to_i} if y_to_i else set()))
    return forms


# WordNet's detachment rules (with the y of "carried", "happier"): the endings of regular
# inflections and what replaces them.
DETACHMENTS = [("s", ""), ("ses", "s"), ("xes", "x"), ("zes", "z"), ("ches", "ch"),
               ("shes", "sh"), ("ies", "y"), ("es", "e"), ("es", ""), ("ed", "e"), ("ed", ""),
               ("ing", "e"), ("ing", ""), ("er", ""), ("est", ""), ("er", "e"), ("est", "e"),
               ("ied", "y"), ("ier", "y"), ("iest", "y")]


def detached(form):
    """The bases a form may be a regular inflection of ("hitchhikers" -> "hitchhiker",
    "stopped" -> "stop"); regular_forms tells which really are."""
    bases = set()
    for ending, replacement in DETACHMENTS:
        if form.endswith(ending) and len(form) > len(ending) + 1:
            base = form[:-len(ending)] + replacement
            bases.add(base)
            if not replacement and len(base) > 2 and base[-1] == base[-2]:
                bases.add(base[:-1])  # a doubled consonant
            if not replacement and base.endswith("ck"):
                bases.add(base[:-1])  # "panicked"
    return bases


def irregular_description(form, pos):
    """The reading of an irregular form WordNet's exception lists give."""
    if pos == "n":
        return ["noun plural"]
    if pos == "v" and form.endswith("ing"):
        return ["verb -ing form"]
    if pos == "v":
        return ["verb past tense", "verb past participle"]
    if pos == "adj":
        return ["adjective superlative" if form.endswith("st") else "adjective comparative"]
    return ["adverb"]


def known_forms(data, language):
    """Every form of the lexicon and its units in small letters."""
    morph = os.path.join(data, "morph")
    return {reading[0].lower()
            for name in (f"{language}.tsv.xz", f"{language}-units.tsv.xz")
            for reading in sources.lexicon_readings(os.path.join(morph, name))}


def is_plain_word(form):
    """Letters (a hyphen between them allowed) the lexicon's code page holds."""
    return (len(form) > 1 and fits(form) and form.replace("-", "").isalpha()
            and not form.startswith("-") and not form.endswith("-"))


def spelling_forms(dictionary):
    """Every form hunspell's dictionary accepts without compounding, expanded by unmunch."""
    out = subprocess.run(["unmunch", f"{HUNSPELL}/{dictionary}.dic",
                          f"{HUNSPELL}/{dictionary}.aff"], capture_output=True, check=True)
    return [line.strip() for line in out.stdout.decode("utf-8", "replace").splitlines()]


def hunspell_stems(dictionary, forms):
    """form -> the stems hunspell finds for it."""
    out = subprocess.run(["hunspell", "-d", dictionary, "-s"], input="\n".join(forms),
                         capture_output=True, text=True, check=True).stdout
    stems = collections.defaultdict(set)
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 2:
            stems[parts[0]].add(parts[1])
    return stems


def read_wordnet():
    """(lemmas per part of speech, exceptions per part of speech: form -> bases)."""
    lemmas = sources.wordnet_lemmas()
    if not lemmas:
        sys.exit(f"WordNet is not installed in {sources.WORDNET} (apt-get install wordnet-base)")
    exceptions = {}
    for name, pos in sources.WORDNET_POS.items():
        exceptions[pos] = collections.defaultdict(set)
        with open(f"{sources.WORDNET}/{name}.exc", encoding="latin-1") as f:
            for line in f:
                form, *bases = line.split()
                exceptions[pos][form].update(bases)
    return lemmas, exceptions


def english_common_readings(form, stems, lemmas, exceptions):
    """(form, lemma, category, description) of a form written in small letters: as a lemma
    of its own, an irregular form WordNet lists, or a regular inflection of a stem."""
    found = []
    for pos in sources.WORDNET_POS.values():
        if form in lemmas[pos]:
            found.append((form, form, pos, BASE[pos]))
        for base in sorted(b for b in exceptions[pos].get(form, ()) if b in lemmas[pos]):
            found += [(form, base, pos, d) for d in irregular_description(form, pos)]
        for stem in sorted(stems.get(form, set()) | detached(form)):
            if stem != form and stem in lemmas[pos]:
                found += [(form, stem, pos, d) for d in regular_forms(stem, pos).get(form, ())]
    if found:
        return sorted(set(found))
    # A form WordNet does not explain: an "-ing" or "-ed" of a stem hunspell finds is a verb
    # form ("recalculating"), a plural a word of that stem ("megapixels"); an "-er" may be
    # an agent noun ("stopper"), no comparative.
    for stem in sorted(stems.get(form, ())):
        verb = [(form, stem, "v", d) for d in regular_forms(stem, "v").get(form, ())
                if "third person" not in d]
        if stem != form and verb:
            return verb
    for stem in sorted(stems.get(form, ())):
        if stem != form and form in regular_forms(stem, "n"):
            return [(form, stem, NONE, "word")]
    return [MANUAL.get(form, (form, form, NONE, "word"))]


def lexicon_lemmas(data, language):
    """The lemmas of the lexicon per part of speech."""
    lemmas = collections.defaultdict(set)
    path = os.path.join(data, "morph", f"{language}.tsv.xz")
    for _, lemma, category, _ in sources.lexicon_readings(path):
        if category in BASE:
            lemmas[category].add(lemma)
    return lemmas


def english_readings(data):
    known = known_forms(data, "en")
    spellings = collections.defaultdict(set)
    for form in spelling_forms("en_US"):
        if is_plain_word(form) and form.lower() not in known:
            spellings[form.lower()].add(form)
    common = sorted(key for key, written in spellings.items() if key in written)
    stems = hunspell_stems("en_US", common)
    lemmas, exceptions = read_wordnet()
    for pos, known_lemmas in lexicon_lemmas(data, "en").items():
        lemmas[pos] |= known_lemmas
    readings = set()
    for key, written in spellings.items():
        if key in written:
            readings.update(english_common_readings(key, stems, lemmas, exceptions))
            continue
        for form in written:
            if form.isupper():
                readings.add((form, form, "abbr", "abbreviation"))
            else:
                readings.add((form, form, "n", "proper noun singular"))
    return readings


# The suffix flags of hunspell's it_IT dictionary that inflect a noun or an adjective for
# number and gender, with the descriptions of the forms they make: the root's own and the
# others by their ending. The other flags join clitics ("sparacchiarlo"), elide an article
# ("l'anemofilo") or conjugate a verb, which these readings do not take.
ITALIAN_NOUN_FLAGS = {
    "O": ("sostantivo maschile singolare", {"": "sostantivo maschile plurale"}),
    "R": ("sostantivo singolare", {"": "sostantivo maschile plurale"}),  # "problema", "barista"
    "Q": ("sostantivo femminile singolare", {"": "sostantivo femminile plurale"}),
    "S": ("sostantivo singolare", {"": "sostantivo plurale"}),
}
ITALIAN_ADJECTIVE_FLAGS = {
    "o": ("aggettivo maschile singolare",
          {"i": "aggettivo maschile plurale", "a": "aggettivo femminile singolare",
           "e": "aggettivo femminile plurale"}),
    "p": ("aggettivo maschile singolare",
          {"i": "aggettivo maschile plurale", "a": "aggettivo femminile singolare",
           "e": "aggettivo femminile plurale"}),
    "y": (None, {"o": "aggettivo superlativo maschile singolare",
                 "a": "aggettivo superlativo femminile singolare",
                 "e": "aggettivo superlativo femminile plurale",
                 "i": "aggettivo superlativo maschile plurale"}),
}
ITALIAN_VERB_ENDINGS = ("are", "ere", "ire", "rre")


def suffix_rules(aff_path, flags):
    """flag -> [(strip, add, condition)] of the aff file's suffix rules for those flags."""
    rules = collections.defaultdict(list)
    with open(aff_path, encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 5 and fields[0] == "SFX" and fields[1] in flags:
                strip = "" if fields[2] == "0" else fields[2]
                add = "" if fields[3] == "0" else fields[3].split("/")[0]
                rules[fields[1]].append((strip, add, re.compile(f"(?:{fields[4]})$")))
    return rules


def italian_root_readings(root, flags, rules):
    """(form, lemma, category, description) of a root of hunspell's dictionary: its noun or
    adjective forms by its flags, an infinitive, or a word of no part of speech."""
    found = []
    for table, category in ((ITALIAN_NOUN_FLAGS, "n"), (ITALIAN_ADJECTIVE_FLAGS, "adj")):
        for flag in flags:
            if flag not in table:
                continue
            own, by_ending = table[flag]
            matching = [r for r in rules[flag] if r[2].search(root)]
            if own and matching:
                found.append((root, root, category, own))
            for strip, add, _ in matching:
                form = root[:len(root) - len(strip)] + add
                ending = next((e for e in sorted(by_ending, key=len, reverse=True)
                               if form.endswith(e)), None)
                if form != root and ending is not None:
                    found.append((form, root, category, by_ending[ending]))
    if not found and root.endswith(ITALIAN_VERB_ENDINGS) and flags:
        found.append((root, root, "v", "verbo infinito"))
    return found or [(root, root, NONE, "parola")]


def italian_readings(known):
    """The names and the words of hunspell's Italian dictionary the lexicon does not know
    (known: its forms in small letters)."""
    aff = f"{HUNSPELL}/it_IT.aff"
    rules = suffix_rules(aff, set(ITALIAN_NOUN_FLAGS) | set(ITALIAN_ADJECTIVE_FLAGS))
    readings = set()
    with open(f"{HUNSPELL}/it_IT.dic", encoding="utf-8") as f:
        for line in f:
            root, _, flags = line.strip().partition("/")
            if not is_plain_word(root) or root.lower() in known or root.isupper():
                continue
            if root[:1].isupper():
                readings.add((root, root, "n", "nome proprio"))
            else:
                readings.update(r for r in italian_root_readings(root, flags, rules)
                                if is_plain_word(r[0]) and r[0].lower() not in known)
    return readings


def commonest_english(morph):
    with lzma.open(os.path.join(morph, "en-freq.tsv.xz"), "rt", encoding="utf-8") as f:
        lemmas = [line.split("\t")[0] for line in f if not line.startswith("#")]
    return set(lemmas[:QUOTED_LEMMAS])


def quoted_english(data, italian):
    """English words quoted in Italian text: the forms of the commonest English lemmas
    (italian: the Italian forms in small letters, which no English reading joins)."""
    morph = os.path.join(data, "morph")
    common = commonest_english(morph)
    readings = {(form, lemma, NONE, QUOTED)
                for form, lemma, _, _ in sources.lexicon_readings(os.path.join(morph, "en.tsv.xz"))
                if lemma in common and is_plain_word(form) and form.lower() not in italian
                and form not in CONTRACTED and not lemma[:1].isupper()}
    unknown = sources.hunspell_unknown("en", sorted({r[0] for r in readings}))
    return {r for r in readings if r[0] not in unknown}


def write(data, language, readings):
    path = os.path.join(data, "morph", f"{language}-spelling.tsv.xz")
    body = ("# Words from the spelling dictionaries, written by scripts/import/spelling.py.\n" +
            "".join("\t".join(r) + "\n" for r in sorted(readings)))
    with lzma.open(path, "wt", encoding="utf-8", preset=9) as f:
        f.write(body)
    kinds = collections.Counter(r[3] for r in readings)
    print(f"{language}: {len(readings)} readings of {len({r[0] for r in readings})} forms;"
          f" commonest descriptions {kinds.most_common(6)}")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else "data"
    write(data, "en", english_readings(data))
    italian = known_forms(data, "it")
    words = italian_readings(italian)
    quoted = quoted_english(data, italian | {w[0].lower() for w in words})
    write(data, "it", words | quoted)


if __name__ == "__main__":
    main()
