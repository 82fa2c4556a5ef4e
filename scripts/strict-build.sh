#!/usr/bin/env bash
# Builds the engine and the kit with their warnings as errors (-Wall -Wextra -Wshadow
# -Wconversion), into build/strict. CI runs it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$root/build/strict" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNORVEL_STRICT=ON \
    -DNORVEL_TESTS=OFF -DNORVEL_SAMPLE=OFF "${launcher[@]}"
cmake --build "$root/build/strict" --target zel_base zel_platform zel_shared zel_fmorph zel_dm4 \
    zel_nv zel_kit check_layers
