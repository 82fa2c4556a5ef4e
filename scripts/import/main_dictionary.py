#!/usr/bin/env python3
"""Builds the source of the sample main dictionary, data/main/norvel.xml.xz (compiled by
`zeldict dd6`), from the open bilingual data of Debian and Norvel's core vocabulary
(data/main/core.tsv):

- FreeDict English-Italian and Italian-English (dict-freedict-eng-ita, -ita-eng; GPL-2+),
  both used in both directions: the direct translations;
- the Wiktionary-derived FreeDict dictionaries (CC-BY-SA 3.0) between Italian and Finnish,
  Polish, Portuguese and French, with those languages' dictionaries to and from English:
  translations through another language;
- Apertium's bilingual dictionaries (GPL-2+) from Italian to Catalan and Spanish and from
  those to English, asked through lt-proc: translations through another language;
- WordNet (wordnet-base) for the parts of speech of English headwords the morphology
  does not know.

Every translation records its sources and is scored (docs/data.md, "Scoring"): a pair
given by FreeDict is direct; a pair reached through two or more pivot languages is kept;
a pair reached through one pivot language only is kept when its pivot word has exactly
one Italian and one English counterpart, and is marked as indirect in the entry; other
pairs are dropped. FreeDict's stubs (a headword that lost the rest of its phrase: "be"
for "be quiet", "per" for "per così dire") are dropped; the whole phrase comes from the
other direction where it has it.

The parts of speech come from the sources and from the sample morphologies (data/morph,
made first by scripts/import/apertium.py).

With --pairs, also writes every translation kept with its class and sources, one per line
(the list scripts/import/sample_translations.py draws from).

Usage: scripts/import/main_dictionary.py [DICTD_FOLDER] [OUTPUT.xml.xz] [--pairs PAIRS.tsv]
"""
import collections
import html
import lzma
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import sources  # noqa: E402
from apertium import fits  # noqa: E402

APERTIUM = "/usr/share/apertium"
SOUNDS_PER_LANGUAGE = 300

# The Wiktionary-derived pivots: (Italian->pivot, pivot->Italian, pivot->English,
# English->pivot) databases, each optional; those in the older layout are marked "plain:".
WIKTIONARY_PIVOTS = {
    "fi": ("ita-fin", "fin-ita", "fin-eng", "eng-fin"),
    "pl": ("ita-pol", "pol-ita", "pol-eng", "plain:eng-pol"),
    "pt": ("ita-por", None, "plain:por-eng", "plain:eng-por"),
    "fr": (None, "fra-ita", "plain:fra-eng", "plain:eng-fra"),
}
# The Apertium pivots: (Italian->pivot, pivot->English, English->pivot, pivot->Italian).
APERTIUM_PIVOTS = {
    "ca": ("apertium-cat-ita/ita-cat.autobil.bin", "apertium-eng-cat/cat-eng.autobil.bin",
           "apertium-eng-cat/eng-cat.autobil.bin", "apertium-cat-ita/cat-ita.autobil.bin"),
    "es": ("apertium-spa-ita/ita-spa.autobil.bin", "apertium-eng-spa/spa-eng.autobil.bin",
           "apertium-eng-spa/eng-spa.autobil.bin", "apertium-spa-ita/spa-ita.autobil.bin"),
}
# How the entries name the sources (abbreviations with their long forms).
SOURCE_CODES = {"nv": "NV", "fd": "FD", "fi": "WKfi", "pl": "WKpl", "pt": "WKpt", "fr": "WKfr",
                "ca": "APca", "es": "APes"}
SOURCE_NAMES = {
    "NV": "Norvel's core vocabulary, written by hand",
    "FD": "FreeDict English-Italian and Italian-English",
    "WKfi": "Wiktionary (FreeDict) through Finnish", "WKpl": "Wiktionary (FreeDict) through Polish",
    "WKpt": "Wiktionary (FreeDict) through Portuguese", "WKfr": "Wiktionary (FreeDict) through French",
    "APca": "Apertium through Catalan", "APes": "Apertium through Spanish",
}
# The marks of a translation through one other language and of FreeDict's unchecked ones,
# in the language of the entry's labels, with their long forms.
INDIRECT = {"en": ("ind.", "translation through one other language only"),
            "it": ("indir.", "traduzione soltanto attraverso un'altra lingua")}
