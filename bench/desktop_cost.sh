#!/usr/bin/env bash
# The desktop program's cost in one run, beside `corvane --report --watch` (the same model without a
# user interface: the headless floor) started at the same moment:
#   resident memory after start-up (before the first opening), after twenty openings and closings
#   of the dashboard through clicks on the tray icon, and at the end;
#   the time from the click's input to the dashboard's first painted frame (the program's
#   CORVANE_TRACE line), for the first opening and over the twenty;
#   CPU as a share of one core while the dashboard stays open on the home screen for a minute,
#   and while it is closed for the idle period that follows (after the openings, so anything an
#   opening leaves running is counted), with the main thread's part of the latter.
# The program runs on a private X server with a window manager and an XEmbed tray host (trayer),
# a private session bus and a temporary home holding Claude Code and Codex transcripts that get a
# line appended every few seconds, with processes named `claude` and `codex` running.
# Usage: bench/desktop_cost.sh [idle minutes, default 10; fractions for a short run] [path/to/corvane, default the release build]
# With QUIET=1 the home holds no AI tools and the dashboard is never opened: start-up, then the
# idle period alone (the latency and open columns stay empty).
set -euo pipefail
minutes=${1:-10}
quiet=${QUIET:-0}
corvane=$(realpath "${2:-build/release/Corvane/corvane}")
fixtures=$(realpath "$(dirname "$0")/../tests/fixtures/transcripts")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The home: one recent transcript per tool, as the tools lay them out.
claude_log=$work/.claude/projects/-home-user-src-demo/4c2ddfdc-b619-4525-8d03-1950fb1b0257.jsonl
codex_log=$work/.codex/sessions/$(date +%Y/%m/%d)/rollout-$(date +%Y-%m-%dT%H-%M-%S)-0199a1b2-c3d4-7e5f-8a9b-0c1d2e3f4a5b.jsonl
mkdir -p "$(dirname "$claude_log")" "$(dirname "$codex_log")" "$work/bin"
cp "$fixtures/claude/end-turn-last.jsonl" "$claude_log"
cp "$fixtures/codex/task-complete-session.jsonl" "$codex_log"
# Appends the fixtures' lines again, one per tool every three seconds, as a working session does.
append_lines() {
  local i=1
  while sleep 3; do
    sed -n "${i}p" "$fixtures/claude/pending-tool-use.jsonl" >>"$claude_log"
    sed -n "${i}p" "$fixtures/codex/pending-function-call.jsonl" >>"$codex_log"
    i=$((i % 20 + 1))
  done
}
if [ "$quiet" != 1 ]; then
  append_lines & pids+=($!)
  for tool in claude codex; do
    cp "$(command -v sleep)" "$work/bin/$tool"
    "$work/bin/$tool" infinity & pids+=($!)
  done
else
  rm -rf "$work/.claude" "$work/.codex"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 & pids+=($!)
export DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/.config CORVANE_ALLOW_SECOND=1
unset XAUTHORITY WAYLAND_DISPLAY QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & pids+=($!)
trayer --edge top --align right --widthtype request --height 32 >/dev/null 2>&1 & pids+=($!)
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
export DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
pids+=("$(cat "$work/bus.pid")")
sleep 2

CORVANE_TRACE=1 "$corvane" >/dev/null 2>"$work/trace" & desktop=$!; pids+=($desktop)
"$corvane" --report --watch >/dev/null 2>&1 & watch=$!; pids+=($watch)

# Resident memory in KiB, and its anonymous part (the process's own, not file pages it maps).
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
anon_kib() { awk '/^RssAnon:/ { print $2 }' "/proc/$1/status"; }
# utime + stime in clock ticks (fields 14 and 15; the command name in field 2 has no spaces here).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
# The main (interface) thread's time on the CPU in nanoseconds: exact, as that thread never ends.
main_ns() { awk '{ print $1 }' "/proc/$1/task/$1/schedstat"; }
threads() { awk '/^Threads:/ { print $2 }' "/proc/$1/status"; }
mib() { awk -v k="$1" 'BEGIN { print k / 1024 }'; }
now() { date +%s.%N; }
ticks=$(getconf CLK_TCK)
# Share of one core between two tick counts over two times.
share() { awk -v c0="$1" -v c1="$2" -v t0="$3" -v t1="$4" -v hz="$ticks" 'BEGIN { printf "%.4f", 100 * (c1 - c0) / hz / (t1 - t0) }'; }

# trayer's panel holds only the tray icon; clicks go to its centre.
panel=""
for _ in $(seq 100); do
  panel=$(xdotool search --classname '^panel$' 2>/dev/null | head -n1 || true)
  [ -n "$panel" ] && [ "$(xwininfo -tree -id "$panel" | grep -c Corvane)" -gt 0 ] && break
  panel=""; sleep 0.2
