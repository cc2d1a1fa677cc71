#!/usr/bin/env bash
# End-to-end checks of the timing verbs under Wine: "Qucapcmd shots" and
# "peaks" on a movie of clips from different picture sources (a moving
# pattern, colour bars, a fade, a moving fractal: tools/make_test_media.sh)
# against ffmpeg's own decoding and its scene detector, and "retime" on a
# project of that movie.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"
export QUCAP_BUILD

"$QUCAP_ROOT/tools/make_test_media.sh"

clips=$QUCAP_TEST_MEDIA/clips.avi   # four clips of 60 frames at 29.97 fps: cuts at 60, 120, 180

lines() { tr -d '\r' <"$last_stdout"; }

# --- shots ------------------------------------------------------------------------

expect_exit 0 -- qucapcmd shots "$(windows_path "$clips")"
expect_exact_output stdout $'60\t0:00:02.002\n120\t0:00:04.004\n180\t0:00:06.006\n'
# ffmpeg's scene detector finds the same frames.
scdet=$(ffmpeg -hide_banner -loglevel error -i "$clips" -vf "scdet=threshold=10,metadata=print:file=-" -an -f null - |
  awk '/^frame:/ { frame = substr($1, 7) } /lavfi.scd.time/ { print frame }' | tr '\n' ' ')
check "ffmpeg's scdet finds the cuts at the same frames ($scdet)" test "$scdet" = "60 120 180 "
# Compressed, the same cuts from the decoder's own planar pictures.
expect_exit 0 -- qucapcmd shots "$(windows_path "$QUCAP_TEST_MEDIA/clips.mp4")"
expect_exact_output stdout $'60\t0:00:02.002\n120\t0:00:04.004\n180\t0:00:06.006\n'
expect_exit 0 -- qucapcmd shots "$(windows_path "$QUCAP_TEST_MEDIA/yuy2.avi")"
expect_exact_output stdout ""
expect_exit 1 -- qucapcmd shots "$(windows_path "$E2E_DIR/なし.avi")"
expect_messages "入力動画ファイルが見つかりません"

# --- peaks ------------------------------------------------------------------------

