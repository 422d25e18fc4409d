#!/usr/bin/env bash
# Sets up, builds and runs every test through ctest.
#   scripts/test.sh            the demo configuration
#   scripts/test.sh --asan     the same tests under AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

preset=demo
[ "${1:-}" = "--asan" ] && preset=asan

bash scripts/setup.sh
cmake --preset "$preset" -DSSQ_WERROR="${SSQ_WERROR:-OFF}" >/dev/null
cmake --build --preset "$preset"
export QT_QPA_PLATFORM=offscreen
# Leaks are reported; only those inside system libraries are suppressed.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0:${LSAN_OPTIONS:-}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:${UBSAN_OPTIONS:-}"
ctest --preset "$preset" --no-tests=error -j2 --timeout 600