done
[ -n "$panel" ] || { echo "the tray icon did not appear" >&2; exit 1; }
click_icon() {
  eval "$(xdotool getwindowgeometry --shell "$panel")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}
first_frames() { grep -c '^\[island\] first frame' "$work/trace" || true; }
# Clicks the icon to open the dashboard and waits for its first painted frame.
open_dashboard() {
  local before; before=$(first_frames)
  click_icon
  for _ in $(seq 50); do [ "$(first_frames)" -gt "$before" ] && return; sleep 0.1; done
  echo "the dashboard did not open" >&2; exit 1
}

sleep 10 # start-up, first samples, the warm-up two seconds in
declare -A rss0 rss_cycles rss_end anon0 anon_cycles anon_end
for pid in $desktop $watch; do rss0[$pid]=$(rss_kib "$pid"); anon0[$pid]=$(anon_kib "$pid"); done

declare -A open_c0 open_c1
if [ "$quiet" != 1 ]; then
  for _ in $(seq 20); do
    open_dashboard; sleep 1
    click_icon; sleep 1
  done
  sleep 2 # the memory handed back half a second after the last closing
  for pid in $desktop $watch; do rss_cycles[$pid]=$(rss_kib "$pid"); anon_cycles[$pid]=$(anon_kib "$pid"); done

  open_dashboard; sleep 2
  for pid in $desktop $watch; do open_c0[$pid]=$(cpu_ticks "$pid"); done
  open_t0=$(now); sleep 60; open_t1=$(now)
  for pid in $desktop $watch; do open_c1[$pid]=$(cpu_ticks "$pid"); done
  click_icon; sleep 3
else
  for pid in $desktop $watch; do
    rss_cycles[$pid]=${rss0[$pid]}; anon_cycles[$pid]=${anon0[$pid]}; open_c0[$pid]=0; open_c1[$pid]=0
  done
  open_t0=0; open_t1=1
fi

# The closed period's CPU to the nanosecond: every thread's time on the CPU, read each second, so
# that pool threads starting and ending on demand are counted (to within a second of an idle
# thread's life) where the process's tick counts would be off by up to two ticks.
declare -A idle_m0 idle_m1 idle_ns
for pid in $desktop $watch; do idle_m0[$pid]=$(main_ns "$pid"); done
: >"$work/threads"
idle_t0=$(now)
idle_end=$(awk -v t="$idle_t0" -v m="$minutes" 'BEGIN { printf "%d", t + m * 60 }')
while [ "$(date +%s)" -lt "$idle_end" ]; do
  for pid in $desktop $watch; do
    for task in /proc/"$pid"/task/*; do
      echo "$pid ${task##*/} $(awk '{ print $1 }' "$task/schedstat" 2>/dev/null)"
    done
  done >>"$work/threads"
  sleep 1
done
idle_t1=$(now)
for pid in $desktop $watch; do
  idle_m1[$pid]=$(main_ns "$pid"); rss_end[$pid]=$(rss_kib "$pid"); anon_end[$pid]=$(anon_kib "$pid")
  idle_ns[$pid]=$(awk -v p="$pid" '$1 == p && NF == 3 { if (!($2 in first)) first[$2] = $3; last[$2] = $3 }
    END { for (t in first) sum += last[t] - first[t]; printf "%d", sum }' "$work/threads")
done

if [ "$quiet" != 1 ]; then
  latencies=$(sed -n 's/^\[island\] first frame \([0-9.]*\) ms after iconToggle$/\1/p' "$work/trace")
  echo "$latencies" | sort -n | awk -v first="$(echo "$latencies" | head -n1)" '
    { v[NR] = $1 } END { printf "dashboard open, click input to first painted frame: first %.1f ms, median %.1f ms, max %.1f ms over %d openings\n", first, v[int((NR + 1) / 2)], v[NR], NR }'
fi
printf "%-26s %10s %12s %10s %13s %13s %13s %8s\n" "" "RSS start" "RSS 20 cyc" "RSS end" "CPU open 1m" "CPU closed" "main thread" "threads"
printf "%-26s %10s %12s %10s %13s %13s %13s %8s\n" "" "MB" "MB" "MB" "% core" "% core ${minutes}m" "of closed" ""
for pid in $desktop $watch; do
  name="corvane (tray)"; [ "$pid" = "$watch" ] && name="corvane --report --watch"
  printf "%-26s %10.1f %12.1f %10.1f %13s %13s %13s %8d\n" "$name" \
    "$(mib "${rss0[$pid]}")" "$(mib "${rss_cycles[$pid]}")" "$(mib "${rss_end[$pid]}")" \
    "$(share "${open_c0[$pid]}" "${open_c1[$pid]}" "$open_t0" "$open_t1")" \
    "$(awk -v n="${idle_ns[$pid]}" -v t0="$idle_t0" -v t1="$idle_t1" 'BEGIN { printf "%.4f", 100 * n / 1e9 / (t1 - t0) }')" \
    "$(awk -v n0="${idle_m0[$pid]}" -v n1="${idle_m1[$pid]}" -v t0="$idle_t0" -v t1="$idle_t1" \
        'BEGIN { printf "%.4f", 100 * (n1 - n0) / 1e9 / (t1 - t0) }')" "$(threads "$pid")"
done
for pid in $desktop $watch; do
  name="corvane (tray)"; [ "$pid" = "$watch" ] && name="corvane --report --watch"
  printf "%-26s anonymous part of RSS: %.1f, %.1f, %.1f MB\n" "$name" \
    "$(mib "${anon0[$pid]}")" "$(mib "${anon_cycles[$pid]}")" "$(mib "${anon_end[$pid]}")"
done
