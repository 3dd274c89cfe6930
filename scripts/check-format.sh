#!/usr/bin/env bash
# Checks that every C and C++ source of the project is formatted as .clang-format says.
# With --fix it formats them instead. Usage: scripts/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh clang-format
# GoogleTest's port header keeps the layout of the file it stands in for.
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h' | grep -v '^cmake/gtest-win32-threads/')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "format: the files above differ from .clang-format; scripts/check-format.sh --fix formats them" >&2
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