UNCHECKED = {"en": ("unch.", "given by FreeDict alone and confirmed by no other source"),
             "it": ("n.conf.", "data soltanto da FreeDict e non confermata da altre fonti")}

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
POS_ORDER = [category for category, _, _ in LABELS["en"]]

# Entries that show a picture: a flag drawn by write_flags, beside the source.
PICTURES = {"Italy": "flag-it.png", "Italia": "flag-it.png",
            "England": "flag-en.png", "Inghilterra": "flag-en.png"}


def key(word):
    """The form under which a word is matched across sources: as written, without
    surrounding punctuation, in small letters."""
    return written(word).strip(" ,;.:!?\"'").lower()


def written(word):
    """A word as the sources write it, remarks in parentheses left out, single spaces."""
    return re.sub(r"\s+", " ", re.sub(r"\([^)]*\)", " ", word)).strip()


def usable(word):
    """A headword or translation the dictionary can hold: text in Windows-1252 with a
    letter, of a sensible length, without leftover markup."""
    if not word or len(word) > 50 or not re.search(r"[^\W\d_]", word):
        return False
    return not re.search(r"[{}\[\]<>/=|]", word) and fits(word)


class Pair:
    """The evidence for one translation: its sources and its parts of speech."""

    def __init__(self):
        self.sources = set()
        self.pos = collections.Counter()
        self.pivot_words = collections.defaultdict(set)

    def families(self):
        """The independent pivots. Finnish and Polish apart; French and Portuguese as one,
        since their English dictionaries come, like FreeDict's English-Italian ones, from
        the Ergane word lists; Apertium's Catalan and Spanish as one, since their
        bilingual dictionaries share their makers and their errors."""
        out = set()
        for source in self.sources:
            if source in ("fi", "pl"):
                out.add(source)
            elif source in ("fr", "pt"):
                out.add("ergane")
            elif source in APERTIUM_PIVOTS:
                out.add("apertium")
        return out

    def routes(self):
        """How many pivot words lead from one word to the other."""
        return sum(len(words) for words in self.pivot_words.values())

    def score_class(self, strongest, strongest_of_both, unique_wiktionary_pivot):
        """direct: given by Norvel's core list, or by FreeDict and confirmed by a pivot of
        another origin (not French or Portuguese);
        freedict: given by FreeDict alone (kept, shown as unchecked); pivots: reached through
        three independent pivots, or through two when it is among the strongest pairs of
        both its words; pivot: reached through one Wiktionary-derived language by a pivot
        word with no other Italian or English counterpart, the strongest pair of both its
        words; None: not kept."""
        families = len(self.families())
        confirming = self.families() - {"ergane"}
        if "nv" in self.sources or ("fd" in self.sources and confirming):
            return "direct"
        if "fd" in self.sources:
            return "freedict"
        if families >= 3 or (families == 2 and strongest):
            return "pivots"
        if families == 1 and unique_wiktionary_pivot and strongest_of_both:
            return "pivot"
        return None


class Collector:
    """Every (Italian, English) pair met, by key, with the spellings met for each key."""

    def __init__(self):
        self.pairs = collections.defaultdict(Pair)
        self.spellings = {"it": collections.defaultdict(collections.Counter),
                          "en": collections.defaultdict(collections.Counter)}

    def add(self, italian, english, source, pos="", pivot=None):
        if not usable(italian) or not usable(english):
            return
        i, e = key(italian), key(english)
        if not i or not e:
            return
        self.spellings["it"][i][written(italian)] += 1
        self.spellings["en"][e][written(english)] += 1
        pair = self.pairs[(i, e)]
        pair.sources.add(source)
        if pos:
            pair.pos[pos] += 1
        if pivot:
            pair.pivot_words[source].add(pivot)


def read_database(folder, name):
    if name is None:
        return []
    if name.startswith("plain:"):
        return sources.read_plain(folder, "freedict-" + name[len("plain:"):])
    return sources.read_wikdict(folder, "freedict-" + name)


