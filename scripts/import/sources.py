"""Readers of the bilingual sources of the main dictionary: FreeDict's dictd databases in
their two layouts, and Apertium's bilingual transducers asked through lt-proc.

Every reader gives translation pairs as (source word, part of speech or "", target word);
the parts of speech are the short names of the sample morphologies (n, v, adj, adv, pre,
pron, conj, inte) or "" when the source gives none.
"""
import collections
import gzip
import lzma
import os
import re
import subprocess

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def b64number(text):
    n = 0
    for c in text:
        n = n * 64 + B64.index(c)
    return n


def dictd_bodies(folder, name):
    """The entry texts of a dictd database, without its 00-database entries."""
    with gzip.open(f"{folder}/{name}.dict.dz") as f:
        data = f.read()
    with open(f"{folder}/{name}.index", encoding="utf-8") as f:
        index = f.read().split("\n")
    for line in index:
        fields = line.rstrip("\n").split("\t")
        if len(fields) < 3 or not fields[0] or fields[0].startswith(("00-database", "00database")):
            continue
        offset, length = b64number(fields[1]), b64number(fields[2])
        yield data[offset:offset + length].decode("utf-8")


def plain_typography(text):
    for typographic, plain in (("\u2010", "-"), ("\u2011", "-"), ("\u2013", "-"),
                               ("\u2019", "'")):
        text = text.replace(typographic, plain)
    return text


# The part-of-speech marks of FreeDict's headword lines.
POS_MARKS = {"n": "n", "noun": "n", "s": "n", "pn": "n", "prop": "n", "v": "v", "vt": "v",
             "vi": "v", "verb": "v", "adj": "adj", "adv": "adv", "prep": "pre",
             "pronoun": "pron", "pron": "pron", "conj": "conj", "interj": "inte",
             "intj": "inte", "art": "art"}

def split_head(line):
    """headword, pronunciation, part of speech of a dictd entry's first line
    ("word /pron/ <n>", with one or more pronunciations, or none)."""
    marks = re.search(r"<([^>]*)>\s*$", line)
    line = line[:marks.start()] if marks else line
    cut = re.search(r"\s/", line)
    headword = line[:cut.start()] if cut else line
    pron = line[cut.start():].strip().split("/") if cut else []
    pron = next((p for p in pron if p.strip()), "")
    pos = ""
    for mark in re.split(r"[,\s]+", (marks.group(1) if marks else "").lower()):
        if mark in POS_MARKS:
            pos = POS_MARKS[mark]
            break
    return headword.strip(), pron.strip().strip("[]"), pos


def translations_of(line):
    """The translations of a line "a, b, c" (a trailing sense number of a broken line
    removed, parenthesised remarks kept out of the split)."""
    line = re.sub(r"\s+\d+\.\s*$", "", line.strip())
    out, depth, word = [], 0, ""
    for c in line:
        depth += c == "("
        depth -= c == ")"
        if c in ",;" and depth <= 0:
            out.append(word)
            word = ""
        else:
            word += c
    out.append(word)
    return [w.strip() for w in out if w.strip() and "}}" not in w and "{{" not in w]


def read_wikdict(folder, name):
    """The senses of a Wiktionary-derived FreeDict database: per entry (headword, pos,
    pronunciation, [[translation, ...] per sense]). A sense is "N. translations" followed by definitions
    in the source language; an unnumbered entry has one translation line."""
    entries = []
    for body in dictd_bodies(folder, name):
        lines = [l for l in plain_typography(body).split("\n") if l.strip()]
        headword, pron, pos = split_head(lines[0])
        senses, numbered = [], False
        for i, line in enumerate(lines[1:]):
            marker = re.match(r"^\s*(\d+)\.\s*(.*)$", line)
            if marker:
                numbered = True
                senses.append(translations_of(marker.group(2)))
            elif i == 0 and not numbered:
                senses.append(translations_of(line))
        entries.append((headword, pron, pos, [s for s in senses if s]))
    return entries


