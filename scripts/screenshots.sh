#!/usr/bin/env bash
# Takes the user guide's pictures of the workstation under a virtual display (Xvfb), in
# English and in Italian, into docs/images. Rerunnable; uses the build in build/release
# (made when missing).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NORVEL_BUILD_DIR:-$root/build/release}"
"$root/scripts/install-deps.sh" >&2
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEL_TESTS=OFF >&2
fi
cmake --build "$build" --target zelshots NV QNV sample nv_help >&2
out="$root/docs/images"
mkdir -p "$out"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for language in en it; do
    locale=$([ "$language" = en ] && echo 00000009 || echo 00000010)
    printf 'Windows Registry Editor Version 5.00\n\n[Software\\VRD\\NV\\1.0]\n"Locale"=dword:%s\n' \
        "$locale" > "$work/user-$language.reg"
    ZEL_USER_HIVE="$work/user-$language.reg" XDG_DATA_HOME="$work/data" \
        xvfb-run -a -s '-screen 0 1280x800x24' "$build/bin/zelshots" "$work" "$language"
    for picture in main qnv annotation mode-list mode-search mode-wordform tree page forms menu whatsthis help reference word abbreviation picture sources floating list advanced wordform progress; do
        cp "$work/$picture-$language.png" "$out/"
    done
done
cp "$work/splash.png" "$out/"
# The window at 200% scaling, as a person with a high-resolution screen or large text sees it.
mkdir -p "$work/scaled"
printf 'Windows Registry Editor Version 5.00\n\n[Software\\VRD\\NV\\1.0]\n"Locale"=dword:00000009\n' \
    > "$work/user-scaled.reg"
ZEL_USER_HIVE="$work/user-scaled.reg" XDG_DATA_HOME="$work/data" QT_SCALE_FACTOR=2 \
    xvfb-run -a -s '-screen 0 2560x1600x24' "$build/bin/zelshots" "$work/scaled" en
cp "$work/scaled/main-en.png" "$out/main-en-200.png"
ls -l "$out"
