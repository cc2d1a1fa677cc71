#!/usr/bin/env bash
# End-to-end checks of "Qucapcmd render" and "Qucapcmd encoders" under Wine,
# on the sample movie of tools/make_test_media.sh, through the caption filter
# Qucapsyf.ax of the program folder. The written movies are decoded with
# ffmpeg and compared with the stills of the same times and with the movie
# rendered without captions.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"
export QUCAP_BUILD

"$QUCAP_ROOT/tools/make_test_media.sh"
[ -f "$QUCAP_PROGRAM_DIR/Qucapsyf.ax" ] || die "missing $QUCAP_PROGRAM_DIR/Qucapsyf.ax (run ./qucap build)"
MOVIE=$QUCAP_TEST_MEDIA/yuy2.avi   # 720x480, 90 frames of 1001/30 ms

# --- helpers ------------------------------------------------------------------

# new_project NAME: a project for the sample movie in $E2E_DIR/NAME without
# boxes, captions or watermark; sets $project (Windows path) and $folder.
new_project() {
  folder=$E2E_DIR/$1
  expect_exit 0 -- qucapcmd new-project "$1" "$(windows_path "$folder")" --movie "$(windows_path "$MOVIE")"
  project=$(tr -d '\r\n' <"$last_stdout")
  set_project_key "$folder/$1.mcc" WaterMark Disp 0
  utf16_file "$folder/枠情報.csv" "$BOX_HEADER"
  utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER"
}

# render PROJECT OUT [OPTION...]: renders into OUT and expects success, the
# output path and the elapsed time on stdout, and the bar at 100%.
render() {
  local project=$1 out=$2
  shift 2
  expect_exit 0 -- qucapcmd render "$project" --out "$(windows_path "$out")" "$@"
  checks=$((checks + 1))
  grep -qxE "$(windows_path "$out" | sed 's/[\\.]/\\&/g')"$'\r?' "$last_stdout" || fail "stdout does not name $out"
  expect_output stdout "処理終了 処理時間："
  expect_output stderr "[####################] 100%"
}

# frames_outside MOVIE FIRST LAST: every frame but FIRST..LAST, as raw pixels.
frames_outside() {
  ffmpeg -v error -i "$1" -vf "select=not(between(n\\,$2\\,$3)),format=bgr24" -vsync 0 -f rawvideo -pix_fmt bgr24 -
}
expect_same() { checks=$((checks + 1)); [ "$2" = "$3" ] || fail "$1: the pictures differ"; }
expect_different() { checks=$((checks + 1)); [ "$2" != "$3" ] || fail "$1: the pictures are the same"; }
stream_facts() { ffprobe -v error -count_frames -select_streams v:0 -show_entries stream=codec_name,width,height,nb_read_frames,r_frame_rate -of csv=p=0 "$1"; }
# Frame rates as ffprobe gives them (a/b), compared to 1/1000 of a frame per second.
same_rate() { awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, "/"); split(b, y, "/"); d = x[1] / x[2] - y[1] / y[2]; exit !(d < 0.001 && d > -0.001) }'; }
seconds_now() { date +%s.%N; }

# --- a captioned and a plain movie --------------------------------------------

new_project 字幕 && captioned_project=$project
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:01.00,0:00:01.00,横,字幕の見本です,0,,0,,0,,0,0"
new_project 無字幕 && plain_project=$project

started=$(seconds_now)
render "$captioned_project" "$E2E_DIR/captioned.avi"
captioned_seconds=$(awk -v a="$started" -v b="$(seconds_now)" 'BEGIN { print b - a }')
started=$(seconds_now)
render "$plain_project" "$E2E_DIR/plain.avi"
plain_seconds=$(awk -v a="$started" -v b="$(seconds_now)" 'BEGIN { print b - a }')
say "render_test: 90 frames in $captioned_seconds s with a caption, $plain_seconds s without (wine start included)"

# The movie is uncompressed (no encoder chosen), as long and as fast as the input.
input_facts=$(stream_facts "$MOVIE")
for out in captioned plain; do
  facts=$(stream_facts "$E2E_DIR/$out.avi")
  checks=$((checks + 1))
  IFS=, read -r codec width height rate frames <<<"$facts"
  [ "$codec,$width,$height,$frames" = "rawvideo,720,480,90" ] || fail "$out.avi is \"$facts\", expected 90 raw 720x480 frames"
  check "$out.avi has the input's frame rate ($rate against ${input_facts##*,})" same_rate "$rate" "$(cut -d, -f4 <<<"$input_facts")"
  check "no temporary file is left for $out.avi" test ! -e "$E2E_DIR/$out.avi.part"
