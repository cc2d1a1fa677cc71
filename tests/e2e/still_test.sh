#!/usr/bin/env bash
# End-to-end checks of "Qucapcmd still" and "new-project --movie" under Wine,
# on the sample movies of tools/make_test_media.sh, through the caption
# filter Qucapsyf.ax of the program folder. The BMP files are decoded with
# ffmpeg and compared with ffmpeg's own decode of the movie frames.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"
export QUCAP_BUILD

"$QUCAP_ROOT/tools/make_test_media.sh"
FILTER_MODULE=$QUCAP_PROGRAM_DIR/Qucapsyf.ax
[ -f "$FILTER_MODULE" ] || die "missing $FILTER_MODULE (run ./qucap build)"
YUY2_MOVIE=$QUCAP_TEST_MEDIA/yuy2.avi     # 720x480, 90 frames of 1001/30 ms
RGB24_MOVIE=$QUCAP_TEST_MEDIA/rgb24.avi   # 720x480, 30 frames, bottom-up RGB24
SMALL_MOVIE=$QUCAP_TEST_MEDIA/small.avi   # 352x288
H264_MOVIE=$QUCAP_TEST_MEDIA/h264.mp4     # 720x480, 60 frames of H.264 with AAC sound

# --- helpers ------------------------------------------------------------------


# expect_same WHAT DIGEST DIGEST / expect_different WHAT DIGEST DIGEST
expect_same() { checks=$((checks + 1)); [ "$2" = "$3" ] || fail "$1: the pictures differ"; }
expect_different() { checks=$((checks + 1)); [ "$2" != "$3" ] || fail "$1: the pictures are the same"; }

# expect_bitmap FILE WIDTH HEIGHT: a BMP file ffmpeg reads as a 24-bit picture of that size.
expect_bitmap() {
  checks=$((checks + 1))
  local got
  got=$(ffprobe -v error -show_entries stream=codec_name,width,height,pix_fmt -of csv=p=0 "$1" 2>&1)
  [ "$got" = "bmp,$2,$3,bgr24" ] || fail "$1 is \"$got\", expected a $2x$3 24-bit BMP"
}

# psnr FILE MOVIE FRAME: the picture against ffmpeg's decode of the frame, in
# dB averaged over the three channels ("inf" when they are equal).
psnr() {
  ffmpeg -v info -i "$1" -i "$2" -filter_complex "[0:v]format=bgr24[a];[1:v]select=eq(n\\,$3),format=bgr24[b];[a][b]psnr" \
    -frames:v 1 -f null - 2>&1 | sed -n 's/.*PSNR.* average:\([0-9.inf]*\).*/\1/p'
}
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a == "inf" || a + 0 >= b + 0) }'; }

# new_project NAME MOVIE: a project in $E2E_DIR/NAME made with --movie, with
# no box rows, no caption rows yet and no watermark (a new project shows one
# at the bottom right); sets $project (Windows path) and $folder.
new_project() {
  folder=$E2E_DIR/$1
  expect_exit 0 -- qucapcmd new-project "$1" "$(windows_path "$folder")" --movie "$(windows_path "$2")"
  project=$(tr -d '\r\n' <"$last_stdout")
  set_project_key "$folder/$1.mcc" WaterMark Disp 0
  utf16_file "$folder/枠情報.csv" "$BOX_HEADER"
  utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER"
}

# still PROJECT TIME NAME: runs the verb into $E2E_DIR/NAME.bmp and expects success.
still() {
  expect_exit 0 -- qucapcmd still "$1" "$2" "$(windows_path "$E2E_DIR/$3.bmp")"
  expect_exact_output stdout "$(windows_path "$E2E_DIR/$3.bmp")"$'\n'
}

# --- new-project --movie ------------------------------------------------------

expect_exit 0 -- qucapcmd new-project 小さい "$(windows_path "$E2E_DIR/小さい")" --movie "$(windows_path "$SMALL_MOVIE")"
checks=$((checks + 1))
iconv -f UTF-16 -t UTF-8 "$E2E_DIR/小さい/小さい.mcc" | grep -qF "InpMovName=$(windows_path "$SMALL_MOVIE")"$'\r' ||
  fail "the project does not name its movie"