# The loudest 16-bit sample of each of N equal parts, from ffmpeg's decoding.
ffmpeg_peaks() {
  ffmpeg -hide_banner -loglevel error -i "$1" -vn -f s16le -acodec pcm_s16le - | python3 -c '
import array, sys
samples = array.array("h"); samples.frombytes(sys.stdin.buffer.read())
channels, parts = int(sys.argv[1]), int(sys.argv[2])
frames = len(samples) // channels
for i in range(parts):
    part = samples[frames * i // parts * channels:frames * (i + 1) // parts * channels]
    print(max((abs(s) for s in part), default=0))' "$2" "$3"
}
for buckets in 8 1000; do
  expect_exit 0 -- qucapcmd peaks "$(windows_path "$clips")" --buckets $buckets
  check "peaks in $buckets parts as ffmpeg decodes the sound" test "$(lines)" = "$(ffmpeg_peaks "$clips" 1 $buckets)"
done
expect_exit 0 -- qucapcmd peaks "$(windows_path "$QUCAP_TEST_MEDIA/yuy2.avi")" --buckets 30
check "peaks of a 44.1 kHz tone as ffmpeg decodes it" test "$(lines)" = "$(ffmpeg_peaks "$QUCAP_TEST_MEDIA/yuy2.avi" 1 30)"
expect_exit 0 -- qucapcmd peaks "$(windows_path "$QUCAP_TEST_MEDIA/small.avi")" --buckets 4
expect_messages "この動画には音声がありません"
expect_exact_output stdout ""
expect_exit 2 -- qucapcmd peaks "$(windows_path "$clips")"
expect_output stderr "--buckets には 1 から 1000000 までの整数を指定して下さい"

# --- retime -----------------------------------------------------------------------

folder=$E2E_DIR/調整
expect_exit 0 -- qucapcmd new-project 調整 "$(windows_path "$folder")" --movie "$(windows_path "$clips")"
project=$(lines | tr -d '\n')
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" \
  "1,0:00:02.20,0:00:01.00,横,カットの後,0,,0,,0,,0,0" \
  "2,0:00:03.25,0:00:00.30,横,短い,0,,0,,0,,0,0" \
  "3,0:00:05.00,0:00:08.00,横,長い,0,,0,,0,,0,0"
before=$(md5sum <"$folder/字幕情報.csv")
# Row 2 grows to the minimum, which puts its end 7 frames before the cut at
# frame 120: it then ends 2 frames before the cut.
expected_table='タイミングの変更：4件
行  項目  変更前      変更後      規則
1   開始  0:00:02.20  0:00:02.00  ショットに合わせる
2   終了  0:00:03.55  0:00:03.75  最短時間
2   終了  0:00:03.75  0:00:03.93  ショットに合わせる
3   終了  0:00:13.00  0:00:12.00  最長時間'
expect_exit 0 -- qucapcmd retime "$project" --dry-run
check "the dry run prints the changes" test "$(lines)" = "$expected_table"
check "the dry run writes nothing" test "$(md5sum <"$folder/字幕情報.csv")" = "$before"
check "the cuts are kept beside the project" test -f "$folder/調整.shots"
expect_exit 0 -- qucapcmd retime "$project" --dry-run --no-shots --max-ms 8000
check "without shots and with a longer maximum only the short row changes" test "$(lines | tail -n +3)" = \
  "2   終了  0:00:03.55  0:00:03.75  最短時間"
# The snapping counts as options, and as settings beside the program that
# the options override.
expect_exit 0 -- qucapcmd retime "$project" --dry-run --snap-start-after 5 --snap-end-gap 4
check "a start 6 frames after a cut stays, an end goes 4 frames before it" test "$(lines | tail -n +3)" = \
'2   終了  0:00:03.55  0:00:03.75  最短時間
2   終了  0:00:03.75  0:00:03.86  ショットに合わせる
3   終了  0:00:13.00  0:00:12.00  最長時間'
settings=$QUCAP_PROGRAM_DIR/Qucapadd.ini
saved_settings=$E2E_DIR/Qucapadd.ini.saved
[ -e "$settings" ] && cp "$settings" "$saved_settings"
printf '[Timing]\r\nMaxMs=8000\r\nSnapStartAfter=5\r\n' >"$settings"
expect_exit 0 -- qucapcmd retime "$project" --dry-run
check "the settings file's rules are used" test "$(lines | tail -n +3)" = \
'2   終了  0:00:03.55  0:00:03.75  最短時間
2   終了  0:00:03.75  0:00:03.93  ショットに合わせる'
expect_exit 0 -- qucapcmd retime "$project" --dry-run --max-ms 7000
check "an option overrides the settings file" test "$(lines | tail -n 1)" = "3   終了  0:00:13.00  0:00:12.00  最長時間"
if [ -e "$saved_settings" ]; then cp "$saved_settings" "$settings"; else rm -f "$settings"; fi
expect_exit 0 -- qucapcmd retime "$project"
check "the changes are written" test "$(iconv -f UTF-16 -t UTF-8 "$folder/字幕情報.csv" | tr -d '\r' | tail -n +2 | cut -d, -f1-3 | tr '\n' ' ')" = \
  "1,0:00:02.00,0:00:01.20 2,0:00:03.25,0:00:00.68 3,0:00:05.00,0:00:07.00 "
expect_exit 0 -- qucapcmd check "$project"
expect_exit 0 -- qucapcmd retime "$project"
check "a second run has nothing to change" test "$(lines)" = "タイミングを変える字幕はありません"
expect_exit 2 -- qucapcmd retime "$project" --gap-frames x
expect_output stderr "--gap-frames には 0 から 99 までの整数を指定して下さい"
expect_exit 2 -- qucapcmd retime "$project" --snap-end-gap 100
expect_output stderr "--snap-end-gap には 0 から 99 までの整数を指定して下さい"
expect_exit 2 -- qucapcmd retime "$project" --shots --no-shots
expect_output stderr "--shots と --no-shots は一緒に指定できません"

finish_checks timing_test
