#!/usr/bin/env bash
# Formats the C++ files changed since a commit (default: the last one) with clang-format;
# with --check, only reports files that are not formatted and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
if [ "${1:-}" = "--check" ]; then
    mode=(--dry-run --Werror)
    shift
fi
base="${1:-HEAD}"
mapfile -t files < <( (git diff --name-only --diff-filter=ACMR "$base"; git ls-files --others --exclude-standard) |
    grep -E '\.(cpp|h)$' | sort -u)
if [ ${#files[@]} -eq 0 ]; then
    exit 0
fi
clang-format "${mode[@]}" "${files[@]}"