# The box-info sample row is centred for the movie's own width: (352 - 300) / 2.
checks=$((checks + 1))
iconv -f UTF-16 -t UTF-8 "$E2E_DIR/小さい/枠情報.csv" | grep -qF $'1,1,0:00:00.00,301,0:00:10.01,26,70,300,100,0,0,0,0,黒,16\r' ||
  fail "the box-info sample row is not made for a 352-pixel-wide movie"

expect_exit 1 -- qucapcmd new-project 無い "$(windows_path "$E2E_DIR/無い")" --movie "$(windows_path "$E2E_DIR/none.avi")"
expect_messages "入力動画ファイルが見つかりません"
check "a refused project leaves no folder" test ! -e "$E2E_DIR/無い"
printf 'not a movie' >"$E2E_DIR/text.avi"
expect_exit 1 -- qucapcmd new-project 偽 "$(windows_path "$E2E_DIR/偽")" --movie "$(windows_path "$E2E_DIR/text.avi")"
expect_messages "レンダリングに失敗しました"
check "a refused project leaves no folder" test ! -e "$E2E_DIR/偽"
expect_exit 2 -- qucapcmd new-project 試験 --movie
expect_messages $'--movie の後に FILE を指定して下さい\n使い方：Qucapcmd new-project NAME [FOLDER] [--movie FILE] [--yes]'

# --- stills of a YUY2 movie ---------------------------------------------------

new_project 字幕 "$YUY2_MOVIE"
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:01.00,0:00:01.00,横,字幕の見本です,0,,0,,0,,0,0"
captioned_project=$project
new_project 無字幕 "$YUY2_MOVIE"
plain_project=$project

still "$captioned_project" 1500 inside          # within the caption's second
still "$plain_project" 1500 plain               # the same frame without any caption
still "$captioned_project" 2500 outside         # after the caption
still "$captioned_project" 0:00:02.50 outside-caption-form
expect_bitmap "$E2E_DIR/inside.bmp" 720 480
checks=$((checks + 1))
iconv -f UTF-16 -t UTF-8 "$QUCAP_PROGRAM_DIR/Qucapadd.ini" | grep -qF "FileName=$captioned_project"$'\r' ||
  fail "the project is not recorded as the last one opened"

# The caption is drawn at the top of the picture, within x 252..463, y 0..30
# for the IPA fonts; outside the band it covers the two frames are the same.
CAPTION_BAND=720:40:0:0
BELOW_CAPTION=720:440:0:40
expect_different "the caption's band" "$(digest pixels "$E2E_DIR/inside.bmp" $CAPTION_BAND)" \
  "$(digest pixels "$E2E_DIR/plain.bmp" $CAPTION_BAND)"
expect_same "below the caption" "$(digest pixels "$E2E_DIR/inside.bmp" $BELOW_CAPTION)" \
  "$(digest pixels "$E2E_DIR/plain.bmp" $BELOW_CAPTION)"
expect_same "left of the caption" "$(digest pixels "$E2E_DIR/inside.bmp" 240:40:0:0)" \
  "$(digest pixels "$E2E_DIR/plain.bmp" 240:40:0:0)"
# Outside every caption the frame is the plain one, whichever time form named it.
expect_same "2500 and 0:00:02.50" "$(digest pixels "$E2E_DIR/outside.bmp")" \
  "$(digest pixels "$E2E_DIR/outside-caption-form.bmp")"
expect_different "frames a second apart" "$(digest pixels "$E2E_DIR/outside.bmp")" "$(digest pixels "$E2E_DIR/plain.bmp")"

