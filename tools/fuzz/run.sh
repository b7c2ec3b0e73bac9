#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for the given number of seconds
# (default 600), all at once under nice. Corpora and findings go to build/fuzz/<harness>/.
# Usage: tools/fuzz/run.sh [seconds]
set -euo pipefail

seconds=${1:-600}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/build/fuzz"

cmake -S "$here" -B "$out" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j2

seed() { # harness, then seed files
    local dir="$out/$1/corpus"
    mkdir -p "$dir" "$out/$1/findings"
    shift
    for file in "$@"; do
        # The last lines of each captured transcript, and its first line.
        tail -c 16384 "$file" >"$dir/tail-$(basename "$file")"
        head -n 1 "$file" | head -c 16384 >"$dir/head-$(basename "$file")"
    done
}
fixtures="$root/tests/fixtures/transcripts"
seed claude_parser "$fixtures"/claude/*.jsonl
seed codex_parser "$fixtures"/codex/*.jsonl
seed cwd_search "$fixtures"/codex/*.jsonl

pids=()
for harness in claude_parser codex_parser cwd_search; do
    (cd "$out/$harness" &&
        nice -n 10 "$out/fuzz_$harness" corpus -max_total_time="$seconds" -max_len=65536 -timeout=10 \
            -artifact_prefix=findings/ -print_final_stats=1 >log.txt 2>&1) &
    pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for harness in claude_parser codex_parser cwd_search; do
    echo "== $harness"
    grep -E 'stat::number_of_executed_units|stat::new_units_added|DONE|ERROR|SUMMARY' "$out/$harness/log.txt" || true
    ls "$out/$harness/findings"
done
exit $status
