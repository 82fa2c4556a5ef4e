#!/usr/bin/env python3
"""Builds the full-form lexicons of the sample morphologies from the Apertium analysers in
Debian (apertium-cat-ita, apertium-spa-ita, apertium-eng-cat, apertium-eng-spa), expanded
with lt-paradigm (lttoolbox-dev): data/morph/it.tsv.xz and data/morph/en.tsv.xz, compiled
by `zeldict dm4`.

Every analysis "lemma<tag>...:form" becomes the reading "form, lemma, category,
description" with the category of the lexicon format and a description written for a
learner (Italian descriptions for Italian, English for English). Left out: compounds ("+")
other than a preposition with the article ("della") and a verb with one enclitic pronoun
("farlo"),
acronyms, numerals written in digits, punctuation and forms outside Windows-1252. The
apostrophe spellings of final accented vowels ("perche'" for "perché") are kept without
the apostrophe, the token that text gives; elided forms such as "l'" and "dell'" stay. A clitic written apart ("'s",
"'ll") is kept as the letters after the apostrophe, the token that text gives.

Usage: scripts/import/apertium.py [APERTIUM_FOLDER] [OUTPUT_FOLDER]
"""
import lzma
import re
import subprocess
import sys

ANALYSERS = {
    "it": ["apertium-cat-ita/ita-cat.automorf.bin", "apertium-spa-ita/ita-spa.automorf.bin"],
    "en": ["apertium-eng-cat/eng-cat.automorf.bin", "apertium-eng-spa/eng-spa.automorf.bin"],
}

HEADERS = {
    "it": "@file=dm4it\n@name=Morfologia italiana\n@language=it\n@codepage=1252\n@lustyle=0\n"
          "@vowels=aeiouàèéìíòóùú\n@consonants=bcdfghjklmnpqrstvwxyz\n",
    "en": "@file=dm4en\n@name=English morphology\n@language=en\n@codepage=1252\n@lustyle=0\n"
          "@vowels=aeiouy\n@consonants=bcdfghjklmnpqrstvwxyz\n",
}

VERBS = {"vblex", "vbser", "vbhaver", "vbmod", "vaux", "vbdo"}
SKIPPED = {"acr", "sent", "cm", "lpar", "rpar", "lquot", "rquot", "guio", "apos",
           "sym", "punt", "percent"}


ARTICLES = {"il", "lo", "la", "un", "uno", "una", "the", "a", "an"}


def category(tags, lemma=""):
    first = tags[0]
    if first in ("n", "np"):
        return "n"
    if first in VERBS:
        return "v"
    if first in ("adj", "predet", "num"):
        return "adj"
    if first in ("adv", "preadv"):
        return "adv"
    if first == "pr":
        return "pre"
    if first in ("prn", "rel"):
        return "pron"
    if first.startswith("cnj"):
        return "conj"
    if first == "ij":
        return "inte"
    if first == "det":
        return "art" if lemma in ARTICLES else "adj"
    if first == "abbr":
        return "abbr"
    return None


IT = {
    "n": "sostantivo", "np": "nome proprio", "adj": "aggettivo", "predet": "aggettivo",
    "adv": "avverbio", "preadv": "avverbio", "pr": "preposizione", "prn": "pronome",
    "rel": "pronome relativo", "cnjcoo": "congiunzione coordinativa",
    "cnjsub": "congiunzione subordinativa", "cnjadv": "congiunzione", "ij": "interiezione",
    "det": "aggettivo", "abbr": "abbreviazione", "num": "numerale", "ord": "ordinale",
    "articulated": "preposizione articolata", "enclitic": "con pronome enclitico",
    "vblex": "verbo", "vbser": "verbo", "vbhaver": "verbo", "vbmod": "verbo",
    "vaux": "verbo",
    "def": "articolo determinativo", "ind": "indefinito", "dem": "dimostrativo",
    "pos": "possessivo", "itg": "interrogativo", "qnt": "quantificatore",
    "pri": "indicativo presente", "pii": "indicativo imperfetto", "ifi": "passato remoto",
    "fti": "futuro semplice", "cni": "condizionale presente", "prs": "congiuntivo presente",
    "pis": "congiuntivo imperfetto", "imp": "imperativo", "inf": "infinito",
    "ger": "gerundio", "pp": "participio passato", "pprs": "participio presente",
    "p1": "1ª persona", "p2": "2ª persona", "p3": "3ª persona",
    "m": "maschile", "f": "femminile", "mf": "maschile e femminile", "nt": "neutro",
    "sg": "singolare", "pl": "plurale", "sp": "singolare e plurale",
    "sup": "superlativo", "comp": "comparativo",
}

