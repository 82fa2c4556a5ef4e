#!/usr/bin/env bash
# Configures the Release build of Norvel in the folder given (build/release by default)
# unless it is configured already, with ccache when there is one. Used by run.sh and
# package-deb.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build/release}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEL_TESTS=OFF \
        "${launcher[@]}" >&2
fi