def collect_wiktionary(collector, folder):
    """Pairs through the Wiktionary-derived pivots, with the number of Italian and English
    counterparts of each pivot word (for the one-pivot rule)."""
    counterparts = {}
    for pivot, (it_p, p_it, p_en, en_p) in WIKTIONARY_PIVOTS.items():
        italian, english = collections.defaultdict(set), collections.defaultdict(set)
        pos_of = {}
        for h, pos, t in sources.pairs_of(read_database(folder, it_p)):
            italian[key(t)].add(h)
            pos_of[(key(h), key(t))] = pos
        for h, pos, t in sources.pairs_of(read_database(folder, p_it)):
            italian[key(h)].add(t)
            pos_of.setdefault((key(t), key(h)), pos)
        for h, _, t in sources.pairs_of(read_database(folder, p_en)):
            english[key(h)].add(t)
        for h, _, t in sources.pairs_of(read_database(folder, en_p)):
            english[key(t)].add(h)
        for word, its in italian.items():
            ens = english.get(word, ())
            if not ens:
                continue
            counterparts[(pivot, word)] = (len({key(i) for i in its}), len({key(e) for e in ens}))
            for i in its:
                for e in ens:
                    collector.add(i, e, pivot, pos_of.get((key(i), word), ""), word)
    return counterparts


def read_morphology(lexicon):
    """The (lemma, part of speech) pairs of a full-form lexicon of data/morph, proper names
    apart, and its forms in small letters."""
    lemmas, forms = set(), set()
    for form, lemma, category, description in sources.lexicon_readings(lexicon):
        proper = "proprio" in description or "proper" in description
        lemmas.add((lemma, "np" if proper else category))
        forms.add(form.lower())
    return lemmas, forms


def collect_apertium(collector, it_lemmas, en_lemmas):
    counterparts = collections.defaultdict(lambda: [set(), set()])
    for pivot, (it_p, p_en, en_p, p_it) in APERTIUM_PIVOTS.items():
        found = []
        for lemma, pos, word, target in sources.apertium_pivot(
                f"{APERTIUM}/{it_p}", f"{APERTIUM}/{p_en}", it_lemmas):
            found.append((lemma, target, pos, word))
        for lemma, pos, word, target in sources.apertium_pivot(
                f"{APERTIUM}/{en_p}", f"{APERTIUM}/{p_it}", en_lemmas):
            found.append((target, lemma, pos, word))
        for italian, english, pos, word in found:
            pos = "n" if pos == "np" else pos
            collector.add(italian, english, pivot, pos, key(word))
            counterparts[(pivot, key(word))][0].add(key(italian))
            counterparts[(pivot, key(word))][1].add(key(english))
    return {k: (len(v[0]), len(v[1])) for k, v in counterparts.items()}


def stub_pairs(direct, other):
    """The pairs of a FreeDict direction that are stubs of a phrase: the translation's own
    entry in the other direction translates it by a phrase holding the headword as one of
    its words, never by the headword alone ("be" -> "tacere", whose entry says "be quiet")."""
    reverse = collections.defaultdict(set)
    for headword, _, t in sources.pairs_of(other):
        reverse[key(headword)].add(key(t))
    stubs = {}
    for headword, _, t in sources.pairs_of(direct):
        h = key(headword)
        back = reverse.get(key(t))
        if not back or h in back:
            continue
        phrases = sorted(p for p in back if " " in p and h in p.split(" "))
        if phrases:
            stubs[(h, key(t))] = phrases[0]
    return stubs


def repeated_unconfirmed(direct, collector, reverse_pairs):
    """The pairs of a headword FreeDict repeats (where its stubs are: "per" ten times, most
    of them the first word of a lost phrase) that nothing else confirms: neither the other
    direction nor a pivot gives the same pair."""
    counts = collections.Counter(key(h) for h, _, _, _ in direct)
    out = set()
    for headword, _, t in sources.pairs_of(direct):
        pair = (key(headword), key(t))
        if counts[pair[0]] < 2 or pair in reverse_pairs:
            continue
        evidence = collector.get(pair)
        if evidence is None or not evidence.families():
            out.add(pair)
    return out


def read_wordnet():
    """word -> parts of speech, from WordNet's indexes (wordnet-base), where installed."""
    out = collections.defaultdict(set)
    for pos, lemmas in sources.wordnet_lemmas().items():
        for lemma in lemmas:
            out[lemma.replace("_", " ")].add(pos)
    return out