EN = {
    "n": "noun", "np": "proper noun", "adj": "adjective", "predet": "predeterminer",
    "adv": "adverb", "preadv": "adverb", "pr": "preposition", "prn": "pronoun",
    "rel": "relative pronoun", "cnjcoo": "coordinating conjunction",
    "cnjsub": "subordinating conjunction", "cnjadv": "conjunction", "ij": "interjection",
    "det": "determiner", "abbr": "abbreviation", "num": "numeral", "ord": "ordinal",
    "vblex": "verb", "vbser": "verb be", "vbhaver": "verb have", "vbmod": "modal verb",
    "vaux": "auxiliary verb", "vbdo": "verb do",
    "def": "definite article", "ind": "indefinite", "dem": "demonstrative",
    "pos": "possessive", "itg": "interrogative", "qnt": "quantifier",
    "inf": "base form", "pres": "present", "past": "past tense", "pp": "past participle",
    "ger": "-ing form", "pprs": "present participle", "subs": "-ing form as a noun",
    "imp": "imperative",
    "p1": "first person", "p2": "second person", "p3": "third person",
    "sg": "singular", "pl": "plural", "sp": "singular and plural",
    "m": "masculine", "f": "feminine", "mf": "masculine and feminine", "nt": "neuter",
    "sint": "", "comp": "comparative", "sup": "superlative",
    "subj": "subject", "obj": "object",
}

ACCENT_SUBSTITUTES = re.compile(r"['´‘’ʼ`]$")


def describe(language, tags):
    words = IT if language == "it" else EN
    if tags[0] == "det" and "def" in tags:
        tags = tags[1:]  # "articolo determinativo", not "aggettivo articolo ..."
    if "articulated" in tags:
        tags = tags[1:]  # "preposizione articolata", said once
    parts = [words[t] for t in tags if words.get(t)]
    return " ".join(dict.fromkeys(parts))  # each word once, in order


def fits(text):
    try:
        text.encode("cp1252")
        return True
    except UnicodeEncodeError:
        return False


def readings(language, folder):
    seen = set()
    for analyser in ANALYSERS[language]:
        out = subprocess.run(["lt-paradigm", "-a", f"{folder}/{analyser}"], input="*<*>\n",
                             capture_output=True, text=True, check=True).stdout
        for line in out.splitlines():
            analysis, _, form = line.rpartition(":")
            if not analysis or "#" in analysis or "<" not in analysis:
                continue
            if "+" in analysis:
                # Of the joins, a preposition with the article ("del", "sulla"), read as
                # the preposition, and a verb with one enclitic pronoun ("farlo", "dimmi"),
                # read as the verb.
                first, _, rest = analysis.partition("+")
                if first.endswith("<pr>") and rest.startswith("il<det><def>"):
                    analysis = (first[:-len("<pr>")] + "<pr><articulated>" +
                                rest[len("il<det><def>"):])
                elif "+" not in rest and "<enc>" in rest and re.search(r"<vb[a-z]*>", first):
                    analysis = first + "<enclitic>"
                else:
                    continue
            lemma = analysis[:analysis.index("<")]
            if lemma == "prpers":
                # The personal pronouns share a placeholder lemma; each is a headword of
                # its own ("she", "them"), "I" keeping its capital.
                lemma = form if form == "I" else form.lower()
            tags = re.findall(r"<([^>]*)>", analysis)
            if not tags or tags[0] in SKIPPED or any(t in SKIPPED for t in tags):
                continue
            if tags[0] == "num" and not form.isalpha():
                continue
            code = category(tags, lemma)
            if code is None or not form or not lemma:
                continue
            if ACCENT_SUBSTITUTES.search(form) and code in ("n", "v", "adj", "adv"):
                # "piu'" for "più": text is cut at the apostrophe, so the token is "piu".
                form = form[:-1]
            form = form.replace("’", "'")
            lemma = lemma.replace("’", "'")
            # Text is cut at apostrophes, so a clitic written apart ("'s", "'ll") is met
            # as the letters after it.
            if form.startswith("'"):
                form = form[1:]
            if not form or not fits(form) or not fits(lemma) or "\t" in form:
                continue
            reading = (form, lemma, code, describe(language, tags))
            if reading not in seen:
                seen.add(reading)
                yield reading