done

# At three times the written frame is the still of that time: both come from
# the same graph up to the caption filter (under Wine the GStreamer splitter
# turns YUY2 into RGB32 before it), so they are equal byte for byte.
for time in 500 1500 2500; do
  expect_exit 0 -- qucapcmd still "$captioned_project" "$time" "$(windows_path "$E2E_DIR/still-$time.bmp")"
  expect_same "frame $(frame_of "$time") against the still of $time ms" \
    "$(digest movie_pixels "$E2E_DIR/captioned.avi" "$(frame_of "$time")")" "$(digest pixels "$E2E_DIR/still-$time.bmp")"
done
# The caption is shown from 1.00 s for a second: frames 30 to 59 start within it.
expect_different "the captioned frame" "$(digest movie_pixels "$E2E_DIR/captioned.avi" 45)" \
  "$(digest movie_pixels "$E2E_DIR/plain.avi" 45)"
expect_same "every frame outside the caption" "$(digest frames_outside "$E2E_DIR/captioned.avi" 30 59)" \
  "$(digest frames_outside "$E2E_DIR/plain.avi" 30 59)"

# --- a box with transparency 32 ------------------------------------------------

# A white box at (100, 200), 64x32 pixels, on every frame: inside it each
# channel is 255 * 32 / 64 + p * 32 / 64 with integer divisions (p the plain
# frame's value), outside it the frame is the plain frame.
new_project 枠 && boxed_project=$project
utf16_file "$folder/枠情報.csv" "$BOX_HEADER" "1,1,0:00:00.00,90,0:00:02.97,100,200,64,32,0,0,0,0,白,32"
render "$boxed_project" "$E2E_DIR/boxed.avi"
movie_pixels "$E2E_DIR/boxed.avi" 45 >"$E2E_DIR/boxed.rgb"
movie_pixels "$E2E_DIR/plain.avi" 45 >"$E2E_DIR/plain.rgb"
box_blend_holds() {
  python3 - "$E2E_DIR/boxed.rgb" "$E2E_DIR/plain.rgb" <<'PY'
import sys
boxed, plain = (open(name, "rb").read() for name in sys.argv[1:3])
width, height = 720, 480
if len(boxed) != width * height * 3 or len(plain) != len(boxed):
    sys.exit("frames of the wrong size")
for y in range(height):
    for x in range(width):
        at = (y * width + x) * 3
        inside = 99 <= x < 163 and 199 <= y < 231   # one-based 100..163, 200..231
        for c in range(3):
            want = 255 * 32 // 64 + plain[at + c] * 32 // 64 if inside else plain[at + c]
            if boxed[at + c] != want:
                sys.exit(f"pixel ({x}, {y}) channel {c}: {boxed[at + c]}, expected {want}")
PY
}
check "the box is the truncated blend of white and the picture, and nothing else changed" box_blend_holds

# --- an H.264/AAC MP4, as phones write them -------------------------------------

H264_MOVIE=$QUCAP_TEST_MEDIA/h264.mp4   # 720x480, 60 frames of 1001/30 ms, with AAC sound
MOVIE=$H264_MOVIE new_project 携帯
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:00.50,0:00:01.00,横,携帯の動画です,0,,0,,0,,0,0"
render "$project" "$E2E_DIR/phone.avi"
facts=$(stream_facts "$E2E_DIR/phone.avi")
checks=$((checks + 1))
IFS=, read -r codec width height rate frames <<<"$facts"
[ "$codec,$width,$height,$frames" = "rawvideo,720,480,60" ] || fail "phone.avi is \"$facts\", expected 60 raw 720x480 frames"
expect_exit 0 -- qucapcmd still "$project" 1000 "$(windows_path "$E2E_DIR/phone-1000.bmp")"
expect_same "the MP4's frame $(frame_of 1000) against the still of 1000 ms" \
  "$(digest movie_pixels "$E2E_DIR/phone.avi" "$(frame_of 1000)")" "$(digest pixels "$E2E_DIR/phone-1000.bmp")"

# --- the fourth byte -------------------------------------------------------------

