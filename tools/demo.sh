#!/usr/bin/env bash
# The demo, the system's main job end to end: a sample movie (tools/make_test_media.sh:
# 10 s of 720x480 YUY2 at 29.97 fps with a PCM tone), a new project made by
# Qucapcmd.exe for it, its caption-info file filled with sample captions (ruby,
# colours, effects, both orientations) and its box-info file with two boxes,
# checked (with the reading rules), exported as SRT, SAMI and WebVTT (ffprobe
# confirms a player can read them) and as IMSC 1.1 TTML (read as XML),
# burnt into a new AVI movie with "Qucapcmd render", and one frame of that movie
# saved as a PNG beside it (and as docs/images/render-demo.png for the README).
# "Qucapcmd still" of one time is kept as docs/images/still-demo.png.
set -euo pipefail
. "$(dirname "$0")/common.sh"

DEMO=$QUCAP_BUILD/demo
QUCAPCMD=$QUCAP_PROGRAM_DIR/Qucapcmd.exe
[ -x "$QUCAPCMD" ] || die "missing $QUCAPCMD (run ./qucap build)"
rm -rf "$DEMO"
mkdir -p "$DEMO"

MOVIE_OUT=$DEMO/デモ.avi
FRAME_OUT=$DEMO/デモ.png
FRAME_TIME=1.5               # seconds into the rendered movie: the first caption and a box
DOCS_RENDER=$QUCAP_ROOT/docs/images/render-demo.png
DOCS_STILL=$QUCAP_ROOT/docs/images/still-demo.png
STILL_TIME=0:00:04.50        # the vertical caption
"$QUCAP_ROOT/tools/make_test_media.sh"

start_wine_env
qucapcmd() { wine "$QUCAPCMD" "$@"; }
# quiet_or_die WHAT COMMAND...: runs COMMAND; on failure shows its messages
# without the lines of Wine's Linux side and stops.
quiet_or_die() {
  local what=$1
  shift
  if ! "$@" >"$DEMO/last.log" 2>&1; then
    grep -v -e '^ALSA lib ' -e 'GStreamer-' -e '^$' "$DEMO/last.log" >&2
    die "the demo's $what could not be made"
  fi
}

project=$(qucapcmd new-project デモ "$(windows_path "$DEMO/project")" --movie "$(windows_path "$QUCAP_TEST_MEDIA/demo.avi")" | tr -d '\r')
# The program reads caption-info and box-info files in UTF-8 as well as UTF-16.
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$DEMO/project/字幕情報.csv"
cp "$QUCAP_ROOT/tools/demo/boxes.csv" "$DEMO/project/枠情報.csv"
# A white watermark, so it shows over the pattern's cyan corner.
python3 - "$(linux_path "$project")" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-16").read().replace("Color=Cyan", "Color=White")
open(path, "w", encoding="utf-16-le", newline="").write("\ufeff" + text)
PY
qucapcmd check "$project" --reading
qucapcmd export-srt "$project" "$(windows_path "$DEMO/デモ.srt")" 2>/dev/null
qucapcmd export-sami "$project" "$(windows_path "$DEMO/デモ.smi")" 2>/dev/null
qucapcmd export-vtt "$project" "$(windows_path "$DEMO/デモ.vtt")" 2>/dev/null
qucapcmd export-ttml "$project" "$(windows_path "$DEMO/デモ.ttml")" 2>/dev/null
quiet_or_die still qucapcmd still "$project" "$STILL_TIME" "$(windows_path "$DEMO/still.bmp")"
quiet_or_die movie qucapcmd render "$project" --out "$(windows_path "$MOVIE_OUT")"
grep -a -o '処理終了 処理時間：[0-9:]*' "$DEMO/last.log" | tail -1
stop_wine_env

for file in "$DEMO/デモ.srt" "$DEMO/デモ.smi" "$DEMO/デモ.vtt"; do
  codec=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$file")
  [ -n "$codec" ] || die "ffprobe cannot read $file"
  printf '%s (%s)\n' "$file" "$codec"
done
# ffmpeg reads no TTML: Python's XML parser reads it as a TTML document with
# a paragraph a caption (the tests read it with the IMSC reference renderer's
# parser, which the demo does without, so it needs no Node.js).
python3 - "$DEMO/デモ.ttml" <<'PY' || die "$DEMO/デモ.ttml is no TTML document"
import sys, xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
ttml = "{http://www.w3.org/ns/ttml}"
sys.exit(root.tag != ttml + "tt" or not root.findall(f".//{ttml}p"))
PY
printf '%s (ttml)\n' "$DEMO/デモ.ttml"
frames=$(ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=nb_read_frames -of csv=p=0 "$MOVIE_OUT")
[ "${frames:-0}" -gt 0 ] || die "ffmpeg cannot read $MOVIE_OUT"
# ffmpeg writes PNG files without a time stamp, so an unchanged frame leaves the file unchanged.
ffmpeg -v error -y -ss "$FRAME_TIME" -i "$MOVIE_OUT" -frames:v 1 -pix_fmt rgb24 "$FRAME_OUT"
cp "$FRAME_OUT" "$DOCS_RENDER"
ffmpeg -v error -y -i "$DEMO/still.bmp" -pix_fmt rgb24 "$DOCS_STILL"
printf 'movie: %s (%s frames)\n' "$MOVIE_OUT" "$frames"
printf 'frame: %s (%s s)\n' "$FRAME_OUT" "$FRAME_TIME"
printf 'project: %s\n' "$(linux_path "$project")"
