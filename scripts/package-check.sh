#!/usr/bin/env bash
# Builds the Debian package from a clean clone of the committed tree, checks
# it with desktop-file-validate, appstreamcli and lintian, installs it into
# this system with apt, starts the installed program the way a desktop does
# (the desktop entry's Exec line) under Xvfb against the demo server, clicks
# "读取双色球数据", keeps a screenshot and removes the package again.
#
# It installs into the real system, so it runs as root and belongs on a
# throw-away machine (CI). The package is built against a demo server on a
# free loopback port; nothing else is reached.
#   scripts/package-check.sh     leaves build/package/ (package, screenshot.png)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

[ "$(id -u)" -eq 0 ] || { echo "package-check: run as root, it installs the package" >&2; exit 1; }
bash scripts/setup.sh

work=$root/build/package
rm -rf "$work"
mkdir -p "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT

# A loopback port nobody listens on, fixed into the package as its results server.
port=
for _ in $(seq 50); do
  candidate=$((20000 + RANDOM % 20000))
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || { echo "package-check: no free port" >&2; exit 1; }

echo "== build from a clean clone"
git clone -q "$root" "$work/src"
src=$work/src
(
  cd "$src"
  cmake --preset release -DSSQ_RESULTS_SERVER="http://127.0.0.1:$port" -DSSQ_TESTS=OFF -DSSQ_WERROR="${SSQ_WERROR:-OFF}" >/dev/null
  cmake --build --preset release >"$work/build.log" 2>&1 || { tail -n 60 "$work/build.log"; exit 1; }
  cd build/release
  cpack -G DEB >>"$work/build.log" 2>&1 || { tail -n 60 "$work/build.log"; exit 1; }
)
deb=$(ls "$src"/build/release/*.deb)
cp "$deb" "$work/"
deb=$work/$(basename "$deb")
package=$(dpkg-deb -f "$deb" Package)
echo "built $(basename "$deb"): Depends: $(dpkg-deb -f "$deb" Depends)"

echo "== validate"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error "$deb"

echo "== install"
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  apt-get remove --purge -y -q "$package" >/dev/null
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q --no-install-recommends "$deb" >/dev/null
dpkg -L "$package" >"$work/installed-files.txt"
"$package" --version

echo "== start from the desktop entry under Xvfb"
desktop=$(grep -l "^Exec=$package" /usr/share/applications/*.desktop)
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
"$src/build/release/bin/ssq-demo-server" --port "$port" --data data/ssq_history.csv >/dev/null &
pids+=("$!")
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done
Xvfb -displayfd 5 -nolisten tcp -screen 0 1024x640x24 5>"$work/display" 2>/dev/null &
pids+=("$!")
for _ in $(seq 150); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
(cd / && exec sh -c "$exec_line") &
app=$!
pids+=("$app")
# The window must carry the class the desktop entry names.
window=$(LC_ALL=C.UTF-8 timeout 30 xdotool search --sync --onlyvisible --class "^$wm_class\$" | head -n1)
[ -n "$window" ] || { echo "package-check: no window of class $wm_class" >&2; exit 1; }
title=$(xdotool getwindowname "$window")
case "$title" in 澜舟号录分析工具*) ;; *) echo "package-check: unexpected caption '$title'" >&2; exit 1 ;; esac
xdotool mousemove --window "$window" 204 92 click 1
sleep 4
import -window root "$work/screenshot.png"
kill "$(xdotool getwindowpid "$window")" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "window '$title' up; screenshot at build/package/screenshot.png"

echo "== remove"
apt-get remove --purge -y -q "$package" >/dev/null
left=()
while read -r path; do
  [ -f "$path" ] || [ -L "$path" ] && left+=("$path")
done <"$work/installed-files.txt"
[ ${#left[@]} -eq 0 ] || { echo "package-check: left after removal: ${left[*]}" >&2; exit 1; }
echo "package-check: built, validated, installed, started and removed $package"
