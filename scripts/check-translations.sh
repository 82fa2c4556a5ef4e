#!/usr/bin/env bash
# Fails when a text of the program has no Italian translation: collects the texts as
# update-translations.sh does, into a copy of translations/nv_it.ts, and lists every text
# that is new or left unfinished there. Usage: scripts/check-translations.sh BUILD-DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/asan}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/zelmodule" engine-texts "$work/EngineTexts.cpp"
cp "$root/translations/nv_it.ts" "$work/nv_it.ts"
sources=("$root/src/Windows" "$root/src/NV" "$work/EngineTexts.cpp")
[ -d "$root/lib/Zel" ] && sources+=("$root/lib/Zel")
/usr/lib/qt6/bin/lupdate -silent -locations none -no-obsolete "${sources[@]}" -ts "$work/nv_it.ts"
python3 - "$work/nv_it.ts" <<'PY'
import sys
import xml.etree.ElementTree as ET
missing = []
for context in ET.parse(sys.argv[1]).getroot().findall("context"):
    for message in context.findall("message"):
        translation = message.find("translation")
        text = "".join(translation.itertext()).strip()
        if translation.get("type") in ("unfinished",) or not text:
            missing.append(context.find("name").text + ": " + message.find("source").text)
for line in missing:
    print("not translated:", line)
sys.exit(1 if missing else 0)
PY
echo "Every text has its Italian translation."
