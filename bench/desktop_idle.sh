#!/usr/bin/env bash
# The desktop program's cost while it sits in the tray with the dashboard closed, beside
# `corvane --report --watch` (the same model without a user interface) started at the same moment:
# resident memory after start-up and at the end, and CPU over the idle period as a share of one core.
# Runs on a private X server with a window manager and an XEmbed tray host, and a private session
# bus, in a temporary home.
# Usage: bench/desktop_idle.sh [minutes, default 10] [path/to/corvane, default the release build]
set -euo pipefail
minutes=${1:-10}
corvane=$(realpath "${2:-build/release/Corvane/corvane}")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/.config CORVANE_ALLOW_SECOND=1
unset XAUTHORITY WAYLAND_DISPLAY QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
trayer --edge top --align right --widthtype request >/dev/null 2>&1 & pids+=($!)
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
pids+=("$(cat "$work/bus.pid")")
sleep 2

"$corvane" >/dev/null 2>&1 & desktop=$!; pids+=($desktop)
"$corvane" --report --watch >/dev/null 2>&1 & watch=$!; pids+=($watch)

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
# utime + stime in clock ticks (fields 14 and 15; the command name in field 2 has no spaces here).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
threads() { awk '/^Threads:/ { print $2 }' "/proc/$1/status"; }

sleep 10 # start-up, first samples, the warm-up two seconds in
declare -A start_rss start_cpu
for pid in $desktop $watch; do start_rss[$pid]=$(rss_kib "$pid"); start_cpu[$pid]=$(cpu_ticks "$pid"); done
begin=$(date +%s.%N)
sleep $((minutes * 60))
end=$(date +%s.%N)
ticks=$(getconf CLK_TCK)
printf "%-26s %14s %14s %12s %8s\n" "idle $minutes min, closed" "RSS start MB" "RSS end MB" "CPU % core" "threads"
for pid in $desktop $watch; do
  name="corvane (tray)"; [ "$pid" = "$watch" ] && name="corvane --report --watch"
  awk -v n="$name" -v rs="${start_rss[$pid]}" -v re="$(rss_kib "$pid")" -v c0="${start_cpu[$pid]}" \
      -v c1="$(cpu_ticks "$pid")" -v hz="$ticks" -v t0="$begin" -v t1="$end" -v th="$(threads "$pid")" \
      'BEGIN { printf "%-26s %14.1f %14.1f %12.4f %8d\n", n, rs / 1024, re / 1024, 100 * (c1 - c0) / hz / (t1 - t0), th }'
done