# The plain frame against ffmpeg's decode of the same frame. Wine's AVI
# Splitter offers YUY2 with a VIDEOINFOHEADER, which the filter takes only
# with a VIDEOINFOHEADER2, so Wine's graph reaches the filter through its
# GStreamer splitter, which turns YUY2 into RGB32 itself (BT.601, as ffmpeg,
# but with chroma smoothed across the pattern's many sharp edges). The frames
# are therefore compared by their PSNR: about 24 dB against the frame shown
# at the time, below 20 dB against the frames before and after it.
plain_frame=$(frame_of 1500)
right=$(psnr "$E2E_DIR/plain.bmp" "$YUY2_MOVIE" "$plain_frame")
check "the still is frame $plain_frame (PSNR $right dB)" at_least "$right" 22
for other in $((plain_frame - 1)) $((plain_frame + 1)); do
  wrong=$(psnr "$E2E_DIR/plain.bmp" "$YUY2_MOVIE" "$other")
  check "frame $other is farther than frame $plain_frame ($wrong against $right dB)" at_least "$right" "$(awk -v w="$wrong" 'BEGIN { print w + 4 }')"
done

# The last frame starts at 2969.633 ms and lasts until the movie's end at 3003 ms.
still "$plain_project" 3002 last
last_frame=$(psnr "$E2E_DIR/last.bmp" "$YUY2_MOVIE" 89)
check "3002 ms is the last frame (PSNR $last_frame dB)" at_least "$last_frame" 22
expect_exit 1 -- qucapcmd still "$plain_project" 3003 "$(windows_path "$E2E_DIR/beyond.bmp")"
expect_messages "指定した時間（0:00:03.003）が動画の長さ（0:00:03.003）を超えています"
check "no file for a refused still" test ! -e "$E2E_DIR/beyond.bmp"

# --- stills of an RGB24 movie: the filter copies the picture as it is ---------

new_project 赤緑青 "$RGB24_MOVIE"
for time in 0 500 1000; do
  still "$project" "$time" "rgb-$time"
  expect_same "RGB24 frame at $time ms" "$(digest pixels "$E2E_DIR/rgb-$time.bmp")" \
    "$(digest movie_pixels "$RGB24_MOVIE" "$(frame_of "$time")")"
done
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:00.00,0:00:01.00,横,赤緑青,0,,0,,0,,0,0"
still "$project" 500 rgb-captioned
expect_different "the caption on RGB24" "$(digest pixels "$E2E_DIR/rgb-captioned.bmp" $CAPTION_BAND)" \
  "$(digest movie_pixels "$RGB24_MOVIE" 14 $CAPTION_BAND)"
expect_same "below the caption on RGB24" "$(digest pixels "$E2E_DIR/rgb-captioned.bmp" $BELOW_CAPTION)" \
  "$(digest movie_pixels "$RGB24_MOVIE" 14 $BELOW_CAPTION)"

# --- stills of an H.264/AAC MP4, as phones write them ------------------------

# Wine's GStreamer splitter and its libav decoders give the filter the frames.
new_project 携帯 "$H264_MOVIE"
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:00.50,0:00:01.00,横,携帯の動画です,0,,0,,0,,0,0"
still "$project" 1000 mp4-captioned
new_project 携帯無字幕 "$H264_MOVIE"
still "$project" 1000 mp4-plain
expect_bitmap "$E2E_DIR/mp4-captioned.bmp" 720 480
expect_different "the caption on the MP4" "$(digest pixels "$E2E_DIR/mp4-captioned.bmp" $CAPTION_BAND)" \
  "$(digest pixels "$E2E_DIR/mp4-plain.bmp" $CAPTION_BAND)"
expect_same "below the caption on the MP4" "$(digest pixels "$E2E_DIR/mp4-captioned.bmp" $BELOW_CAPTION)" \
  "$(digest pixels "$E2E_DIR/mp4-plain.bmp" $BELOW_CAPTION)"
mp4_frame=$(frame_of 1000)
mp4_psnr=$(psnr "$E2E_DIR/mp4-plain.bmp" "$H264_MOVIE" "$mp4_frame")
check "the MP4 still is frame $mp4_frame (PSNR $mp4_psnr dB)" at_least "$mp4_psnr" 22