# Under Wine the splitter hands the filter RGB32 frames whose fourth byte is
# 255, and ffmpeg reads that byte as alpha: where the caption or the box is
# drawn it must stay 255, or players show a hole there.
fourth_bytes() {  # fourth_bytes MOVIE FRAME: the values of the frame's fourth bytes
  ffmpeg -v error -i "$1" -vf "select=eq(n\\,$2)" -vsync 0 -f rawvideo -pix_fmt bgra - |
    python3 -c 'import sys; print(*sorted(set(sys.stdin.buffer.read()[3::4])))'
}
for out in captioned boxed; do
  values=$(fourth_bytes "$E2E_DIR/$out.avi" 45)
  check "every fourth byte of frame 45 of $out.avi is 255 (it holds: $values)" test "$values" = 255
done

# --- an existing output --------------------------------------------------------

printf 'an older movie' >"$E2E_DIR/old.avi"
expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$E2E_DIR/old.avi")"
expect_messages $'ファイルは既に存在します。\n上書きしますか？\n→ いいえ\n既存の出力動画ファイルを残して、処理を中止しました'
check "answered No, the old file stays" test "$(cat "$E2E_DIR/old.avi")" = "an older movie"
check "answered No, nothing else is written" test ! -e "$E2E_DIR/old.avi.part"
render "$plain_project" "$E2E_DIR/old.avi" --yes
expect_same "the replaced file" "$(digest pixels "$E2E_DIR/old.avi")" "$(digest pixels "$E2E_DIR/plain.avi")"

# --- a run that does not finish leaves the old movie --------------------------

# The demo's ten-second movie, so the run lasts long enough to be killed in
# the middle: once its temporary file exists, the output checks (which ask
# about the old file) are behind it and the graph runs.
folder=$E2E_DIR/中断
expect_exit 0 -- qucapcmd new-project 中断 "$(windows_path "$folder")" --movie "$(windows_path "$QUCAP_TEST_MEDIA/demo.avi")"
long_project=$(tr -d '\r\n' <"$last_stdout")
set_project_key "$folder/中断.mcc" WaterMark Disp 0
utf16_file "$folder/枠情報.csv" "$BOX_HEADER"
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER"
# kill_mid_run OUT: starts the render into OUT (--yes: the old file may be
# replaced) and kills the process as soon as the movie is being written.
kill_mid_run() {
  wine "$QUCAPCMD" render "$long_project" --out "$(windows_path "$1")" --yes >/dev/null 2>&1 &
  local pid=$! i
  for i in $(seq 1000); do [ -e "$1.part" ] && break; sleep 0.01; done
  checks=$((checks + 1))
  [ -e "$1.part" ] || fail "the render of $1 did not start writing"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -f "$1.part"
}
printf 'an older movie' >"$E2E_DIR/kept.avi"
kill_mid_run "$E2E_DIR/kept.avi"
check "killed mid-run, the old movie is as it was" test "$(cat "$E2E_DIR/kept.avi")" = "an older movie"
kill_mid_run "$E2E_DIR/fresh.avi"
check "killed mid-run, nothing is left at a new output name" test ! -e "$E2E_DIR/fresh.avi"

# Ctrl+C while the graph is being built (just after the overwrite question
# was answered): exit 1, the old movie untouched, no temporary file left.
printf 'an older movie' >"$E2E_DIR/early.avi"
early_out=$(windows_path "$E2E_DIR/early.avi")
wine "$QUCAPCMD" render "$long_project" --out "$early_out" --yes >"$E2E_DIR/early.stdout" 2>"$E2E_DIR/early.stderr" &
early_pid=$!
for i in $(seq 1000); do grep -q '→ はい' "$E2E_DIR/early.stderr" 2>/dev/null && break; sleep 0.01; done
kill -INT "$early_pid"
wait "$early_pid"
early_status=$?
check "Ctrl+C while the graph is built ends with exit 1 (it gave $early_status)" test "$early_status" = 1
check "Ctrl+C while the graph is built says so" grep -q '処理が中断されました' "$E2E_DIR/early.stderr"
check "Ctrl+C while the graph is built leaves the old movie" test "$(cat "$E2E_DIR/early.avi")" = "an older movie"
check "Ctrl+C while the graph is built leaves no temporary file" test ! -e "$E2E_DIR/early.avi.part"

