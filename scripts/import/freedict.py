#!/usr/bin/env python3
"""Converts the FreeDict English-Italian and Italian-English dictionaries (Debian packages
dict-freedict-eng-ita and dict-freedict-ita-eng) into the source of the sample main
dictionary: data/main/norvel.xml, compiled by `zeldict dd6`.

Each dictd entry is a headword with an IPA pronunciation, then its translations, in
numbered senses ("1. tassare 2. contribuzione, imposta, tassa") or one unnumbered list.
A translation becomes a cross-reference when the other side has it as a headword. The
parts of speech come from the sample morphologies (data/morph, made first by
scripts/import/apertium.py): the categories the morphology gives the headword as a lemma.

Usage: scripts/import/freedict.py [DICTD_FOLDER] [OUTPUT.xml]
"""
import base64
import collections
import gzip
import html
import lzma
import os
import re
import sys

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def b64number(text):
    n = 0
    for c in text:
        n = n * 64 + B64.index(c)
    return n


def read_dictd(folder, name):
    """The entries of a dictd database as (headword, pronunciation, senses)."""
    data = gzip.open(f"{folder}/{name}.dict.dz").read()
    entries = []
    for line in open(f"{folder}/{name}.index", encoding="utf-8"):
        word, offset, length = line.rstrip("\n").split("\t")[:3]
        if word.startswith("00-database") or word.startswith("00database"):
            continue
        body = data[b64number(offset):b64number(offset) + b64number(length)].decode("utf-8")
        entries.append(parse_entry(body))
    return entries


def parse_entry(body):
    # Typographic hyphens and apostrophes as the keyboard types them.
    for typographic, plain in (("\u2010", "-"), ("\u2011", "-"), ("\u2019", "'")):
        body = body.replace(typographic, plain)
    lines = [l.strip() for l in body.strip().split("\n") if l.strip()]
    head = lines[0]
    match = re.match(r"^(.*?)\s*/(.*)/\s*$", head)
    headword, pron = (match.group(1), match.group(2)) if match else (head, "")
    text = " ".join(lines[1:])
    parts = re.split(r"(?:^|\s)(\d+)\.\s+", text)
    if len(parts) > 1:
        senses = [parts[i + 1] for i in range(1, len(parts) - 1, 2)]
    else:
        senses = [text]
    senses = [[t.strip() for t in s.split(",") if t.strip()] for s in senses]
    return headword.strip(), pron.strip(), [s for s in senses if s]


def fits_cp1252(text):
    try:
        text.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


SOUNDS_PER_LANGUAGE = 300

# The part-of-speech labels written in entries, per category of the sample morphologies,
# in the order shown; with their long forms for the abbreviation table.
LABELS = {
    "en": [("n", "n.", "noun"), ("v", "v.", "verb"), ("adj", "adj.", "adjective"),
           ("adv", "adv.", "adverb"), ("pre", "prep.", "preposition"),
           ("pron", "pron.", "pronoun"), ("conj", "conj.", "conjunction"),
           ("inte", "interj.", "interjection"), ("art", "art.", "article")],
    "it": [("n", "s.", "sostantivo"), ("v", "v.", "verbo"), ("adj", "agg.", "aggettivo"),
           ("adv", "avv.", "avverbio"), ("pre", "prep.", "preposizione"),
           ("pron", "pron.", "pronome"), ("conj", "cong.", "congiunzione"),
           ("inte", "inter.", "interiezione"), ("art", "art.", "articolo")],
}


# Entries that show a picture: a flag drawn by write_flags, beside the source.
PICTURES = {"Italy": "flag-it.png", "Italia": "flag-it.png",
            "England": "flag-en.png", "Inghilterra": "flag-en.png"}


def write_png(path, width, height, pixel):
    """A truecolour PNG of pixel(x, y) -> (r, g, b)."""
    import struct
    import zlib

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y))
                    for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def write_flags(folder):
    green, white, red = (0, 146, 70), (255, 255, 255), (206, 43, 55)
    write_png(os.path.join(folder, "flag-it.png"), 90, 60,
              lambda x, y: green if x < 30 else white if x < 60 else red)
    write_png(os.path.join(folder, "flag-en.png"), 90, 60,
              lambda x, y: red if 39 <= x < 51 or 24 <= y < 36 else white)


