#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for SECONDS each, starting from
# the seeds in tests/data/fuzz/<target>/. A crash leaves its input in
# build/fuzz/crashes/<target>/; copy it into tests/data/fuzz/<target>/ once
# the fault is mended, so the replay tests keep it.
set -euo pipefail
. "$(dirname "$0")/common.sh"
dir=$1
seconds=${2:-60}
status=0
for exe in "$dir"/tests/fuzz/*_fuzz; do
  name=$(basename "$exe" _fuzz)
  corpus=$dir/corpus/$name crashes=$dir/crashes/$name
  mkdir -p "$corpus" "$crashes"
  say "== fuzzing $name for ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$crashes/" "$corpus" "$QUCAP_ROOT/tests/data/fuzz/$name" \
       >"$dir/$name.log" 2>&1; then
    say "   $name FAILED: $(ls "$crashes" | head -3) (log: $dir/$name.log)"
    status=1
  else
    say "   $(grep -E 'stat::number_of_executed_units' "$dir/$name.log" | awk '{print $2}') inputs, no crash"
  fi
done
exit $status
