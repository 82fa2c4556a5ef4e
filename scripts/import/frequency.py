#!/usr/bin/env python3
"""Derives how common each lemma of the sample morphologies is from open text in Debian:
data/morph/it-freq.tsv.xz and data/morph/en-freq.tsv.xz, one "lemma<TAB>count" line per
lemma, commonest first. The morphology compiler turns the list into ranks, and the
sentence analysis lists the readings of a word with the commoner lemma first ("le": the
article "il" before the pronoun "gli"; "running": "run" before the noun "running").

The texts are the fortune cookies of Debian: `fortunes-it` for Italian, the English files
of `fortunes` and `fortunes-min` for English; for Italian also the Italian definitions of
the Wiktionary-derived FreeDict dictionaries `dict-freedict-ita-fin` and `-ita-pol`
(CC-BY-SA 3.0), which name the things the fortunes seldom do. Each word of the text is read with the
shipped lexicon (data/morph/<language>.tsv.xz); an occurrence of a word that can be several
lemmas is shared among them in proportion to how common each is, so a lemma counts the
forms only it can be and its likely share of the ambiguous ones. A
word written with a capital is also looked up in lower case, as a sentence's first word is.
Only counts are kept, none of the texts.

Usage: scripts/import/frequency.py [FORTUNES_FOLDER] [MORPH_FOLDER]
"""
import lzma
import os
import re
import sys
from collections import defaultdict

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sources  # noqa: E402

WORD = re.compile(r"[^\W\d_]+(?:'[^\W\d_]+)*", re.UNICODE)


def fortune_files(folder, language):
    """The fortune files of a language: Italian under it/, English beside it (not the
    links into it/)."""
    if language == "it":
        base = os.path.join(folder, "it")
        names = sorted(os.listdir(base))
        return [os.path.join(base, n) for n in names
                if "." not in n and os.path.isfile(os.path.join(base, n))]
    italian = os.path.realpath(os.path.join(folder, "it"))
    files = []
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if "." in name or not os.path.isfile(path):
            continue
        if os.path.realpath(path).startswith(italian + os.sep):
            continue
        files.append(path)
    return files


def read_text(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


# Dictionaries whose definitions are written in Italian (Wiktionary's, through FreeDict):
# dictionary prose, which names the things the fortunes seldom do ("frutto", "carico").
ITALIAN_DEFINITIONS = ["freedict-ita-fin", "freedict-ita-pol"]


def definitions(language, folder="/usr/share/dictd"):
    """The Italian definitions of the Wiktionary-derived dictionaries that are installed:
    every line of an entry after its translation lines, one text per dictionary."""
    if language != "it":
        return []
    texts = []
    for name in ITALIAN_DEFINITIONS:
        if not os.path.exists(os.path.join(folder, name + ".index")):
            continue
        lines = []
        for body in sources.dictd_bodies(folder, name):
            for i, line in enumerate(l for l in body.split("\n")[1:] if l.strip()):
                if i > 0 and not re.match(r"^\s*\d+\.", line):
                    lines.append(line.replace("}}", " "))
        texts.append("\n".join(lines))
    return texts


def lexicon_lemmas(path):
    """Every form of the lexicon with its lemmas, each with the (category, description) of
    its readings of that form."""
    lemmas = defaultdict(lambda: defaultdict(list))
    for form, lemma, category, description in sources.lexicon_readings(path):
        lemmas[form][lemma].append((category, description))
    return lemmas


def readings_of(word, lemmas):
    return lemmas.get(word) or (lemmas.get(word.lower()) if word[:1].isupper() else None)


def words(text, lemmas):
    """The words of a text as the analysis meets them: a part before an apostrophe is the
    elided form with it when the lexicon holds one ("l'", "dell'"), else the letters alone
    ("didn", then "t")."""
    for match in WORD.finditer(text):
        parts = match.group(0).split("'")
        for i, part in enumerate(parts):
            if i < len(parts) - 1 and readings_of(part + "'", lemmas):
                yield part + "'"
            else:
                yield part


def counts(texts, lemmas):
    """How often each lemma occurs. A word that can be several lemmas is shared among them
    in proportion to how often each occurs and how common its readings of the word are for
    its part of speech (estimated again from the shares, a few times, starting from equal
    shares): "albero" goes to the noun, which "alberi" and others show common, rather than
    to the rare verb "alberare"; "frutti", a plural noun or a present subjunctive, to the
    noun "frutto" rather than to "fruttare"."""
    seen = defaultdict(int)
    for text in texts:
        for word in words(text, lemmas):
            readings = readings_of(word, lemmas)
            if readings:
                seen[tuple(sorted((l, tuple(r)) for l, r in readings.items()))] += 1
    likely = reading_likelihoods(seen)
    weight = {readings: {lemma: sum(likely[r] for r in rs) for lemma, rs in readings}
              for readings in seen}
    found = defaultdict(float)
    for readings, n in seen.items():
        for lemma, _ in readings:
            found[lemma] += n / len(readings)
    for _ in range(5):
        estimate, found = found, defaultdict(float)
        for readings, n in seen.items():
            w = weight[readings]
            total = sum(estimate[lemma] * w[lemma] for lemma, _ in readings)
            for lemma, _ in readings:
                found[lemma] += n * estimate[lemma] * w[lemma] / total if total else n / len(readings)
    return found


def reading_likelihoods(seen):
    """(category, description) -> how often a word of that category is read so: the share
    of the description among the words of the category, each word's occurrence shared
    equally among its readings; a description never seen gets a small share."""
    by_category = defaultdict(lambda: defaultdict(float))
    for readings, n in seen.items():
        all_readings = [r for _, rs in readings for r in rs]
        for category, description in all_readings:
            by_category[category][description] += n / len(all_readings)
    likely = defaultdict(lambda: 1e-4)
    for category, descriptions in by_category.items():
        total = sum(descriptions.values())
        for description, n in descriptions.items():
            likely[(category, description)] = max(n / total, 1e-4)
    return likely


def main():
    fortunes = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/games/fortunes"
    morph = sys.argv[2] if len(sys.argv) > 2 else "data/morph"
    for language in ("it", "en"):
        files = fortune_files(fortunes, language)
        if not files:
            sys.exit(f"{language}: no fortune files under {fortunes}")
        lemmas = lexicon_lemmas(os.path.join(morph, f"{language}.tsv.xz"))
        texts = [read_text(path) for path in files]
        glosses = definitions(language)
        found = counts(texts + glosses, lemmas)
        # Commonest first; lemmas seen less than once in all (shares of ambiguous words
        # only) say nothing and are left out.
        ranked = sorted(((c, l) for l, c in found.items() if c >= 1.0), key=lambda x: (-x[0], x[1]))
        body = "".join(f"{lemma}\t{round(count)}\n" for count, lemma in ranked)
        with lzma.open(os.path.join(morph, f"{language}-freq.tsv.xz"), "wt", encoding="utf-8",
                       preset=9) as f:
            f.write(body)
        print(f"{language}: {len(files)} files and {len(glosses)} dictionaries of definitions,"
              f" {len(ranked)} lemmas ranked,"
              f" top: {', '.join(l for _, l in ranked[:12])}")


if __name__ == "__main__":
    main()
