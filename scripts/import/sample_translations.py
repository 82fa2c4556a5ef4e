#!/usr/bin/env python3
"""Draws the fixed random sample of translations judged by hand for docs/data.md: 200 pairs
of each scoring class (FreeDict's unchecked pairs included) from the list `main_dictionary.py --pairs PAIRS.tsv` writes, with the
seed below, so that the same data give the same sample.

Without verdicts, prints the sample to judge, one pair per line. With a verdicts file (one
line per judged pair: class, Italian, English, then "r" right, "p" partly right or "w"
wrong, optionally followed by a remark), prints the table of results and the sample with
its verdicts, in Markdown; a pair of the sample without a verdict is listed to judge.

Usage: scripts/import/sample_translations.py PAIRS.tsv [VERDICTS.txt]
"""
import collections
import hashlib
import sys

SEED = 27
PER_CLASS = 200
CLASSES = ["direct", "freedict", "pivots", "pivot"]
VERDICTS = {"r": "right", "p": "partly", "w": "wrong"}


def sample(pairs_file):
    by_class = collections.defaultdict(list)
    with open(pairs_file, encoding="utf-8") as f:
        for line in f:
            score_class, italian, english, pos, srcs = line.rstrip("\n").split("\t")
            by_class[score_class].append((italian, english, pos, srcs))
    out = []
    for score_class in CLASSES:
        # The pairs with the smallest seeded hash: a random draw that stays the same for the
        # pairs that stay when the data change a little.
        rows = sorted(by_class[score_class], key=lambda row: draw_key(score_class, row))
        out += [(score_class,) + row for row in rows[:PER_CLASS]]
    return out, {c: len(by_class[c]) for c in CLASSES}


def draw_key(score_class, row):
    text = f"{SEED}\t{score_class}\t{row[0]}\t{row[1]}".encode("utf-8")
    return hashlib.sha256(text).hexdigest()


def main():
    rows, sizes = sample(sys.argv[1])
    if len(sys.argv) < 3:
        for n, (score_class, italian, english, pos, srcs) in enumerate(rows, 1):
            print(f"{n}\t{score_class}\t{italian}\t{english}\t{pos}\t{srcs}")
        return
    verdicts = {}
    with open(sys.argv[2], encoding="utf-8") as f:
        for line in f:
            score_class, italian, english, verdict = line.rstrip("\n").split("\t")
            verdicts[(score_class, italian.lower(), english.lower())] = verdict.split(" ", 1)
    verdicts = [verdicts.get((c, i.lower(), e.lower())) for c, i, e, _, _ in rows]
    unjudged = [row for row, verdict in zip(rows, verdicts) if verdict is None]
    if unjudged:
        for score_class, italian, english, pos, srcs in unjudged:
            print(f"{score_class}\t{italian}\t{english}\t{pos}\t{srcs}")
        sys.exit(f"{len(unjudged)} pairs of the sample have no verdict")
    counts = collections.defaultdict(collections.Counter)
    for (score_class, *_), (verdict, *_) in zip(rows, verdicts):
        counts[score_class][VERDICTS[verdict]] += 1
    print("| Class | Translations | Sampled | Right | Partly | Wrong |")
    print("|---|---|---|---|---|---|")
    for c in CLASSES:
        n = sum(counts[c].values())
        cells = [f"{counts[c][v]} ({100.0 * counts[c][v] / n:.1f}%)" for v in VERDICTS.values()]
        print(f"| {c} | {sizes[c]:,} | {n} | " + " | ".join(cells) + " |")
    print()
    print("| # | Class | Italian | English | Sources | Verdict |")
    print("|---|---|---|---|---|---|")
    for n, ((score_class, italian, english, _, srcs), verdict) in enumerate(zip(rows, verdicts), 1):
        remark = f" ({verdict[1]})" if len(verdict) > 1 else ""
        print(f"| {n} | {score_class} | {italian} | {english} | {srcs} | "
              f"{VERDICTS[verdict[0]]}{remark} |")


if __name__ == "__main__":
    main()
