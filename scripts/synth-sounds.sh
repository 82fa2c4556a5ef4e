#!/usr/bin/env bash
# Synthesises the recorded pronunciations of the sample dictionary with espeak-ng:
# for each line "LANG<TAB>FILE<TAB>WORD" of the list, OUTDIR/LANG/FILE, a wave image.
# Usage: scripts/synth-sounds.sh LIST OUTDIR
set -euo pipefail
list="$1"
out="$2"
mkdir -p "$out/en" "$out/it"
# Two at a time: a call costs mostly start-up.
tr '\t' '\037' < "$list" | xargs -P 2 -d '\n' -n 1 sh -c '
    IFS=$(printf "\037") read -r lang file word <<EOT
$1
EOT
    espeak-ng -v "$lang" -s 140 -w "$0/$lang/$file" "$word"' "$out"
