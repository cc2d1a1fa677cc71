#!/usr/bin/env bash
# What ffmpeg's ass filter (libass) adds to a 1080p frame for a two-line
# caption with a 3-pixel outline: the same command with and without the
# filter, on the same raw YUY2 input, one thread, best of several runs.
# Prints "ass_ms_per_frame <value>".
set -euo pipefail
. "$(dirname "$0")/common.sh"

dir=$QUCAP_BUILD/bench
mkdir -p "$dir"
frames_in_file=10 loops=30 runs=${BENCH_RUNS:-5}
frames=$((frames_in_file * loops))
raw=$dir/input-1080p.yuv
[ -f "$raw" ] || ffmpeg -v error -f lavfi -i "testsrc2=size=1920x1080:rate=30" -frames:v $frames_in_file \
  -pix_fmt yuyv422 -f rawvideo -y "$raw"
cat >"$dir/caption.ass" <<'ASS'
[Script Info]
ScriptType: v4.00+
PlayResX: 1920
PlayResY: 1080

[V4+ Styles]
Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding
Style: Default,IPAGothic,32,&H00FFFFFF,&H00FFFFFF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,3,0,2,10,10,60,1

[Events]
Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text
Dialogue: 0,0:00:00.00,0:01:00.00,Default,,0,0,0,,{\fs16}じまく   ふか{\fs32}\Nカブレン\N字幕付加システム
ASS

run() {  # run FILTERS: best wall time in seconds over the runs
  local best="" t
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s.%N)
    ffmpeg -v error -threads 1 -filter_threads 1 -stream_loop $((loops - 1)) -f rawvideo -pix_fmt yuyv422 \
      -s 1920x1080 -r 30 -i "$raw" -vf "$1" -f null - </dev/null
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
  done
  echo "$best"
}

plain=$(run "format=bgra")
captioned=$(run "format=bgra,ass=$dir/caption.ass")
echo "ffmpeg_plain_ms_per_frame $(echo "$plain * 1000 / $frames" | bc -l)"
echo "ffmpeg_ass_ms_per_frame $(echo "$captioned * 1000 / $frames" | bc -l)"
echo "ass_ms_per_frame $(echo "($captioned - $plain) * 1000 / $frames" | bc -l)"
