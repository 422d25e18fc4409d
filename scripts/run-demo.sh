#!/usr/bin/env bash
# Sets up, builds and runs the tool against the bundled loopback demo server.
# Without a display it runs under Xvfb and saves a screenshot you can look at.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset demo >/dev/null
cmake --build --preset demo

build=build/demo
"$build/bin/ssq-demo-server" --port 18080 --data data/ssq_history.csv &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  curl -sf -o /dev/null http://127.0.0.1:18080/zhcw/html/ssq/list_1.html && break
  sleep 0.1
done

if [ -n "${DISPLAY:-}" ]; then
  "$build/bin/澜舟号录.exe"
else
  echo "No display: running under Xvfb on :99."
  echo "A screenshot is written to build/demo/screenshot.png every 5 s;"
  echo "or view it live with: x11vnc -display :99 (and a VNC viewer). Ctrl-C ends it."
  command -v convert >/dev/null || apt-get install -y -q --no-install-recommends imagemagick >/dev/null 2>&1 || true
  Xvfb :99 -screen 0 1024x640x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $server $xvfb 2>/dev/null || true' EXIT
  sleep 1
  DISPLAY=:99 "$build/bin/澜舟号录.exe" &
  app=$!
  while kill -0 $app 2>/dev/null; do
    sleep 5
    DISPLAY=:99 import -window root "$build/screenshot.png" 2>/dev/null || true
  done
fi