# --- the filter's module, registered or not ----------------------------------

# Unregistered (as the filter's own tests leave it), the module beside the
# program is loaded directly; registered, COM creates it. Same frame both ways.
wine regsvr32 /s "$(windows_path "$FILTER_MODULE")"
still "$captioned_project" 1500 registered
wine regsvr32 /s /u "$(windows_path "$FILTER_MODULE")"
expect_same "registered and unregistered filter" "$(digest pixels "$E2E_DIR/registered.bmp")" \
  "$(digest pixels "$E2E_DIR/inside.bmp")"

# A program folder without the module, the class unregistered.
mkdir -p "$E2E_DIR/bin"
cp "$QUCAPCMD" "$E2E_DIR/bin/"
expect_exit 1 -- wine "$E2E_DIR/bin/Qucapcmd.exe" still "$captioned_project" 1500 "$(windows_path "$E2E_DIR/nofilter.bmp")"
expect_messages $'字幕合成フィルタ（Qucapsyf.ax）を作成できません\nレンダリングに失敗しました'
check "no file without the filter" test ! -e "$E2E_DIR/nofilter.bmp"

# The filter's own warnings reach the console, and the still is made as the
# filter composes it (here without boxes).
new_project 枠なし "$YUY2_MOVIE"
set_project_key "$folder/枠なし.mcc" FileName InpBoxName "$(windows_path "$E2E_DIR/無いフォルダ/枠情報.csv")"
expect_exit 0 -- qucapcmd still "$project" 1500 "$(windows_path "$E2E_DIR/nobox.bmp")"
expect_messages "枠情報ファイルのフォルダが見つかりません"
expect_same "a still without boxes" "$(digest pixels "$E2E_DIR/nobox.bmp")" "$(digest pixels "$E2E_DIR/plain.bmp")"

# --- refusals -----------------------------------------------------------------

expect_exit 2 -- qucapcmd still "$plain_project" 1500
expect_messages $'引数の数が正しくありません\n使い方：Qucapcmd still PROJECT.mcc TIME OUT.bmp'
for time in abc 0:00:01.500 1:60:00 -1 36000000; do
  expect_exit 2 -- qucapcmd still "$plain_project" "$time" "$(windows_path "$E2E_DIR/x.bmp")"
  expect_messages "時間の指定に誤りがあります：$time"$'\n使い方：Qucapcmd still PROJECT.mcc TIME OUT.bmp'
done
expect_exit 1 -- qucapcmd still "$(windows_path "$E2E_DIR/none.mcc")" 1500 "$(windows_path "$E2E_DIR/x.bmp")"
expect_messages "プロジェクトファイルが見つかりません"
expect_exit 0 -- qucapcmd new-project 動画なし "$(windows_path "$E2E_DIR/動画なし")"
expect_exit 1 -- qucapcmd still "$(tr -d '\r\n' <"$last_stdout")" 1500 "$(windows_path "$E2E_DIR/x.bmp")"
expect_messages "入力動画ファイルが見つかりません"
expect_exit 1 -- qucapcmd still "$plain_project" 1500 "$(windows_path "$E2E_DIR/no/such/folder/x.bmp")"
expect_messages "BMPファイルの作成に失敗しました"

# A movie that is gone or broken after the project was made.
cp "$SMALL_MOVIE" "$E2E_DIR/copy.avi"
new_project 壊れた "$E2E_DIR/copy.avi"
printf 'not a movie any more' >"$E2E_DIR/copy.avi"
expect_exit 1 -- qucapcmd still "$project" 100 "$(windows_path "$E2E_DIR/x.bmp")"
expect_messages "レンダリングに失敗しました"
rm "$E2E_DIR/copy.avi"
expect_exit 1 -- qucapcmd still "$project" 100 "$(windows_path "$E2E_DIR/x.bmp")"
expect_messages "入力動画ファイルが見つかりません"
check "no file for the refused stills" test ! -e "$E2E_DIR/x.bmp"

finish_checks still_test
