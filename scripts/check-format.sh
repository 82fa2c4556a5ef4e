#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted as .clang-format says (CI runs it).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
