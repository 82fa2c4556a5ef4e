#!/usr/bin/env python3
"""How often a reader who clicks a word of running text finds an entry in the main
dictionary: every word of a text is analysed by `nvlook analyze`, and its lemma is the
first of its readings' lemmas that the dictionary has as a headword (else its first
lemma), as `nvlook lookup` chooses. Words without a reading (unknown words, numbers) are
left out; they are the morphology's share, measured by `zeldict coverage`.

Prints, for the text: the share of word tokens whose lemma has an entry (all of them, and
leaving out proper names and letters of the alphabet, which a dictionary of common words
does not list), the share of the distinct lemmas with an entry once the commonest word
forms are left out as well (the function words, which every dictionary has), and the
commonest lemmas without an entry.

Usage: scripts/entry-coverage.py [--common N] [--missing N] NVLOOK DICTIONARY.xml[.xz] LANGUAGE TEXT
"""
import argparse
import collections
import lzma
import re
import subprocess
import xml.etree.ElementTree as ET


def headwords(dictionary, language):
    heads = set()
    source = lzma.open(dictionary) if dictionary.endswith(".xz") else open(dictionary, "rb")
    for _, element in ET.iterparse(source, events=("end",)):
        if element.tag == "language" and element.get("code") == language:
            # An entry counts when it holds a translation (not only unchecked ones).
            heads.update(e.get("headword") for e in element.iter("entry") if e.find(".//tr") is not None)
            break
    return heads


def tokens(nvlook, text):
    """(word, [lemma, ...]) for every word of the text with a reading."""
    out = subprocess.run([nvlook, "analyze", "-"], stdin=open(text, "rb"),
                         capture_output=True, check=True).stdout.decode("utf-8", "replace")
    word, lemmas = None, []
    for line in out.split("\n"):
        if re.match(r"^  \S", line):
            if word is not None:
                yield word, lemmas
            # The word fills a column of 14 characters, or more followed by one space.
            rest = line[2:]
            cut = 14 if len(rest) > 14 and rest[13] == " " else rest.find(" ") + 1
            word, reading = rest[:cut].strip(), rest[cut:].strip()
            lemmas = [] if reading.startswith("(") else [reading.split(" [")[0]]
        elif re.match(r"^ {3,}\S", line) and word is not None:
            lemmas.append(line.strip().split(" [")[0])
    if word is not None:
        yield word, lemmas


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--common", type=int, default=150)
    parser.add_argument("--missing", type=int, default=30)
    parser.add_argument("nvlook")
    parser.add_argument("dictionary")
    parser.add_argument("language")
    parser.add_argument("text")
    args = parser.parse_args()
    heads = headwords(args.dictionary, args.language)
    has_entry = lambda lemma: lemma in heads or lemma.lower() in heads
    forms, lemma_of = collections.Counter(), []
    for word, lemmas in tokens(args.nvlook, args.text):
        if not lemmas or not re.search(r"[^\W\d_]", word):
            continue
        lemma = next((l for l in lemmas if has_entry(l)), lemmas[0])
        forms[word.lower()] += 1
        lemma_of.append((word.lower(), lemma))
    common = {w for w, _ in forms.most_common(args.common)}
    words = [(w, l) for w, l in lemma_of if is_common_word(l)]
    content = collections.Counter(l for w, l in words if w not in common)
    share = lambda found, total: f"{100.0 * found / max(total, 1):.1f}%"
    print(f"{args.language}: {len(heads)} headwords")
    print(f"  word tokens with an entry: {share(sum(has_entry(l) for _, l in lemma_of), len(lemma_of))}"
          f" of {len(lemma_of)}; leaving out names and letters "
          f"{share(sum(has_entry(l) for _, l in words), len(words))} of {len(words)}")
    print(f"  distinct lemmas outside the {args.common} commonest forms (names and letters left"
          f" out) with an entry: {share(sum(has_entry(l) for l in content), len(content))}"
          f" of {len(content)}")
    if args.missing:
        missing = collections.Counter(l for _, l in words if not has_entry(l))
        print("  commonest without an entry: " +
              ", ".join(f"{l} {n}" for l, n in missing.most_common(args.missing)))


def is_common_word(lemma):
    """A lemma a dictionary of common words lists: not a proper name (a capital first
    letter), not a letter of the alphabet."""
    return len(lemma) > 1 and not lemma[:1].isupper()


if __name__ == "__main__":
    main()
