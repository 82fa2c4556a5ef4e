#!/usr/bin/env python3
"""Builds the multi-word units of the sample morphologies from the multi-word headwords of
the main dictionary (data/main/norvel.xml.xz): data/morph/it-units.tsv.xz and
data/morph/en-units.tsv.xz, compiled with the lexicons of scripts/import/apertium.py.

A unit is read in running text as one reading whose lemma is the headword, so that a click
on "per esempio" or "gave up" leads to its entry. A unit whose first word is a verb is
written in every form of that verb ("gave up", "giving up"; "fa causa", "facevano causa"),
with the verb form's description; the others in the headword's own form, described as the
phrase they are ("locuzione avverbiale", "noun phrase"). Verb forms hunspell does not know
(the stems of contractions, "wasn") are not written before a phrase. Left out: headwords with
characters other than letters, apostrophes, hyphens and blanks, and forms outside
Windows-1252.

Usage: scripts/import/units.py [DATA_FOLDER]
"""
import collections
import lzma
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sources  # noqa: E402
from apertium import fits  # noqa: E402

# The labels of the main dictionary's entries, back to the lexicon's categories.
CATEGORIES = {
    "it": {"s.": "n", "v.": "v", "agg.": "adj", "avv.": "adv", "prep.": "pre",
           "pron.": "pron", "cong.": "conj", "inter.": "inte"},
    "en": {"n.": "n", "v.": "v", "adj.": "adj", "adv.": "adv", "prep.": "pre",
           "pron.": "pron", "conj.": "conj", "interj.": "inte"},
}
DESCRIPTIONS = {
    "it": {"n": "locuzione sostantivale", "v": "locuzione verbale",
           "adj": "locuzione aggettivale", "adv": "locuzione avverbiale",
           "pre": "locuzione preposizionale", "pron": "locuzione pronominale",
           "conj": "locuzione congiuntiva", "inte": "locuzione interiettiva"},
    "en": {"n": "noun phrase", "v": "verb phrase", "adj": "adjective phrase",
           "adv": "adverbial phrase", "pre": "prepositional phrase",
           "pron": "pronoun phrase", "conj": "conjunctional phrase",
           "inte": "interjection"},
}
# Verb forms joined with a pronoun are not written before the rest of a phrase.
CLITIC = re.compile(r"enclitic|pronom|pronoun")


def multiword_headwords(dictionary, code):
    """(headword, category) of the language's entries of several words that hold a
    translation."""
    out = {}
    with lzma.open(dictionary) as f:
        for _, language in ET.iterparse(f, events=("end",)):
            if language.tag != "language" or language.get("code") != code:
                continue
            for entry in language.iter("entry"):
                headword = entry.get("headword")
                # Several words, or one joined by an apostrophe ("d'accordo").
                joined = re.search(r"\w'\w", headword)
                if not (entry.get("multiword") or joined) or entry.find(".//tr") is None:
                    continue
                labels = [p.text for p in entry.findall("pos")]
                categories = [CATEGORIES[code][l] for l in labels if l in CATEGORIES[code]]
                out.setdefault(headword, categories[0] if categories else "")
    return out


def verb_forms(lexicon):
    """verb lemma -> [(form, description)], the forms without a joined pronoun."""
    out = collections.defaultdict(list)
    for form, lemma, category, description in sources.lexicon_readings(lexicon):
        if category == "v" and not CLITIC.search(description) and " " not in form:
            out[lemma].append((form, description))
    return out


# Headwords that running text mostly writes as their plain words ("un giorno di pioggia",
# "a gift to her"): not read as units, so that their words keep their own entries.
COMPOSITIONAL = {
    "it": {"un giorno", "un tempo", "che ora", "in modo", "senza figlio", "non ci essere",
           "ogni anno", "ogni giorno", "di oggi", "da qui"},
    "en": {"of it", "of them", "to her", "to him", "the one", "there be no not", "old man",
           "very good", "very bad", "first person", "last time", "every day", "every year",
           "which one", "what time", "find again", "leave again", "be late"},
}

def real_words(code, verbs):
    """The verb forms hunspell knows, where it is installed (else all of them): a verb form
    written before the rest of a phrase is a word of its own, not the stem of a contraction
    ("wasn" of "wasn't")."""
    forms = sorted({form for readings in verbs.values() for form, _ in readings})
    try:
        return set(forms) - sources.hunspell_unknown(code, forms)
    except (OSError, subprocess.CalledProcessError):
        return set(forms)


# An Italian phrase ending in a preposition is also written with the preposition joined to
# the article ("a causa del vento").
ARTICULATED = {
    "di": ["del", "dello", "della", "dei", "degli", "delle", "dell'"],
    "a": ["al", "allo", "alla", "ai", "agli", "alle", "all'"],
    "da": ["dal", "dallo", "dalla", "dai", "dagli", "dalle", "dall'"],
    "in": ["nel", "nello", "nella", "nei", "negli", "nelle", "nell'"],
    "su": ["sul", "sullo", "sulla", "sui", "sugli", "sulle", "sull'"],
}


def with_articles(code, form):
    yield form
    start, _, last = form.rpartition(" ")
    if code == "it" and start:
        for joined in ARTICULATED.get(last, ()):
            yield f"{start} {joined}"


def unit_readings(code, headwords, verbs):
    for headword, category in sorted(headwords.items()):
        if not re.fullmatch(r"[^\W\d_]+(?:['\- ][^\W\d_]+)*'?", headword) or not fits(headword):
            continue
        if headword in COMPOSITIONAL[code]:
            continue
        first, _, rest = headword.partition(" ")
        if rest and category in ("", "v") and first in verbs:
            for form, description in verbs[first]:
                for written in with_articles(code, f"{form} {rest}"):
                    yield written, headword, "v", description
        else:
            category = category or "n"
            for written in with_articles(code, headword):
                yield written, headword, category, DESCRIPTIONS[code][category]


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else "data"
    for code in ("it", "en"):
        headwords = multiword_headwords(os.path.join(data, "main", "norvel.xml.xz"), code)
        verbs = verb_forms(os.path.join(data, "morph", f"{code}.tsv.xz"))
        words = real_words(code, verbs)
        verbs = {lemma: [(f, d) for f, d in readings if f in words]
                 for lemma, readings in verbs.items()}
        lines = sorted({"\t".join(r) + "\n" for r in unit_readings(code, headwords, verbs)
                        if fits(r[0])})
        units = {line.split("\t")[1] for line in lines}
        with lzma.open(os.path.join(data, "morph", f"{code}-units.tsv.xz"), "wt",
                       encoding="utf-8") as f:
            f.write("# Multi-word units from the main dictionary's headwords, written by"
                    " scripts/import/units.py.\n")
            f.writelines(lines)
        print(f"{code}: {len(units)} units, {len(lines)} readings")


if __name__ == "__main__":
    main()
