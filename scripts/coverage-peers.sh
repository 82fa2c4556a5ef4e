#!/usr/bin/env bash
# How much of two long texts the sample morphologies recognise, side by side with two
# peers on the same texts: Apertium's analysers (lt-proc) and hunspell's dictionaries.
# The texts are Debian's fortune cookies: Italian (fortunes-it) and English (the English
# files of fortunes and fortunes-min). Each tool counts the word tokens as it cuts them.
# Usage: scripts/coverage-peers.sh [BUILD]   (build/release by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
needed=(fortunes-it fortunes fortunes-min lttoolbox apertium-cat-ita apertium-eng-cat
    hunspell hunspell-it hunspell-en-us)
for p in "${needed[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { echo "needs: apt-get install ${needed[*]}" >&2; exit 2; }
done
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fortunes=/usr/share/games/fortunes
cat "$fortunes"/it/*.u8 | grep -av '^%$' > "$work/it.txt"
for f in "$fortunes"/*; do
    case "$(basename "$f")" in *.*) continue ;; esac
    [ -f "$f" ] || continue
    case "$(realpath "$f")" in "$fortunes"/it/*) continue ;; esac
    cat "$f"
done | grep -av '^%$' > "$work/en.txt"

# lt-proc: a token holding a letter is recognised unless its analysis is "*".
apertium=/usr/share/apertium
for language in it en; do
    case $language in
    it) analyser=$apertium/apertium-cat-ita/ita-cat.automorf.bin dictionary=it_IT ;;
    en) analyser=$apertium/apertium-eng-cat/eng-cat.automorf.bin dictionary=en_US ;;
    esac
    words=$(wc -w < "$work/$language.txt")
    echo "$language: $words words (wc)"
    printf '  Norvel:   '
    "$build/bin/zeldict" coverage "$build/share/norvel/morph-$language/dm4$language.dm4" \
        "$work/$language.txt"
    python3 - "$work/$language.txt" "$analyser" <<'EOF'
import re, subprocess, sys
text = open(sys.argv[1], encoding="utf-8", errors="replace").read()
for c in "\\[]^$/@*<>{}#+~|":
    text = text.replace(c, "\\" + c)
out = subprocess.run(["lt-proc", "-a", sys.argv[2]], input=text, capture_output=True,
                     text=True, check=True).stdout
words = known = 0
for token in re.findall(r"\^((?:[^$\\]|\\.)*)\$", out):
    surface, _, analyses = token.partition("/")
    if not re.search(r"[^\W\d_]", surface):
        continue
    n = len(surface.split())
    words += n
    known += 0 if analyses.startswith("*") else n
print(f"  lt-proc:  {known} of {words} words recognised ({100 * known / words:.1f}%)")
EOF
    good=$(hunspell -G -d "$dictionary" < "$work/$language.txt" | wc -l)
    bad=$(hunspell -l -d "$dictionary" < "$work/$language.txt" | wc -l)
    python3 -c "print(f'  hunspell: $good of $((good + bad)) words recognised ({100 * $good / ($good + $bad):.1f}%)')"
done
