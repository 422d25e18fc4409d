#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while.
#   scripts/fuzz.sh            30 seconds per target
#   scripts/fuzz.sh 600        ten minutes per target
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzzers
shopt -s nullglob
for target in build/fuzz/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=(); [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" "${seeds[@]}" 2>&1 | tail -n 3
done
