#!/usr/bin/env bash
# Start-up of the real program under Xvfb: the time from launch until its main window is mapped,
# and its resident memory once idle, over several runs.
#   bench/startup.sh [RUNS]      (after a build: build/textorin and build/tests/x11_tool)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
build=${BUILD_DIR:-build}
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 2>/dev/null &
xvfb=$!
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"

cp "$build/textorin" "$work/"
# The services point at a closed loopback port: nothing leaves the machine.
printf '[\xb7\xfe\xce\xf1]\r\nOCR\xb5\xd8\xd6\xb7=http://127.0.0.1:1\r\n' > "$work/windows data.ini"

times=() rss=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  (cd "$work" && ./textorin 2>/dev/null) &
  pid=$!
  "$build/tests/x11_tool" wait-mapped TextorinV2.4- 10000 >/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  sleep 1
  rss+=($(awk '/VmRSS/ {print $2}' "/proc/$pid/status"))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "window mapped (ms): ${times[*]}  median $(median "${times[@]}")"
echo "resident when idle (KiB): ${rss[*]}  median $(median "${rss[@]}")"
