#!/usr/bin/env bash
# Runs island_motion_bench on a private X server with a window manager (no compositor).
# Usage: bench/island_motion.sh [seconds open, default 60] [quiet seconds, default 600]
#        [path/to/island_motion_bench, default the release build]
set -euo pipefail
bench=$(realpath "${3:-build/release/bench/island_motion_bench}")
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap cleanup EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
unset XAUTHORITY WAYLAND_DISPLAY
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
sleep 1
"$bench" "${1:-60}" "${2:-600}"
