#!/usr/bin/env bash
# Runs the directory-sizing benchmark five times and prints, from the medians of that one run,
# Corvane's entries per second over du's and gdu's, and the overrun of a 20 ms budget.
# Usage: bench/disk_sizer_ratios.sh [path/to/disk_sizer_bench]
set -euo pipefail
bench=${1:-build/release/bench/disk_sizer_bench}
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
  awk -F'"' '
    $2 == "name" { name = $4; sub(/\/real_time_median$/, "", name); median = ($4 ~ /_median$/) }
    median && $2 == "items_per_second" { value = $3; gsub(/[:, ]/, "", value); rate[name] = value }
    median && $2 == "overshoot_ms" { value = $3; gsub(/[:, ]/, "", value); overshoot[name] = value }
    END {
      printf "single tree, 1 thread:  Corvane / du  = %.2fx\n", rate["SizerOneTree"] / rate["DuOneTree"]
      printf "six paths, 6 workers:   Corvane / du  = %.2fx\n", rate["SizerSixPaths"] / rate["DuSixPaths"]
      printf "six paths, 6 workers:   Corvane / gdu = %.2fx\n", rate["SizerSixPaths"] / rate["GduSixPaths"]
      printf "20 ms budget: median worst overrun %.2f ms\n", overshoot["BudgetStop"]
    }'