class Side:
    """What one side of the dictionary needs: its FreeDict entries, the spellings, the
    morphology's categories and lemmas."""

    def __init__(self, code, entries, spellings, lexicon):
        self.code = code
        self.entries = entries
        self.spellings = spellings
        self.categories = collections.defaultdict(set)
        self.lemma_spelling = {}
        lemmas, self.forms = read_morphology(lexicon)
        self.wordnet = read_wordnet() if code == "en" else {}
        for lemma, pos in lemmas:
            self.categories[lemma].add("n" if pos == "np" else pos)
            if not usable(lemma):
                continue
            if lemma.lower() not in self.lemma_spelling or lemma.islower():
                self.lemma_spelling[lemma.lower()] = lemma

    def categories_of(self, headword):
        """The parts of speech of a headword: the morphology's, else (English) WordNet's."""
        found = self.categories.get(headword) or self.categories.get(key(headword))
        return set(found or self.wordnet.get(key(headword), ()))

    def spelling(self, word_key):
        """The headword as written: the morphology's lemma where the sources write it so
        too ("Italia"), else the spelling the sources use most ("i", not the letter "I")."""
        counts = self.spellings.get(word_key) if self.spellings else None
        lemma = self.lemma_spelling.get(word_key)
        if lemma and (not counts or lemma in counts):
            return lemma
        if not counts:
            return word_key
        return sorted(counts.items(), key=lambda kv: (-kv[1], not kv[0].islower(), kv[0]))[0][0]


def score_pairs(collector, counterparts):
    """(Italian key, English key) -> (class, sorted sources, part of speech) of every pair
    kept. A pair's strength is its number of routes against the best pair of each of its
    words: a word's strongest translations are those most pivot words lead to."""
    best_it, best_en = collections.Counter(), collections.Counter()
    for (i, e), pair in collector.pairs.items():
        best_it[i] = max(best_it[i], pair.routes())
        best_en[e] = max(best_en[e], pair.routes())
    kept = {}
    for (i, e), pair in collector.pairs.items():
        routes = pair.routes()
        share = min(routes / max(best_it[i], 1), routes / max(best_en[e], 1))
        unique = any(counterparts.get((pivot, word)) == (1, 1)
                     for pivot, words in pair.pivot_words.items() if pivot in WIKTIONARY_PIVOTS
                     for word in words)
        score_class = pair.score_class(share >= 0.5, share >= 1, unique)
        if score_class:
            pos = min(pair.pos, key=lambda p: (-pair.pos[p], p)) if pair.pos else ""
            kept[(i, e)] = (score_class, sorted(pair.sources, key=list(SOURCE_CODES).index), pos)
    return kept


def entry_pos(side, headword_key, translation_pos):
    """The part of speech a translation goes under: its own, else the headword's when the
    morphology gives it only one."""
    if translation_pos:
        return translation_pos
    categories = side.categories_of(side.spelling(headword_key))
    return next(iter(categories)) if len(categories) == 1 else ""


def translation_xml(word, info, other_heads, code):
    score_class, srcs, _ = info
    codes = " ".join(SOURCE_CODES[s] for s in srcs)
    ref = ' ref="yes"' if key(word) in other_heads else ""
    mark = f" <abbr>{INDIRECT[code][0]}</abbr>" if score_class == "pivot" else ""
    return f"<tr{ref}>{html.escape(word)}</tr><src>{codes}</src>{mark}"


