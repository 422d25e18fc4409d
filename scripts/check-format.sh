#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from the project's .clang-format.
# Fix with: git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "format: every C++ file follows .clang-format"
