#!/usr/bin/env bash
# End-to-end checks of the WebVTT and TTML exports and of the reading check:
# every file the writers make (the host tests' table of rows, the fuzz
# corpus, Qucapcmd's exports) read back by the reference readers
# (tests/readers: the W3C validator's WebVTT parser and the IMSC reference
# renderer's parser) and by ffmpeg; then `check --reading` on a fixture.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
export QUCAP_BUILD

. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"

"$QUCAP_ROOT/tools/setup_readers.sh" || die "the subtitle readers could not be installed"
READERS=$QUCAP_ROOT/tests/readers

# --- every file the writers make parses -----------------------------------------

samples=$E2E_DIR/samples
mkdir -p "$samples"
QUCAP_CUE_SAMPLES=$samples "$QUCAP_HOST_BUILD/tests/host/qucap_host_tests" --gtest_filter='CueExport.*Byte*' >/dev/null ||
  fail "the writers' host tests failed"
QUCAP_CUE_SAMPLES=$samples "$QUCAP_HOST_BUILD/tests/fuzz/cue_fuzz" "$QUCAP_ROOT/tests/data/fuzz/markup" \
  "$QUCAP_ROOT/tests/data/fuzz/caption" >/dev/null || fail "the writers' fuzz replay failed"
check "the host tests and the fuzz replay left files to read" test "$(ls "$samples" | wc -l)" -ge 40
check "webvtt-parser reads every WebVTT file without an error" node "$READERS/read_vtt.js" "$samples"/*.vtt
check "imsc reads every TTML file without a warning or an error" node "$READERS/read_ttml.js" "$samples"/*.ttml
# ffmpeg reads every cue of every WebVTT file (its timing lines as SRT).
for sample in "$samples"/*.vtt; do
  check "ffmpeg reads every cue of $(basename "$sample")" test \
    "$(ffmpeg -v error -i "$sample" -f srt - | grep -c -- '^[0-9:,]* --> [0-9:,]*$')" = "$(grep -c -- '^[0-9:.]* --> ' "$sample")"
done

# --- Qucapcmd export-vtt and export-ttml ---------------------------------------

expect_exit 0 -- qucapcmd --help
expect_output stdout "export-vtt PROJECT.mcc OUT.vtt"
expect_output stdout "export-ttml PROJECT.mcc OUT.ttml"

folder=$E2E_DIR/書き出し
expect_exit 0 -- qucapcmd new-project 書き出し "$(windows_path "$folder")" --movie "$(windows_path "$QUCAP_TEST_MEDIA/small.avi")"
project=$(tr -d '\r\n' <"$last_stdout")
# The demo's captions (ruby on both lines, colours, borders, effects, a
# vertical row) and a row with the characters WebVTT and XML reserve.
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$folder/字幕情報.csv"
printf '%s\r\n' '5,0:00:10.00,0:00:01.00,横,A<B & C>D,0,,0,,0,,0' >>"$folder/字幕情報.csv"

vtt=$E2E_DIR/字幕.vtt
ttml=$E2E_DIR/字幕.ttml
expect_exit 0 -- qucapcmd export-vtt "$project" "$(windows_path "$vtt")"
expect_exact_output stderr $'WebVTTファイルを出力しました。\n文字コードはUTF-8です\n'
expect_exit 0 -- qucapcmd export-ttml "$project" "$(windows_path "$ttml")"
expect_exact_output stderr $'TTML（IMSC 1.1）ファイルを出力しました。\n文字コードはUTF-8です\n'

# What the validator's parser reads: times, vertical setting, ruby bases and
# readings, colour classes and effects as written.
expect_exit 0 -- node "$READERS/read_vtt.js" "$vtt"
expect_exact_output stdout 'style "::cue(.red) { color: #FF0000 }\n::cue(.green) { color: #00FF00 }\n::cue(.blue) { color: #0000FF }\n::cue(.yellow) { color: #FFFF00 }\n::cue(.magenta) { color: #FF00FF }\n::cue(.cyan) { color: #00FFFF }\n::cue(.black) { color: #000000 }\n::cue(.white) { color: #FFFFFF }\n::cue(.strike) { text-decoration: line-through }"
0.5 3
  [{yellow:字幕}|{white:じまく}]{white:の}[{white:見本}|{white:みほん}]{white:です}
  {white:カブレン}{cyan:字幕}[{cyan:付加}|{white:ふか}]{white:システム}
3.5 5.5 rl
  [{white:<b:縦書>}|{white:たてが}]{white:<b:き>}{white:もできます}
  {magenta:ルビも縦に}
6 7.8
  [{red:赤}|{white:あか}][{green:緑}|{white:みどり}][{blue:青}|{white:あお}]{white:の}[{white:文字}|{white:もじ}]
  [{white:縁取}|{white:ふちど}]{white:りの}[{white:色}|{white:いろ}]{white:も変えられます}
8 9.9
  [<i:斜体>|しゃたい]・[<u:下線>|{white:かせん}]・[{strike:打消}|{white:うちけし}]
  [区切|くぎ]りの「,」も使えます
10 11
  A<B & C>D
'
# What the IMSC parser reads at each change: writing mode, ruby with its
# position, colours and outlines from the project's colour file, effects.
expect_exit 0 -- node "$READERS/read_ttml.js" "$ttml"
expect_exact_output stdout '0.5
  lrtb [{#FFFF00 outline #000000:字幕}|{outline #000000:じまく}](before){outline #000000:の}[{outline #000000:見本}|{outline #000000:みほん}](before){outline #000000:です}
  lrtb {outline #000000:カブレン}{#00FFFF outline #000000:字幕}[{#00FFFF outline #000000:付加}|{outline #000000:ふか}](after){outline #000000:システム}
3.5
  tbrl [{outline #000000 bold:縦書}|{outline #000000:たてが}](before){outline #000000 bold:き}{outline #000000:もできます}
  tbrl {#FF00FF outline #000000:ルビも縦に}
6
  lrtb [{#FF0000:赤}|あか](before)[{#00FF00:緑}|{outline #000000:みどり}](before)[{#0000FF:青}|{outline #000000:あお}](before)の[文字|{outline #000000:もじ}](before)
  lrtb [{outline #FF0000:縁取}|{outline #FF0000:ふちど}](after){outline #FF0000:りの}[{outline #FF0000:色}|{outline #FF0000:いろ}](after){outline #FF0000:も変えられます}
8
  lrtb [{italic:斜体}|しゃたい](before)・[{underline:下線}|{outline #000000:かせん}](before)・[{lineThrough:打消}|{outline #000000:うちけし}](before)
  lrtb [区切|くぎ](after)りの「,」も使えます
10
  lrtb A<B & C>D
'

# ffmpeg reads every cue: five cues, the texts without the markup.
# (ffmpeg writes the ruby's reading after its base, and parts lines with CR LF.)
expect_exit 0 -- ffmpeg -v error -i "$vtt" -f srt -
check "ffmpeg reads five WebVTT cues" test "$(grep -c -- '-->' "$last_stdout")" = 5
check "ffmpeg reads every cue's text" test "$(tr -d '\r' <"$last_stdout")" = '1
00:00:00,500 --> 00:00:03,000
字幕じまくの見本みほんです
カブレン字幕付加ふかシステム

2
00:00:03,500 --> 00:00:05,500
<b>縦書</b>たてが<b>き</b>もできます
ルビも縦に

3
00:00:06,000 --> 00:00:07,800
赤あか緑みどり青あおの文字もじ
縁取ふちどりの色いろも変えられます

4
00:00:08,000 --> 00:00:09,900
<i>斜体</i>しゃたい・<u>下線</u>かせん・打消うちけし
区切くぎりの「,」も使えます

5
00:00:10,000 --> 00:00:11,000
A<B & C>D'

# An existing file is replaced; a folder that does not exist is refused.
echo old >"$vtt"
expect_exit 0 -- qucapcmd export-vtt "$project" "$(windows_path "$vtt")"
check "the old file was replaced" test "$(head -c 6 "$vtt")" = WEBVTT
expect_exit 1 -- qucapcmd export-ttml "$project" "$(windows_path "$E2E_DIR/no/such/x.ttml")"
expect_exact_output stderr $'TTMLファイルの作成に失敗しました\n'
expect_exit 1 -- qucapcmd export-vtt "$project" "$(windows_path "$E2E_DIR/no/such/x.vtt")"
expect_exact_output stderr $'WebVTTファイルの作成に失敗しました\n'
expect_exit 2 -- qucapcmd export-vtt "$project"
expect_output stderr "使い方：Qucapcmd export-vtt PROJECT.mcc OUT.vtt"

# --- check --reading --------------------------------------------------------------

printf '%s\r\n' "$CAPTION_HEADER" \
  '1,0:00:00.00,0:00:02.00,横,あいうえおかきくけこ,0,,0,,0,,0,0' \
  '2,0:00:02.00,0:00:00.40,横,ABC,0,,0,,0,,0,0' \
  '3,0:00:02.45,0:00:07.50,横,一二三四五六七八九十一二三四,0,,0,ｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷｸｹｺｱｲｳｴｵｶｷ,0,,0,0' \
  '4,0:00:20.00,0:00:03.00,縦,縦縦縦縦縦縦縦縦縦縦縦縦,0,縦(たてたてたてたてたて),0,,0,,0,0' >"$folder/字幕情報.csv"
# The movie has 25 frames a second: 50 ms are 1.25 frames.
reading_table='4行の字幕に誤りはありません
読みやすさの規則に反する字幕：8件
行  開始時間    規則               値
1   0:00:00.00  1秒あたりの文字数  5.0文字/秒（上限 4）
1   0:00:00.00  次の字幕との間隔   0.0フレーム、0秒（下限 2フレーム）
2   0:00:02.00  表示時間が短い     0.4秒（下限 0.5秒）
2   0:00:02.00  次の字幕との間隔   1.3フレーム、0.05秒（下限 2フレーム）
3   0:00:02.45  1行目の文字数      14文字（上限 13、横）
3   0:00:02.45  2行目の文字数      13.5文字（上限 13、横）
3   0:00:02.45  表示時間が長い     7.5秒（上限 7秒）
4   0:00:20.00  1行目の文字数      12文字（上限 11、縦）
'
expect_exit 0 -- qucapcmd check "$project" --reading
expect_exact_output stdout "$reading_table"
expect_exit 1 -- qucapcmd check --strict "$project" --reading
expect_exact_output stdout "$reading_table"
expect_exit 1 -- qucapcmd check "$project" --reading --strict --cps 6 --chars-h 14 --min-ms 400 --max-ms 8000 --gap-frames 1
expect_exact_output stdout '4行の字幕に誤りはありません
読みやすさの規則に反する字幕：2件
行  開始時間    規則              値
1   0:00:00.00  次の字幕との間隔  0.0フレーム、0秒（下限 1フレーム）
4   0:00:20.00  1行目の文字数     12文字（上限 11、縦）
'
expect_exit 0 -- qucapcmd check "$project" --reading --strict --cps 6 --chars-h 14 --chars-v 12 --min-ms 400 \
  --max-ms 8000 --gap-frames 0
expect_exact_output stdout $'4行の字幕に誤りはありません\n読みやすさの規則に反する字幕はありません\n'
# Without a movie a frame is taken as 1/29.97 s, and said so: 50 ms are 1.5 frames.
set_project_key "$folder/書き出し.mcc" FileName InpMovName 設定なし
expect_exit 0 -- qucapcmd check "$project" --reading
expect_output stdout $'入力動画を読めないため、1フレームを 29.97fps の長さとして計算します'
expect_output stdout '2   0:00:02.00  次の字幕との間隔   1.5フレーム、0.05秒（下限 2フレーム）'
# Plain check is unchanged; bad limits are bad arguments.
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'4行の字幕に誤りはありません\n'
expect_exit 2 -- qucapcmd check "$project" --reading --cps abc
expect_output stderr "--cps には 0 より大きい数（小数は1桁まで）を指定して下さい"
expect_exit 2 -- qucapcmd check "$project" --reading --gap-frames -1
expect_output stderr "--gap-frames には 0 以上の整数を指定して下さい"
expect_exit 2 -- qucapcmd check "$project" --strict
expect_output stderr "--strict は --reading と一緒に指定して下さい"
# The validation comes first and decides the exit code: a row starting
# before the previous one ends fails the check, the table follows.
printf '%s\r\n' "$CAPTION_HEADER" '1,0:00:01.00,0:00:02.00,横,a,0,,0,,0,,0,0' \
  '2,0:00:02.00,0:00:01.00,横,b,0,,0,,0,,0,0' >"$folder/字幕情報.csv"
expect_exit 1 -- qucapcmd check "$project" --reading
expect_output stdout "1   0:00:01.00  次の字幕との間隔"

finish_checks cue_export_test
