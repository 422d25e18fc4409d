#!/usr/bin/env bash
# Pictures of the real window after a full download and a random run, taken on
# a private Xvfb display against a demo server on a free loopback port.
#   scripts/screens.sh [OUT_DIR]     (default build/demo/screens)
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/demo/screens}
cmake --build --preset demo --target ssq_window_screens >/dev/null
# xcb, not offscreen: the pictures are what an X server shows.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-nolisten tcp -screen 0 1024x640x24" \
  build/demo/bin/ssq_window_screens "$out"