def side_xml(side, other, kept, search, sounds):
    """The entries of one side: FreeDict's entries first, homographs apart, each with the
    translations the other sources add grouped by part of speech; then an entry for every
    other headword that has a kept translation."""
    labels = {category: label for category, label, _ in LABELS[side.code]}
    translations = collections.defaultdict(dict)  # headword key -> translation key -> info
    for (i, e), info in kept.items():
        h, t = (i, e) if side.code == "it" else (e, i)
        translations[h][t] = info
    other_heads = set(translations_of_other(kept, side.code))
    class_of = lambda h, t: translations.get(h, {}).get(key(t), (None,))[0]
    entries = collections.OrderedDict()  # headword key -> [(pron, senses, unchecked)]
    prons = {}
    for headword, pron, _, senses in side.entries:
        h = key(headword)
        prons.setdefault(h, pron)
        kept_senses = [[t for t in s if class_of(h, t) == "direct"] for s in senses]
        kept_senses = [s for s in kept_senses if s]
        unchecked = [other.spelling(key(t)) for s in senses for t in s if class_of(h, t) == "freedict"]
        entries.setdefault(h, []).append((pron, kept_senses, unchecked))
    for h in translations:
        entries.setdefault(h, [])
    for h in entries:
        entries[h] = [e for e in entries[h] if e[1] or e[2]] or [(prons.get(h, ""), [], [])]
    out = [f'  <language code="{side.code}" sounds="sounds/{side.code}">\n'
           f'    <search file="{search}"/>\n']
    count = 0
    for h in sorted(entries, key=lambda k: side.spelling(k).lower()):
        headword = side.spelling(h)
        if not usable(headword) or not translations.get(h):
            continue
        homographs = entries[h]
        shown = set()
        built = []
        for n, (pron, senses, unchecked) in enumerate(homographs, 1):
            pron = pron or prons.get(h, "")
            parts = [f"<hw>{html.escape(headword)}</hw>"]
            if pron:
                sound = f' sound="{sounds[headword]}"' if headword in sounds else ""
                parts.append(f"<pron{sound}>{html.escape(pron)}</pron>")
            sense_xml = []
            for sense in senses:
                trs = []
                for t in sense:
                    if key(t) not in shown:
                        shown.add(key(t))
                        trs.append(translation_xml(other.spelling(key(t)), translations[h][key(t)],
                                                   other_heads, side.code))
                if trs:
                    sense_xml.append(("", ", ".join(trs)))
            if n == 1:
                sense_xml += added_senses(side, other, h, translations[h], shown, other_heads)
                unchecked = unchecked + [other.spelling(t) for t, info in sorted(translations[h].items())
                                         if info[0] == "freedict" and t not in shown]
            unchecked_xml = unchecked_list(unchecked, shown, side.code)
            categories = side.categories_of(headword)
            categories |= {pos for pos, _ in sense_xml if pos}
            for category in POS_ORDER:
                if category in categories:
                    parts.append(f"<pos>{labels[category]}</pos>")
            if headword in PICTURES:
                parts.append(f'<pic file="{PICTURES[headword]}"/>')
            numbered = len(sense_xml) > 1
            for number, (pos, text) in enumerate(sense_xml, 1):
                # A sense names its part of speech when the entry has more than one.
                label = f"<pos>{labels[pos]}</pos> " if pos and len(categories) > 1 else ""
                attribute = f' n="{number}"' if numbered else ""
                parts.append(f"<s{attribute}>{label}{text}</s>")
            if unchecked_xml:
                parts.append(unchecked_xml)
            # The display option "Sources" acts on an element of the entry's top level.
            parts.append("<sources/>")
            if sense_xml or unchecked_xml:
                built.append("".join(parts))
        # Homographs are numbered 1, 2, ...; a headword with one entry has no number.
        for n, body in enumerate(built, 1):
            ordinal = n if len(built) > 1 else 0
            attributes = f'headword="{html.escape(headword)}" ordinal="{ordinal}"'
            if " " in headword:
                attributes += ' multiword="yes"'
            out.append(f"    <entry {attributes}>{body}</entry>\n")
            count += 1
    out.append("  </language>\n")
    return "".join(out), count


def unchecked_list(words, shown, code):
    """FreeDict's translations that no other source confirms, on a line of their own after
    the senses: kept, but not presented as translations."""
    items = []
    for word in words:
        if key(word) not in shown:
            shown.add(key(word))
            items.append(f"<u>{html.escape(word)}</u><src>{SOURCE_CODES['fd']}</src>")
    if not items:
        return ""
    return f"<unchecked><abbr>{UNCHECKED[code][0]}</abbr> " + ", ".join(items) + "</unchecked>"


def translations_of_other(kept, code):
    for i, e in kept:
        yield e if code == "it" else i