# Two renders started together each burn their own project's captions, and
# two runs of one project both succeed: the hand-over of the project to the
# filter through Qucapadd.ini is taken one run at a time.
render_pair() {  # render_pair PROJECT_A OUT_A PROJECT_B OUT_B
  wine "$QUCAPCMD" render "$1" --out "$2" --yes >/dev/null 2>"$E2E_DIR/pair-a.stderr" &
  local a=$!
  wine "$QUCAPCMD" render "$3" --out "$4" --yes >/dev/null 2>"$E2E_DIR/pair-b.stderr" &
  local b=$!
  wait "$a"; pair_a=$?
  wait "$b"; pair_b=$?
  # A failed run's own words, so that a failure here says what went wrong.
  [ "$pair_a" = 0 ] || say "  first run said: $(cat "$E2E_DIR/pair-a.stderr")"
  [ "$pair_b" = 0 ] || say "  second run said: $(cat "$E2E_DIR/pair-b.stderr")"
}
for round in 1 2 3; do
  render_pair "$captioned_project" "$(windows_path "$E2E_DIR/pair-captioned.avi")" \
    "$plain_project" "$(windows_path "$E2E_DIR/pair-plain.avi")"
  check "round $round: both renders succeed ($pair_a, $pair_b)" test "$pair_a$pair_b" = 00
  expect_same "round $round: the captioned render burnt its caption" \
    "$(digest movie_pixels "$E2E_DIR/pair-captioned.avi" 45)" "$(digest movie_pixels "$E2E_DIR/captioned.avi" 45)"
  expect_same "round $round: the plain render burnt none" \
    "$(digest movie_pixels "$E2E_DIR/pair-plain.avi" 45)" "$(digest movie_pixels "$E2E_DIR/plain.avi" 45)"
done
render_pair "$captioned_project" "$(windows_path "$E2E_DIR/same-1.avi")" "$captioned_project" "$(windows_path "$E2E_DIR/same-2.avi")"
check "two runs of one project both succeed ($pair_a, $pair_b)" test "$pair_a$pair_b" = 00
rm -f "$E2E_DIR"/pair-*.avi "$E2E_DIR"/same-*.avi

# An output the system cannot create is refused within seconds, naming the file.
expect_exit 1 -- timeout 60 wine "$QUCAPCMD" render "$plain_project" --out 'C:\出力?.avi'
expect_messages $'出力動画ファイルを作成できませんでした\nC:\\出力?.avi'

# --- a movie larger than the multiplexer can write ------------------------------

# A minute of 720x480 passes 2 GiB as uncompressed RGB32. The multiplexer of
# the fallback path (Wine's) writes no OpenDML extension and loses the
# frames past 2 GiB: the run is warned of, then fails, and leaves nothing.
# The big files (1.2 GB in, 2.5 GB out) are made here and removed at once.
if [ "$(df -Pk "$E2E_DIR" | awk 'NR == 2 { print $4 }')" -gt 6000000 ]; then
  big_movie=$E2E_DIR/big-input.avi
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=size=720x480:rate=30000/1001:duration=60" \
    -c:v rawvideo -pix_fmt yuyv422 "$big_movie"
  folder=$E2E_DIR/大
  expect_exit 0 -- qucapcmd new-project 大 "$(windows_path "$folder")" --movie "$(windows_path "$big_movie")"
  big_project=$(tr -d '\r\n' <"$last_stdout")
  set_project_key "$folder/大.mcc" WaterMark Disp 0
  utf16_file "$folder/枠情報.csv" "$BOX_HEADER"
  utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER"
  expect_exit 1 -- qucapcmd render "$big_project" --out "$(windows_path "$E2E_DIR/big.avi")"
  expect_output stderr "出力動画が2GBを超える見込みです。"
  expect_output stderr "出力動画がAVIマルチプレクサの書ける大きさ（2GB）を超えたため、動画の終わりまで書けませんでした。"
  check "no movie is left of a run that lost frames" test ! -e "$E2E_DIR/big.avi" -a ! -e "$E2E_DIR/big.avi.part"
  rm -f "$big_movie" "$E2E_DIR/big.avi" "$E2E_DIR/big.avi.part"
else
  say "render_test: less than 6 GB free, the movie over 2 GiB is not tried"
fi

# --- refusals -------------------------------------------------------------------

input_digest=$(md5sum <"$MOVIE")
expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$MOVIE")" --yes
expect_messages "出力動画に入力動画と同じファイルは指定できません"
check "the input is untouched" test "$(md5sum <"$MOVIE")" = "$input_digest"
check "nothing is written beside the input" test ! -e "$MOVIE.part"

expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$E2E_DIR/無い/out.avi")"
expect_messages "出力動画を保存するフォルダがありません：$(windows_path "$E2E_DIR/無い")"
check "no folder is made for a refused output" test ! -e "$E2E_DIR/無い"

