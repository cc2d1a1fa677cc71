#!/usr/bin/env bash
# The demo: a new project made by Qucapcmd.exe for the sample movie of
# tools/make-test-media.sh, its caption-info file filled with sample captions
# (ruby, colours, effects, both orientations), checked, exported as SRT and
# SAMI (ffprobe confirms a player can read both), and one frame with its
# caption drawn by the filter saved as docs/images/still-demo.png.
set -euo pipefail
. "$(dirname "$0")/common.sh"

DEMO=$QUCAP_BUILD/demo
QUCAPCMD=$QUCAP_PROGRAM_DIR/Qucapcmd.exe
[ -x "$QUCAPCMD" ] || die "missing $QUCAPCMD (run ./qucap build)"
rm -rf "$DEMO"
mkdir -p "$DEMO"

DEMO_STILL=$QUCAP_ROOT/docs/images/still-demo.png
DEMO_STILL_TIME=0:00:02.00   # within the first caption
"$QUCAP_ROOT/tools/make-test-media.sh"

start_wine_env
qucapcmd() { wine "$QUCAPCMD" "$@"; }
win() { winepath -w "$1" 2>/dev/null; }
unix() { winepath -u "$1" 2>/dev/null; }

project=$(qucapcmd new-project デモ "$(win "$DEMO/project")" --movie "$(win "$QUCAP_TEST_MEDIA/yuy2.avi")" | tr -d '\r')
# The program reads caption-info files in UTF-8 as well as UTF-16.
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$DEMO/project/字幕情報.csv"
qucapcmd check "$project"
qucapcmd export-srt "$project" "$(win "$DEMO/デモ.srt")" 2>/dev/null
qucapcmd export-sami "$project" "$(win "$DEMO/デモ.smi")" 2>/dev/null
if ! qucapcmd still "$project" "$DEMO_STILL_TIME" "$(win "$DEMO/still.bmp")" >/dev/null 2>"$DEMO/still.log"; then
  grep -v -e '^ALSA lib ' -e 'GStreamer-' -e '^$' "$DEMO/still.log" >&2
  die "the demo's still could not be made"
fi
stop_wine_env
# ffmpeg writes the PNG without a time stamp, so an unchanged frame leaves the file unchanged.
ffmpeg -v error -y -i "$DEMO/still.bmp" -pix_fmt rgb24 "$DEMO_STILL"

for file in "$DEMO/デモ.srt" "$DEMO/デモ.smi"; do
  codec=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$file")
  [ -n "$codec" ] || die "ffprobe cannot read $file"
  printf '%s (%s)\n' "$file" "$codec"
done
printf 'still: %s (%s)\n' "$DEMO_STILL" "$DEMO_STILL_TIME"
printf 'project: %s\n' "$(unix "$project")"