def lemma_categories(lexicon):
    """lemma -> categories, from a full-form lexicon of data/morph (what the sample
    morphology will answer for the headword)."""
    out = collections.defaultdict(set)
    with lzma.open(lexicon, "rt", encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 3 and not line.startswith(("@", "#")):
                out[fields[1]].add(fields[2])
    return out


def parts_of_speech(code, headword, categories):
    found = categories.get(headword) or categories.get(headword.lower()) or set()
    return [label for category, label, _ in LABELS[code] if category in found]


def common_headwords(entries, other_entries):
    """The headwords with a recorded pronunciation: those the other side uses most often as
    a translation (a fair stand-in for frequency in this small dictionary), single words
    only, ties broken by length, then alphabetically."""
    uses = collections.Counter()
    for _, _, senses in other_entries:
        for sense in senses:
            for t in sense:
                uses[t.lower()] += 1
    heads = sorted({h for h, _, _ in entries if h and " " not in h and fits_cp1252(h)},
                   key=lambda h: (-uses[h.lower()], len(h), h))
    return heads[:SOUNDS_PER_LANGUAGE]


def language_xml(code, entries, other_headwords, search, sounds, categories):
    """The language's entries; sounds maps a headword to its wave file's name."""
    out = [f'  <language code="{code}" sounds="sounds/{code}">\n    <search file="{search}"/>\n']
    ordinals = collections.Counter()
    skipped = 0
    for headword, pron, senses in entries:
        if not headword or not fits_cp1252(headword):
            skipped += 1
            continue
        ordinals[headword] += 1
        attributes = f'headword="{html.escape(headword)}" ordinal="{ordinals[headword]}"'
        if " " in headword:
            attributes += ' multiword="yes"'
        parts = [f"<hw>{html.escape(headword)}</hw>"]
        if pron:
            sound = f' sound="{sounds[headword]}"' if headword in sounds else ""
            parts.append(f"<pron{sound}>{html.escape(pron)}</pron>")
        for label in parts_of_speech(code, headword, categories):
            parts.append(f"<pos>{label}</pos>")
        if headword in PICTURES:
            parts.append(f'<pic file="{PICTURES[headword]}"/>')
        for n, sense in enumerate(senses, 1):
            trs = []
            for t in sense:
                ref = ' ref="yes"' if t.lower() in other_headwords else ""
                trs.append(f"<tr{ref}>{html.escape(t)}</tr>")
            number = f' n="{n}"' if len(senses) > 1 else ""
            parts.append(f"<s{number}>" + ", ".join(trs) + "</s>")
        out.append(f"    <entry {attributes}>" + "".join(parts) + "</entry>\n")
    out.append("  </language>\n")
    return "".join(out), skipped


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/dictd"
    output = sys.argv[2] if len(sys.argv) > 2 else "data/main/norvel.xml"
    english = read_dictd(folder, "freedict-eng-ita")
    italian = read_dictd(folder, "freedict-ita-eng")
    en_heads = {h.lower() for h, _, _ in english}
    it_heads = {h.lower() for h, _, _ in italian}
    sounds = {}
    lines = []
    for code, entries, other in (("en", english, italian), ("it", italian, english)):
        sounds[code] = {}
        for n, headword in enumerate(common_headwords(entries, other), 1):
            sounds[code][headword] = f"{n:04d}.wav"
            lines.append(f"{code}\t{n:04d}.wav\t{headword}\n")
    with open(os.path.join(os.path.dirname(output), "sounds.tsv"), "w", encoding="utf-8") as f:
        f.write("".join(lines))
    write_flags(os.path.dirname(output))
    morph = os.path.join(os.path.dirname(output), "..", "morph")
    en_xml, en_skipped = language_xml("en", english, it_heads, "search-en.ini", sounds["en"],
                                      lemma_categories(os.path.join(morph, "en.tsv.xz")))
    it_xml, it_skipped = language_xml("it", italian, en_heads, "search-it.ini", sounds["it"],
                                      lemma_categories(os.path.join(morph, "it.tsv.xz")))
    with open(output, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                "<!-- Generated by scripts/import/freedict.py from FreeDict eng-ita and ita-eng"
                " (GPL-2+); see README.md. -->\n"
                '<dd6 file="norvel" name="Dizionario Norvel" codepage="1252" lustyle="1">\n'
                '  <view stylesheet="main_view.xsl">\n'
                '    <option caption="rsPronunciation" checked="yes" element="pron"'
                ' hint="rsShowPronunciation" image="3"/>\n'
                "  </view>\n"
                '  <resource file="flag-it.png"/>\n'
                '  <resource file="flag-en.png"/>\n'
                "  <abbreviations>\n")
        abbreviations = {}
        for code in ("en", "it"):
            for _, short, long in LABELS[code]:
                abbreviations.setdefault(short, long if code == "en" else long)
        for short, long in sorted(abbreviations.items()):
            f.write(f'    <abbr short="{short}" long="{long}"/>\n')
        f.write("  </abbreviations>\n")
        f.write(en_xml)
        f.write(it_xml)
        f.write("</dd6>\n")
    print(f"{len(english) - en_skipped} English and {len(italian) - it_skipped} Italian entries"
          f" ({en_skipped + it_skipped} skipped: headword outside Windows-1252)")


if __name__ == "__main__":
    main()