# Words written cut short with an apostrophe, which the text then meets as the letters
# around it ("un po'", "be'"; "didn't", "we'll"): read as the words they stand for.
ELIDED = {
    "it": [("po", "poco", "adv", "avverbio"),
           ("po", "poco", "pron", "pronome neutro singolare"),
           ("be", "bene", "adv", "avverbio")],
    # English contractions: the text is cut at the apostrophe, so "didn't" comes as "didn"
    # and "t", "we'll" as "we" and "ll"; each part reads as the word it stands for.
    "en": [("t", "not", "adv", "adverb"),
           ("ll", "will", "v", "modal verb present"),
           ("ve", "have", "v", "verb have present"),
           ("d", "will", "v", "modal verb past tense"),
           ("d", "have", "v", "verb have past tense"),
           ("don", "do", "v", "verb do present"),
           ("doesn", "do", "v", "verb do present third person singular"),
           ("didn", "do", "v", "verb do past tense"),
           ("isn", "be", "v", "verb be present third person singular"),
           ("aren", "be", "v", "verb be present"),
           ("wasn", "be", "v", "verb be past tense third person singular"),
           ("weren", "be", "v", "verb be past tense"),
           ("hasn", "have", "v", "verb have present third person singular"),
           ("haven", "have", "v", "verb have present"),
           ("hadn", "have", "v", "verb have past tense"),
           ("couldn", "can", "v", "modal verb past tense"),
           ("wouldn", "will", "v", "modal verb past tense"),
           ("shouldn", "shall", "v", "modal verb past tense"),
           ("mustn", "must", "v", "modal verb base form"),
           ("needn", "need", "v", "verb present"),
           ("cannot", "can", "v", "modal verb present"),
           # "won't": written with its apostrophe, so that "won" alone stays "win".
           ("won'", "will", "v", "modal verb present"),
           ("shan", "shall", "v", "modal verb present"),
           ("ain", "be", "v", "verb be present"),
           # "children's": the "s" after the apostrophe is the possessive as well as "is"
           # and "has" ("she's").
           ("s", "'s", "suf", "possessive ending")],
}

# Words running text is full of that the Apertium data lacks: the letters of the alphabet
# ("the letter n", "la lettera b"), the titles written before names, "self", the suffixes of
# ordinal numbers written in digits ("4th", cut at the digits), and spoken contractions.
LETTER = {"it": "lettera dell'alfabeto", "en": "letter of the alphabet"}
SUPPLEMENT = {
    "it": [("sig", "signore", "abbr", "abbreviazione"),
           ("sigg", "signore", "abbr", "abbreviazione"),
           ("dott", "dottore", "abbr", "abbreviazione"),
           ("prof", "professore", "abbr", "abbreviazione"),
           ("ecc", "eccetera", "abbr", "abbreviazione")],
    "en": [("mr", "Mr", "abbr", "abbreviation"),
           ("mrs", "Mrs", "abbr", "abbreviation"),
           ("ms", "Ms", "abbr", "abbreviation"),
           ("dr", "Dr", "abbr", "abbreviation"),
           ("jr", "Jr", "abbr", "abbreviation"),
           ("st", "St", "abbr", "abbreviation"),
           ("etc", "etc", "abbr", "abbreviation"),
           ("th", "th", "suf", "ordinal ending"),
           ("nd", "nd", "suf", "ordinal ending"),
           ("rd", "rd", "suf", "ordinal ending"),
           ("self", "self", "n", "noun singular"),
           ("selves", "self", "n", "noun plural"),
           ("gonna", "go", "v", "verb -ing form"),
           ("wanna", "want", "v", "verb base form")],
}