def added_senses(side, other, h, translations, shown, other_heads):
    """The translations FreeDict's entry lacks, one sense per part of speech, best
    supported first: direct ones, then through more languages, then through one."""
    rank = {"direct": 0, "pivots": 1, "pivot": 2}
    groups = collections.defaultdict(list)
    for t, info in translations.items():
        if t in shown or info[0] not in rank:
            continue
        groups[entry_pos(side, h, info[2])].append((rank[info[0]], -len(info[1]), t, info))
    senses = []
    for pos in [""] + POS_ORDER:
        if pos not in groups:
            continue
        trs = []
        for _, _, t, info in sorted(groups[pos]):
            shown.add(t)
            trs.append(translation_xml(other.spelling(t), info, other_heads, side.code))
        senses.append((pos, ", ".join(trs)))
    return senses


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


def common_headwords(side, other_entries):
    """The headwords with a recorded pronunciation: FreeDict's headwords the other side
    uses most often as a translation, single words only, ties broken by length, then
    alphabetically."""
    uses = collections.Counter(t.lower() for _, _, t in sources.pairs_of(other_entries))
    heads = sorted({side.spelling(key(h)) for h, _, _, _ in side.entries
                    if h and " " not in h and usable(h)},
                   key=lambda h: (-uses[h.lower()], len(h), h))
    return heads[:SOUNDS_PER_LANGUAGE]


def read_core(path):
    """Norvel's core vocabulary: (Italian, English, part of speech) per line."""
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                italian, english, pos = line.rstrip("\n").split("\t")
                yield italian, english, pos


def collect(folder, italian, english, it_side, en_side, core):
    """Every pair of every source, FreeDict's stubs left out."""
    collector = Collector()
    for i, e, pos in core:
        collector.add(i, e, "nv", pos)
    counterparts = collect_wiktionary(collector, folder)
    counterparts.update(collect_apertium(
        collector, {(l, p) for l, ps in it_side.categories.items() for p in ps},
        {(l, p) for l, ps in en_side.categories.items() for p in ps}))
    en_pairs = {(key(h), key(t)) for h, _, t in sources.pairs_of(english)}
    it_pairs = {(key(h), key(t)) for h, _, t in sources.pairs_of(italian)}
    # (Italian, English) -> why FreeDict's pair is left out.
    dropped = {}
    pivot_pairs = collector.pairs
    repeated = "unconfirmed translation of a headword FreeDict repeats: the stub of a lost phrase"
    for pair in misspelt(italian, en_side, pivot_pairs, lambda h, t: (h, t)):
        dropped[pair] = "misspelt English"
    for pair in misspelt(english, it_side, pivot_pairs, lambda h, t: (t, h)):
        dropped[pair] = "misspelt Italian"
    for h, t in repeated_unconfirmed(english, {(e, i): p for (i, e), p in pivot_pairs.items()},
                                     {(e, i) for i, e in it_pairs}):
        dropped[(t, h)] = repeated
    for pair in repeated_unconfirmed(italian, pivot_pairs, {(i, e) for e, i in en_pairs}):
        dropped[pair] = repeated
    for (h, t), phrase in stub_pairs(english, italian).items():
        dropped[(t, h)] = f'stub of "{phrase}"'
    for (h, t), phrase in stub_pairs(italian, english).items():
        dropped[(h, t)] = f'stub of "{phrase}"'
    for h, _, t in sources.pairs_of(italian):
        if (key(h), key(t)) not in dropped:
            collector.add(h, t, "fd")
    for h, _, t in sources.pairs_of(english):
        if (key(t), key(h)) not in dropped:
            collector.add(t, h, "fd")
    return collector, counterparts, dropped