mkdir "$E2E_DIR/folder.avi"
expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$E2E_DIR/folder.avi")" --yes
expect_messages "出力動画にフォルダは指定できません"
check "a folder named as the output stays empty" test -z "$(ls -A "$E2E_DIR/folder.avi")"

# 266 characters: refused, not written at a name cut to 255 (nor recorded so).
long_out=$(long_path .avi 266)
project_digest=$(md5sum <"$E2E_DIR/無字幕/無字幕.mcc")
expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$long_out")" --yes
expect_messages "出力動画ファイルのパスが長すぎます（250文字まで）"
check "nothing is written beside the long name" test -z "$(ls -A "$(dirname "$long_out")")"
check "the project keeps its output name" test "$(md5sum <"$E2E_DIR/無字幕/無字幕.mcc")" = "$project_digest"

# Captions the caption filter refuses would leave the movie without any: no movie then.
new_project 縦横
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:01.00,0:00:01.00,V,字幕,0,,0,,0,,0,0"
expect_exit 1 -- qucapcmd render "$project" --out "$(windows_path "$E2E_DIR/dropped.avi")"
expect_messages "1行目の縦横指定に誤りがあります"
check "no movie without its captions" test ! -e "$E2E_DIR/dropped.avi"

new_project 動画なし
set_project_key "$folder/動画なし.mcc" FileName InpMovName "$(windows_path "$E2E_DIR/none.avi")"
expect_exit 1 -- qucapcmd render "$project" --out "$(windows_path "$E2E_DIR/none-out.avi")"
expect_messages "入力動画ファイルが見つかりません"
check "no output without an input" test ! -e "$E2E_DIR/none-out.avi"

expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$E2E_DIR/enc.avi")" --video-encoder "無い圧縮"
expect_messages "映像エンコーダ「無い圧縮」が見つかりません"
check "no output with an unknown encoder" test ! -e "$E2E_DIR/enc.avi"

utf16_file "$E2E_DIR/無字幕/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:02.00,0:00:01.00,横,後,0,,0,,0,,0,0" \
  "2,0:00:01.00,0:00:01.00,横,前,0,,0,,0,,0,0"
expect_exit 1 -- qucapcmd render "$plain_project" --out "$(windows_path "$E2E_DIR/invalid.avi")"
expect_output stderr "2行目の開始時間の指定に誤りがあります"
check "no output for invalid captions" test ! -e "$E2E_DIR/invalid.avi"

new_project 出力なし
set_project_key "$folder/出力なし.mcc" FileName OutMovName 設定なし
expect_exit 1 -- qucapcmd render "$project"
expect_messages "出力動画ファイルを --out で指定して下さい"

expect_exit 2 -- qucapcmd render "$plain_project" --out
expect_output stderr "--out の後に FILE.avi を指定して下さい"

# --- encoders -------------------------------------------------------------------

expect_exit 0 -- qucapcmd encoders
expect_output stdout "映像圧縮（ビデオコンプレッサ）"
expect_output stdout "  Cinepak Video codec"
expect_output stdout "音声エンコーダ（DirectShowフィルタ）"

# Through a video encoder: the tests' lossless encoder, registered for every
# process with regsvr32. ffmpeg does not know its format, so the file's
# stream facts are checked, not its pictures (tests/win decodes them).
TEST_ENCODER_MODULE=$QUCAP_WIN_BUILD/tests/win/test_encoder/QucapTestEncoder.ax
TEST_ENCODER="Qucap Test Lossless Video Encoder"
check "the test encoder registers" wine regsvr32 /s "$(windows_path "$TEST_ENCODER_MODULE")"
expect_exit 0 -- qucapcmd encoders
expect_output stdout "  $TEST_ENCODER"
new_project 圧縮 && encoded_project=$project
render "$encoded_project" "$E2E_DIR/encoded.avi" --video-encoder "$TEST_ENCODER"
encoded_facts=$(ffprobe -v error -count_packets -select_streams v:0 \
  -show_entries stream=codec_tag_string,width,height,nb_read_packets -of csv=p=0 "$E2E_DIR/encoded.avi")
check "the encoded movie is 90 QTLE frames of 720x480 (it is \"$encoded_facts\")" \
  test "$encoded_facts" = "QTLE,720,480,90"
check "the test encoder unregisters" wine regsvr32 /s /u "$(windows_path "$TEST_ENCODER_MODULE")"

finish_checks render_test
