#!/usr/bin/env bash
# The captioned preview's speed under Wine: the demo movie (720x480) and a
# 1920x1080 movie of ten seconds, each played whole in the preview dialog
# through the caption filter with a two-line caption, then 20 frame steps
# and 20 thumb drags. Prints one line per movie, then the demo's dropped
# frames in the main window with and without the timeline's strip, then the
# live-timing stamp's distance to the graph's position at 20 presses.
set -euo pipefail
. "$(dirname "$0")/common.sh"

"$QUCAP_ROOT/tools/make_test_media.sh"
big=$QUCAP_BUILD/bench/preview-1080p.avi
mkdir -p "$(dirname "$big")"
[ -f "$big" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "testsrc2=size=1920x1080:rate=30000/1001:duration=10" -c:v mjpeg -q:v 3 "$big"
start_wine_env
for movie in "$QUCAP_TEST_MEDIA/demo.avi" "$big"; do
  QUCAP_PREVIEW_BENCH_MOVIE=$(windows_path "$movie") WINEDEBUG=-all \
    wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" --gtest_filter='*PreviewBenchmark*' 2>/dev/null |
    grep '^preview '
done
# The demo played in the main window with and without the timeline's strip shown.
QUCAP_PREVIEW_BENCH_MOVIE=$(windows_path "$QUCAP_TEST_MEDIA/demo.avi") WINEDEBUG=-all \
  wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" --gtest_filter='*WithAndWithoutTheTimingStrip*' 2>/dev/null |
  grep '^main-window preview '
# How close a live-timing stamp is to the graph's position at the press.
WINEDEBUG=-all wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" \
  --gtest_filter='TimelineTest.AStampIsThePositionOfThePress' 2>/dev/null | grep '^live stamp'
stop_wine_env
