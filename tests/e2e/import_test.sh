#!/usr/bin/env bash
# End-to-end checks of `Qucapcmd import`: an SRT of a transcription tool and
# files that ffmpeg converts into a project, the question before rows are
# replaced, --append and --format, files that give nothing; the round trips
# of the WebVTT, TTML and SRT exports through the import; and the cues of
# every import fixture as the reference readers (tests/readers) find them.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
export QUCAP_BUILD

. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"

"$QUCAP_ROOT/tools/setup_readers.sh" || die "the subtitle readers could not be installed"
READERS=$QUCAP_ROOT/tests/readers
DUMP=$QUCAP_HOST_BUILD/tests/qucap_import_dump
FIXTURES=$QUCAP_ROOT/tests/data/import

# caption_rows PROJECT_FOLDER: the rows of its caption-info file as UTF-8 without the header.
caption_rows() { iconv -f UTF-16 -t UTF-8 "$1/字幕情報.csv" | tr -d '\r' | tail -n +2; }

new_project() {  # new_project NAME: prints the project file's Windows path
  qucapcmd new-project "$1" "$(windows_path "$E2E_DIR/$1")" --movie "$(windows_path "$QUCAP_TEST_MEDIA/small.avi")" </dev/null |
    tr -d '\r\n'
}

# --- an SRT from a transcription tool ---------------------------------------------

project=$(new_project 読み込み)
folder=$E2E_DIR/読み込み
srt=$E2E_DIR/文字起こし.srt
printf '%s\r\n' 1 '00:00:01,000 --> 00:00:03,500' 'こんにちは' '<i>元気ですか</i>' '' \
  2 '00:00:03,000 --> 00:00:05,000' '{\an8}<font color="#ff0000">はい</font>' '' >"$srt"

expect_exit 0 -- qucapcmd --help
expect_output stdout "import PROJECT.mcc FILE [--append] [--format srt|vtt|ttml|ass] [--yes]"
# The new project holds its sample row: without --yes the answer is No.
expect_exit 1 -- qucapcmd import "$project" "$(windows_path "$srt")"
expect_output stderr "字幕の一覧にある1行の字幕を、読み込む字幕で置き換えますか？"
expect_output stderr "字幕ファイルの読み込みをやめました"
check "No keeps the sample row" test "$(caption_rows "$folder" | cut -d, -f5)" = '$W$kカブレン'
expect_exit 0 -- qucapcmd import "$project" "$(windows_path "$srt")" --yes
expect_exact_output stdout $'2行の字幕を読み込みました\n1行目：次の字幕と重なるため、終了時間を0:00:03.00にしました\n6行目：{\\an8} は字幕の行に持てないため外しました\n'
check "the caption-info file holds the rows" test "$(caption_rows "$folder")" = '1,0:00:01.00,0:00:02.00,横,こんにちは,0,,0,$I元気ですか$i,0,,0,0
2,0:00:03.00,0:00:02.00,横,$Rはい,0,,0,,0,,0,0'
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'2行の字幕に誤りはありません\n'

# --append places the rows of a second file among them; the existing rows stay.
later=$E2E_DIR/後半.srt
printf '%s\r\n' '00:00:04.500 --> 00:00:06.000' '後半です' >"$later"
expect_exit 0 -- qucapcmd import "$project" "$(windows_path "$later")" --append
expect_exact_output stdout $'1行の字幕を読み込みました\n1行目：前の字幕と重なるため、開始時間を0:00:05.00にしました\n'
check "the appended row follows the existing ones" test "$(caption_rows "$folder" | cut -d, -f1-5 | tail -2)" = '2,0:00:03.00,0:00:02.00,横,$Rはい
3,0:00:05.00,0:00:01.00,横,後半です'

# Arguments, and files that give nothing.
expect_exit 2 -- qucapcmd import "$project" "$(windows_path "$srt")" --format doc
expect_output stderr "--format には srt、vtt、ttml、ass のどれかを指定してください"
expect_output stderr "使い方：Qucapcmd import PROJECT.mcc FILE"
expect_exit 1 -- qucapcmd import "$project" "$(windows_path "$E2E_DIR/ない.srt")" --yes
expect_messages "字幕ファイルが見つかりません"
cp "$QUCAP_ROOT/docs/images/render-demo.png" "$E2E_DIR/絵.srt"
expect_exit 1 -- qucapcmd import "$project" "$(windows_path "$E2E_DIR/絵.srt")" --yes
expect_messages "字幕ファイルではありません（文字のファイルではありません）"
check "a refused import leaves the rows" test "$(caption_rows "$folder" | wc -l)" = 3

# --- files that ffmpeg writes -------------------------------------------------------

for format in ass vtt ttml; do
  converted=$E2E_DIR/ffmpeg.$format
  codec=()
  [ "$format" = ttml ] && codec=(-c:s ttml)
  ffmpeg -v error -y -i "$srt" "${codec[@]}" "$converted" || fail "ffmpeg could not write $format"
  expect_exit 0 -- qucapcmd import "$project" "$(windows_path "$converted")" --yes
  expect_output stdout "2行の字幕を読み込みました"
  check "the $format file gives the texts of the SRT" test "$(caption_rows "$folder" | cut -d, -f2,5,9 | sed 's/\$[A-Za-z]//g')" = \
    '0:00:01.00,こんにちは,元気ですか
0:00:03.00,はい,'
done

# --- round trips: what the exports write imports back to the same rows -------------

original=$(new_project 元)
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$E2E_DIR/元/字幕情報.csv"
copy=$(new_project 写し)
for kind in vtt ttml srt; do
  first=$E2E_DIR/first.$kind second=$E2E_DIR/second.$kind
  expect_exit 0 -- qucapcmd "export-$kind" "$original" "$(windows_path "$first")"
  expect_exit 0 -- qucapcmd import "$copy" "$(windows_path "$first")" --yes
  expect_exit 0 -- qucapcmd "export-$kind" "$copy" "$(windows_path "$second")"
  check "the $kind export of the imported rows is the first export" cmp -s "$first" "$second"
done

# --- the reference readers find the cues the import finds ----------------------------

compare_with_reference() {  # compare_with_reference SCRIPT FILE
  local ours theirs
  theirs=$(node "$1" "$2" 2>&1) || { fail "$(basename "$1") could not read $(basename "$2"): $theirs"; return; }
  ours=$("$DUMP" "$2" 2>/dev/null) || { fail "the import could not read $(basename "$2")"; return; }
  checks=$((checks + 1))
  [ "$ours" = "$theirs" ] || fail "$(basename "$2"): the cues differ: $(diff <(echo "$theirs") <(echo "$ours") | head -20)"
}
for fixture in "$FIXTURES"/*.vtt; do
  [ -e "$fixture" ] && [ -f "$READERS/cues_vtt.js" ] && compare_with_reference "$READERS/cues_vtt.js" "$fixture"
done
for fixture in "$FIXTURES"/*.ttml; do
  [ -e "$fixture" ] && [ -f "$READERS/cues_ttml.js" ] && compare_with_reference "$READERS/cues_ttml.js" "$fixture"
done

finish_checks import_test
