#!/usr/bin/env bash
# Where a synthesis spends its time under Wine, stage by stage: the demo
# project (720x480 YUY2, 300 frames, four captions, boxes, watermark) and the
# same captions over a 1080p movie (tools/bench_1080p.sh). Each line is one stage
# of the best of five runs (tests/win/synthesis_stages_bench_test.cpp).
set -euo pipefail
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/bench_1080p.sh"

demo=$QUCAP_BUILD/demo/project
[ -f "$demo/デモ.mcc" ] || "$QUCAP_ROOT/tools/demo.sh" >/dev/null
dir=$QUCAP_BUILD/bench/stages
rm -rf "$dir"
mkdir -p "$dir"
start_wine_env
big_project=$(make_1080p_project "$dir/1080p")
export QUCAP_STAGES_PROGRAM QUCAP_STAGES_PROJECT
QUCAP_STAGES_PROGRAM=$(windows_path "$QUCAP_PROGRAM_DIR")
for project in "$demo/デモ.mcc" "$big_project"; do
  echo "== $(basename "$(dirname "$project")")"
  QUCAP_STAGES_PROJECT=$(windows_path "$project")
  WINEDEBUG=-all wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" \
    --gtest_filter='SynthesisStages.Benchmark' 2>/dev/null | sed -n -e 's/^stages | //p' -e 's/^steps | //p'
done
stop_wine_env