def letters(language, lines):
    """The letters of the alphabet that are not already words ("e", "a" and "o" are)."""
    forms = {r[0] for r in lines}
    return {(c, c, "n", LETTER[language]) for c in "abcdefghijklmnopqrstuvwxyz"
            if c not in forms}

# Two pronouns after a verb ("dammelo", "dirglielo", "portandoglielo", "mandarmela",
# "andarsene"): the first pronoun of a verb form with one enclitic (mi, ti, ci, vi, si,
# gli) takes its combining form (me, te, ce, ve, se, glie) before lo, la, li, le or ne.
# Generated for the infinitives, gerunds and imperatives; the past participles, which
# hardly take two, are left out.
COMBINING = {"gli": "glie", "mi": "me", "ti": "te", "ci": "ce", "vi": "ve", "si": "se"}
SECOND = ("lo", "la", "li", "le", "ne")


def two_enclitic_forms(lines):
    forms = set()
    for form, lemma, code, description in lines:
        if code != "v" or "con pronome enclitico" not in description or "participio" in description:
            continue
        first = next((c for c in COMBINING if form.endswith(c)), None)
        if first is None:
            continue
        two = description.replace("con pronome enclitico", "con due pronomi enclitici")
        for second in SECOND:
            forms.add((form[:-len(first)] + COMBINING[first] + second, lemma, code, two))
    return forms


# "glielo" and its kin: the combined pronouns written as one word before a verb.
GLIE = [("glie" + second, "gli", "pron", f"pronome combinato (gli + {second})")
        for second in SECOND]

ACCENTED = {"a": "àá", "e": "èé", "i": "ìí", "o": "òó", "u": "ùú",
            "A": "ÀÁ", "E": "ÈÉ", "I": "ÌÍ", "O": "ÒÓ", "U": "ÙÚ"}


def drop_shadowing_variants(lines):
    """Leaves out the unaccented variants that stand for a word another word already is.

    A form written with an apostrophe for its final accent ("alberò" as "albero'", "è" as
    "e'") is kept as the unaccented form, so that the text's "albero'" is read; but where
    that form is a word of its own ("albero", the noun; "e", the conjunction) the variant
    only misleads, and goes. A reading is such a variant when the same lemma, category and
    description exist for the form with its last vowel accented.
    """
    readings = set(lines)
    by_form = {}
    for reading in lines:
        by_form.setdefault(reading[0], []).append(reading)

    def is_variant(reading):
        form, rest = reading[0], reading[1:]
        if not form or form[-1] not in ACCENTED:
            return False
        spellings = {form, form.lower()}  # "E'" may stand for "è" as well as "È"
        return any((spelling[:-1] + accented,) + rest in readings for spelling in spellings
                   for accented in ACCENTED[spelling[-1]])

    kept = []
    for reading in lines:
        form = reading[0]
        # A capital stands for the word at the start of a sentence: "E" (for "È") is "e".
        shadows = by_form.get(form, []) + (by_form.get(form.lower(), []) if form[:1].isupper()
                                           else [])
        if is_variant(reading) and any(not is_variant(other) for other in shadows):
            continue
        kept.append(reading)
    return kept


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/apertium"
    output = sys.argv[2] if len(sys.argv) > 2 else "data/morph"
    for language in ("it", "en"):
        found = set(readings(language, folder))
        if language == "it":
            found |= two_enclitic_forms(found) | set(GLIE)
        found |= set(ELIDED[language]) | set(SUPPLEMENT[language])
        lines = drop_shadowing_variants(sorted(found | letters(language, found)))
        descriptions = {r[3] for r in lines}
        if len(descriptions) > 255:
            sys.exit(f"{language}: {len(descriptions)} descriptions, the format holds 255")
        body = HEADERS[language] + "".join("\t".join(r) + "\n" for r in lines)
        with lzma.open(f"{output}/{language}.tsv.xz", "wt", encoding="utf-8", preset=9) as f:
            f.write(body)
        lemmas = {(r[1], r[2]) for r in lines}
        print(f"{language}: {len(lines)} readings, {len({r[0] for r in lines})} forms,"
              f" {len(lemmas)} lemmas, {len(descriptions)} descriptions")


if __name__ == "__main__":
    main()
