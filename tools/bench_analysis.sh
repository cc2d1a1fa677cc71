#!/usr/bin/env bash
# The timing analyses of a ten-minute 720x480 movie at 29.97 frames/s (H.264
# with AAC stereo sound, made once with ffmpeg): the one pass the program runs
# after a load (cuts and peaks, tests/win/synthesis_stages_bench_test.cpp),
# "Qucapcmd shots" and "Qucapcmd peaks" each, against ffmpeg decoding the
# same movie (every thread, and one) and ffmpeg's scdet cut detector. The
# same for a minute of uncompressed YUY2 with PCM sound, which is read, not
# decoded. Best of BENCH_RUNS runs (3); Wine's start-up is taken off.
set -euo pipefail
. "$(dirname "$0")/common.sh"

runs=${BENCH_RUNS:-3}
dir=$QUCAP_BUILD/bench/analysis
mkdir -p "$dir"
h264=$dir/ten-minutes.mp4
yuy2=$dir/one-minute.avi
[ -f "$h264" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=600" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=600" -ac 2 -c:v libx264 -preset ultrafast \
  -pix_fmt yuv420p -c:a aac -shortest "$h264"
[ -f "$yuy2" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=60" \
  -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=60" -ac 2 -c:v rawvideo -pix_fmt yuyv422 \
  -c:a pcm_s16le -shortest "$yuy2"

seconds() { printf '%6.2f s' "$(echo "$1" | bc -l)"; }

start_wine_env
qucapcmd() { wine "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" "$@"; }
startup=$(best qucapcmd --help)
printf '%-44s %s\n' "Wine start-up (taken off)" "$(seconds "$startup")"
for movie in "$h264" "$yuy2"; do
  echo "== $(basename "$movie")"
  windows=$(windows_path "$movie")
  QUCAP_ANALYSIS_MOVIE=$windows WINEDEBUG=-all wine "$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe" \
    --gtest_filter='MovieAnalysisBench.OnePass' 2>/dev/null | sed -n 's/^analysis | //p'
  printf '%-44s %s\n' "Qucapcmd shots" "$(seconds "$(best qucapcmd shots "$windows") - $startup")"
  printf '%-44s %s\n' "Qucapcmd peaks" "$(seconds "$(best qucapcmd peaks "$windows" --buckets 100) - $startup")"
  printf '%-44s %s\n' "ffmpeg decoding" "$(seconds "$(best ffmpeg -v error -i "$movie" -f null -)")"
  printf '%-44s %s\n' "ffmpeg decoding, one thread" \
    "$(seconds "$(best ffmpeg -v error -threads 1 -i "$movie" -f null -)")"
  printf '%-44s %s\n' "ffmpeg scdet" \
    "$(seconds "$(best ffmpeg -v error -i "$movie" -an -vf scdet=threshold=10 -f null -)")"
done
stop_wine_env
