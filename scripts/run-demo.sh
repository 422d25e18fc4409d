#!/usr/bin/env bash
# Sets up, builds and runs the tool against the bundled loopback demo server.
# Without a display it runs under Xvfb and keeps a screenshot of the screen at
# build/demo/screenshot.png (renewed every 5 s) that you can look at.
#   scripts/run-demo.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset demo >/dev/null
cmake --build --preset demo --target ssq_tool ssq_demo_server_bin

build=build/demo
port=18080 # the demo preset's results and update server
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

"$build/bin/ssq-demo-server" --port "$port" --data data/ssq_history.csv &
server=$!
pids+=("$server")
# Up once it accepts connections; a server that cannot bind ends at once.
for _ in $(seq 100); do
  kill -0 "$server" 2>/dev/null || { echo "run-demo: the demo server did not start (port $port in use?)" >&2; exit 1; }
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done
echo "Demo server on http://127.0.0.1:$port"

if [ -n "${DISPLAY:-}" ]; then
  "$build/bin/澜舟号录.exe"
  exit 0
fi

# No display: a private Xvfb on the first free display number.
numberfile="$build/xvfb-display"
rm -f "$numberfile"
Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x640x24 5>"$numberfile" 2>/dev/null &
pids+=("$!")
for _ in $(seq 150); do
  [ -s "$numberfile" ] && break
  sleep 0.1
done
[ -s "$numberfile" ] || { echo "run-demo: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$numberfile")"
echo "No display: running under Xvfb on $DISPLAY."
echo "A screenshot is written to $build/screenshot.png every 5 s;"
echo "or view it live with: x11vnc -display $DISPLAY (and a VNC viewer). Ctrl-C ends it."

"$build/bin/澜舟号录.exe" &
app=$!
pids+=("$app")
# The first picture once the window is on the screen, then every 5 s.
LC_ALL=C.UTF-8 timeout 30 xdotool search --sync --onlyvisible --pid "$app" >/dev/null 2>&1 || true
sleep 1
while kill -0 "$app" 2>/dev/null; do
  import -window root "$build/screenshot.png" 2>/dev/null || true
  sleep 5
done
