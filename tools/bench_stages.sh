#!/usr/bin/env bash
# Where a synthesis spends its time under Wine, stage by stage: the demo
# project (720x480 YUY2, 300 frames, four captions, boxes, watermark) and the
# same captions over a 1920x1080 YUY2 movie of 10 s at 15 frames/s with a
# tone (150 frames: its RGB32 output stays under the 2 GiB that Wine's
# multiplexer can write). Each line is one stage
# of the best of five runs (tests/win/synthesis_stages_bench_test.cpp).
set -euo pipefail
. "$(dirname "$0")/common.sh"

demo=$QUCAP_BUILD/demo/project
[ -f "$demo/デモ.mcc" ] || "$QUCAP_ROOT/tools/demo.sh" >/dev/null
dir=$QUCAP_BUILD/bench/stages
big=$QUCAP_BUILD/bench/stages-1080p.avi
mkdir -p "$(dirname "$big")"
[ -f "$big" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=1920x1080:rate=15:duration=10" \
  -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=10" \
  -c:v rawvideo -pix_fmt yuyv422 -c:a pcm_s16le -shortest "$big"
rm -rf "$dir"
mkdir -p "$dir"
# The demo's project copied, with the 1080p movie as its input.
cp -r "$demo" "$dir/1080p"
start_wine_env
python3 - "$dir/1080p/デモ.mcc" "$(winepath -w "$dir/1080p" 2>/dev/null)" "$(winepath -w "$demo" 2>/dev/null)" \
  "$(winepath -w "$big" 2>/dev/null)" <<'PY'
import re, sys
path, new_folder, old_folder, movie = sys.argv[1:5]
text = open(path, encoding="utf-16").read().replace(old_folder, new_folder)
text = re.sub(r"(?m)^(InpMovName=).*$", lambda m: m.group(1) + movie, text)
open(path, "w", encoding="utf-16-le", newline="").write("\ufeff" + text)
PY
export QUCAP_STAGES_PROGRAM QUCAP_STAGES_PROJECT
QUCAP_STAGES_PROGRAM=$(winepath -w "$QUCAP_PROGRAM_DIR" 2>/dev/null)
for project in "$demo/デモ.mcc" "$dir/1080p/デモ.mcc"; do
  echo "== $(basename "$(dirname "$project")")"
  QUCAP_STAGES_PROJECT=$(winepath -w "$project" 2>/dev/null)
  WINEDEBUG=-all wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" \
    --gtest_filter='SynthesisStages.Benchmark' 2>/dev/null | sed -n -e 's/^stages | //p' -e 's/^steps | //p'
done
stop_wine_env
