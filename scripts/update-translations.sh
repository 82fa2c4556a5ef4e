#!/usr/bin/env bash
# Brings the Italian translation source (translations/nv_it.ts) up to date with the texts
# of the program: the windows' texts (tr() and QT_TRANSLATE_NOOP in src/Windows, src/NV,
# lib/Zel) and the engine's resource strings (context "Engine"). New texts arrive
# unfinished for a translator (Qt Linguist: linguist translations/nv_it.ts); texts the
# program no longer has are dropped. Uses the build in build/asan (or $NORVEL_BUILD_DIR).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NORVEL_BUILD_DIR:-$root/build/asan}"
cmake --build "$build" --target zelmodule >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/zelmodule" engine-texts "$work/EngineTexts.cpp"
sources=("$root/src/Windows" "$root/src/NV" "$work/EngineTexts.cpp")
[ -d "$root/lib/Zel" ] && sources+=("$root/lib/Zel")
/usr/lib/qt6/bin/lupdate -silent -locations none -no-obsolete "${sources[@]}" \
    -ts "$root/translations/nv_it.ts"
