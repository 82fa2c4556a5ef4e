#!/usr/bin/env bash
# Builds the fuzz targets (clang, build/fuzz) and runs each for the given number of
# seconds, with its token dictionary and a fresh corpus. Fails on the first finding.
# Usage: fuzz/run-all.sh [SECONDS]   (default 60)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/fuzz-build.sh" >&2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failed=0
for target in "$root"/build/fuzz/bin/fuzz_*; do
    name="$(basename "$target")"
    dict="$root/fuzz/${name#fuzz_}.dict"
    mkdir -p "$work/$name"
    # A target's seeds (fuzz/seeds/<name>/) start its corpus where a format is hard to
    # reach from nothing; an input that runs longer than 10 seconds counts as a hang.
    seeds="$root/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp "$seeds"/* "$work/$name/"
    options=(-max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10
        -artifact_prefix="$work/$name-")
    [ -f "$dict" ] && options+=(-dict="$dict")
    if (cd "$work" && "$target" "${options[@]}" "$work/$name" > "$work/$name.log" 2>&1); then
        runs="$(grep -o 'Done [0-9]* runs' "$work/$name.log" | tail -1 || true)"
        echo "$name: clean (${runs:-no summary})"
    else
        echo "$name: FAILED" >&2
        tail -40 "$work/$name.log" >&2
        ls "$work"/"$name"-* 2>/dev/null | while read -r artifact; do
            echo "artifact: $artifact ($(xxd -p "$artifact" | head -c 400))" >&2
        done
        failed=1
    fi
done
exit $failed