def read_plain(folder, name):
    """The senses of an older FreeDict database, whose lines after the headword are all
    translations ("1. a, b" numbered or not)."""
    entries = []
    for body in dictd_bodies(folder, name):
        lines = [l.strip() for l in plain_typography(body).split("\n") if l.strip()]
        headword, pron, pos = split_head(lines[0])
        senses = []
        text = " ".join(l for l in lines[1:] if not l.startswith(("Synonym:", "see:", "[")))
        for part in re.split(r"(?:^|\s)\d+\.\s+", text):
            part = re.sub(r"<[^>]*>", "", part)
            if part.strip():
                senses.append(translations_of(part))
        entries.append((headword, pron, pos, [s for s in senses if s]))
    return entries


def pairs_of(entries):
    """(headword, part of speech, translation) of every translation of dictd entries."""
    for headword, _, pos, senses in entries:
        for sense in senses:
            for translation in sense:
                yield headword, pos, translation


def lexicon_readings(path):
    """The (form, lemma, category, description) readings of a compressed lexicon of
    data/morph, its settings and comments left out."""
    with lzma.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 4 and not line.startswith(("@", "#")):
                yield tuple(fields)


WORDNET = "/usr/share/wordnet"
WORDNET_POS = {"noun": "n", "verb": "v", "adj": "adj", "adv": "adv"}


def wordnet_lemmas():
    """part of speech -> WordNet's lemmas of it (words of a phrase joined by "_"), from its
    indexes (wordnet-base); none where it is not installed."""
    lemmas = collections.defaultdict(set)
    for name, pos in WORDNET_POS.items():
        path = os.path.join(WORDNET, f"index.{name}")
        if os.path.exists(path):
            with open(path, encoding="latin-1") as f:
                lemmas[pos] = {line.split(" ", 1)[0] for line in f if not line.startswith(" ")}
    return lemmas


# hunspell's dictionary of each language.
SPELLING = {"it": "it_IT", "en": "en_US"}


def hunspell_unknown(language, words):
    """The words hunspell's dictionary of the language does not know."""
    return set(subprocess.run(["hunspell", "-d", SPELLING[language], "-l"],
                              input="\n".join(words), capture_output=True, text=True,
                              check=True).stdout.split())


# Apertium's first tags per part of speech of the sample morphologies.
APERTIUM_TAGS = {"n": ["n"], "np": ["np"], "v": ["vblex", "vbser", "vbhaver", "vbmod"],
                 "adj": ["adj"], "adv": ["adv"], "pre": ["pr"], "pron": ["prn"],
                 "conj": ["cnjcoo", "cnjsub", "cnjadv"], "inte": ["ij"]}
APERTIUM_POS = {tag: pos for pos, tags in APERTIUM_TAGS.items() for tag in tags}


def apertium_lookup(transducer, queries):
    """lemma<tag> -> [lemma of the other language, ...] through a bilingual transducer."""
    text = "".join(f"^{lemma}<{tag}>$\n" for lemma, tag in queries)
    out = subprocess.run(["lt-proc", "-b", transducer], input=text, capture_output=True,
                         text=True, check=True).stdout
    answers = {}
    for line in out.split("\n"):
        match = re.match(r"^\^(.*)\$$", line.strip())
        if not match:
            continue
        parts = match.group(1).split("/")
        source = re.match(r"^([^<]*)<([^>]*)>", parts[0])
        found = []
        for part in parts[1:]:
            # A multi-word lemma is written "be# born<vblex>".
            target = re.match(r"^([^<@*]+)", part)
            if target and not part.startswith(("@", "*")):
                found.append(re.sub(r"\s+", " ", target.group(1).replace("#", " ")).strip())
        if source:
            answers[(source.group(1), source.group(2))] = found
    return answers


def apertium_pivot(first, second, lemmas):
    """(lemma, pos, target lemma) reached through two bilingual transducers: lemma ->
    pivot lemma -> target lemma, with the part of speech kept along the way."""
    queries = [(lemma, tag) for lemma, pos in lemmas for tag in APERTIUM_TAGS.get(pos, [])]
    step_one = apertium_lookup(first, queries)
    pivots = {(p, tag) for (lemma, tag), found in step_one.items() for p in found}
    step_two = apertium_lookup(second, sorted(pivots))
    for (lemma, tag), found in step_one.items():
        for pivot in found:
            for target in step_two.get((pivot, tag), []):
                yield lemma, APERTIUM_POS[tag], pivot, target