def misspelt(entries, target, pivot_pairs, as_pair):
    """The (Italian, English) pairs of a FreeDict direction whose translation is one word
    that neither the target language's morphology nor hunspell knows, and no pivot gives
    ("strech", "fianciullo"): FreeDict's typing errors."""
    candidates = {}
    for headword, _, t in sources.pairs_of(entries):
        word = key(t)
        if " " in word or "-" in word or word in target.forms:
            continue
        evidence = pivot_pairs.get(as_pair(key(headword), word))
        if evidence is None or not evidence.families():
            candidates.setdefault(t.strip(), set()).add(as_pair(key(headword), word))
    unknown = sources.hunspell_unknown(target.code, candidates)
    return {pair for word in unknown for pair in candidates.get(word, ())}


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    folder = args[0] if args else "/usr/share/dictd"
    output = args[1] if len(args) > 1 else "data/main/norvel.xml.xz"
    pairs_file = sys.argv[sys.argv.index("--pairs") + 1] if "--pairs" in sys.argv else None
    english = sources.read_plain(folder, "freedict-eng-ita")
    italian = sources.read_plain(folder, "freedict-ita-eng")
    morph = os.path.join(os.path.dirname(output), "..", "morph")
    it_side = Side("it", italian, None, os.path.join(morph, "it.tsv.xz"))
    en_side = Side("en", english, None, os.path.join(morph, "en.tsv.xz"))
    core = list(read_core(os.path.join(os.path.dirname(output), "core.tsv")))
    collector, counterparts, dropped = collect(folder, italian, english, it_side, en_side, core)
    it_side.spellings, en_side.spellings = collector.spellings["it"], collector.spellings["en"]
    kept = score_pairs(collector, counterparts)
    if pairs_file:
        with open(pairs_file, "w", encoding="utf-8") as f:
            for (i, e), (score_class, srcs, pos) in sorted(kept.items()):
                f.write(f"{score_class}\t{it_side.spelling(i)}\t{en_side.spelling(e)}\t"
                        f"{pos}\t{' '.join(srcs)}\n")
    sounds, lines = {}, []
    for side, other in ((en_side, italian), (it_side, english)):
        sounds[side.code] = {}
        for n, headword in enumerate(common_headwords(side, other), 1):
            sounds[side.code][headword] = f"{n:04d}.wav"
            lines.append(f"{side.code}\t{n:04d}.wav\t{headword}\n")
    with open(os.path.join(os.path.dirname(output), "sounds.tsv"), "w", encoding="utf-8") as f:
        f.write("".join(lines))
    write_flags(os.path.dirname(output))
    en_xml, en_count = side_xml(en_side, it_side, kept, "search-en.ini", sounds["en"])
    it_xml, it_count = side_xml(it_side, en_side, kept, "search-it.ini", sounds["it"])
    with lzma.open(output, "wt", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                "<!-- Generated by scripts/import/main_dictionary.py from FreeDict (GPL-2+),"
                " Wiktionary-derived FreeDict dictionaries (CC-BY-SA 3.0) and Apertium"
                " (GPL-2+); see README.md. -->\n"
                '<dd6 file="norvel" name="Dizionario Norvel" codepage="1252" lustyle="1">\n'
                '  <view stylesheet="main_view.xsl">\n'
                '    <option caption="rsPronunciation" checked="yes" element="pron"'
                ' hint="rsShowPronunciation" image="3"/>\n'
                '    <option caption="rsSources" checked="no" element="sources"'
                ' hint="rsShowSources" image="20"/>\n'
                "  </view>\n"
                '  <resource file="flag-it.png"/>\n'
                '  <resource file="flag-en.png"/>\n'
                "  <abbreviations>\n")
        abbreviations = {}
        for code in ("en", "it"):
            for _, short, long in LABELS[code]:
                abbreviations.setdefault(short, long)
        abbreviations.update(SOURCE_NAMES)
        for code in ("en", "it"):
            abbreviations.update((INDIRECT[code], UNCHECKED[code]))
        for short, long in sorted(abbreviations.items()):
            f.write(f'    <abbr short="{html.escape(short)}" long="{html.escape(long)}"/>\n')
        f.write("  </abbreviations>\n")
        f.write(en_xml)
        f.write(it_xml)
        f.write("</dd6>\n")
    with open(os.path.join(os.path.dirname(output), "dropped.tsv"), "w", encoding="utf-8") as f:
        f.write("# FreeDict's pairs left out of the main dictionary, and why"
                " (written by scripts/import/main_dictionary.py).\n")
        for (i, e), reason in sorted(dropped.items()):
            f.write(f"{i}\t{e}\t{reason}\n")
    classes = collections.Counter(c for c, _, _ in kept.values())
    print(f"{en_count} English and {it_count} Italian entries; of {len(collector.pairs)} pairs met,"
          " translations kept: "
          + ", ".join(f"{c} {n}" for c, n in sorted(classes.items()))
          + f"; FreeDict pairs left out (stubs, misspellings): {len(dropped)}")


if __name__ == "__main__":
    main()
