#!/usr/bin/env bash
# End-to-end checks of Qucapcmd.exe under Wine. ./qucap test runs this with the
# Wine environment started; run alone, wine starts its own server.
#
# Add a check as:
#   expect_exit 0 -- qucapcmd check "$(windows_path "$project")"
#   expect_output stderr "字幕情報ファイルの読み込みに失敗しました"
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
export QUCAP_BUILD   # ./qucap cmd below must use the same trees

. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/files.sh"

# --- the command line ---------------------------------------------------------

for help in --help -h; do
  expect_exit 0 -- qucapcmd "$help"
  expect_output stdout "check PROJECT.mcc"
  expect_output stdout "export-srt PROJECT.mcc OUT.srt"
  expect_output stdout "export-sami PROJECT.mcc OUT.smi"
  expect_exact_output stderr ""
done

expect_exit 2 -- qucapcmd
expect_output stderr "使い方：Qucapcmd コマンド [引数...]"
expect_exact_output stdout ""

expect_exit 2 -- qucapcmd frobnicate a.mcc
expect_output stderr "「frobnicate」というコマンドはありません"
expect_exit 2 -- qucapcmd 字幕
expect_output stderr "「字幕」というコマンドはありません"

# A pipe gets UTF-8 with plain line feeds.
expect_exit 2 -- qucapcmd check
expect_exact_output stderr $'引数の数が正しくありません\n使い方：Qucapcmd check PROJECT.mcc [--reading] [--strict] [--cps N] [--chars-h N] [--chars-v N] [--min-ms MS] [--max-ms MS] [--gap-frames N]\n'
expect_exit 2 -- qucapcmd export-srt a.mcc
expect_output stderr "使い方：Qucapcmd export-srt PROJECT.mcc OUT.srt"
expect_exit 2 -- qucapcmd export-sami a.mcc b.smi c
expect_output stderr "使い方：Qucapcmd export-sami PROJECT.mcc OUT.smi"

expect_exit 0 -- qucapcmd check --help
expect_output stdout "使い方：Qucapcmd check PROJECT.mcc"

# --- ./qucap cmd ----------------------------------------------------------------

# The exit code of Qucapcmd.exe is that of ./qucap cmd, and paths arrive converted.
expect_exit 2 -- "$QUCAP_ROOT/qucap" cmd frobnicate
expect_exit 1 -- "$QUCAP_ROOT/qucap" cmd check "$E2E_DIR/none.mcc"
expect_exact_output stderr $'プロジェクトファイルが見つかりません\n'
# A file without the project's FileName section is no project, not an empty one.
touch "$E2E_DIR/empty.mcc"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >"$E2E_DIR/junk.mcc"
for name in empty junk; do
  expect_exit 1 -- "$QUCAP_ROOT/qucap" cmd check "$E2E_DIR/$name.mcc"
  expect_exact_output stderr $'プロジェクトファイルとして読み込めません（[FileName] セクションがありません）\n'
  expect_exact_output stdout ""
done
expect_exit 1 -- "$QUCAP_ROOT/qucap" cmd export-srt "$E2E_DIR/junk.mcc" "$E2E_DIR/junk.srt"
check "nothing is exported from a file that is no project" test ! -e "$E2E_DIR/junk.srt"
expect_exit 0 -- "$QUCAP_ROOT/qucap" cmd --help

# --- ruby proposals -------------------------------------------------------------

# Only the ruby text on standard output, from the dictionary beside the program.
expect_exit 0 -- qucapcmd ruby --text "雨が降り続いている"
expect_exact_output stdout $'雨(あめ)降(ふ)続(つづ)\n'
expect_exit 2 -- qucapcmd ruby
expect_output stderr "ルビ候補を出す本文を --text で、またはプロジェクトファイルを指定してください"

# A project's empty ruby texts filled after the question, with the names of
# its ルビ辞書.csv; the user's own ruby and lines without kanji stay.
ruby_folder=$E2E_DIR/ルビ
expect_exit 0 -- qucapcmd new-project ルビ "$(windows_path "$ruby_folder")"
ruby_project=$(tr -d '\r\n' <"$last_stdout")
utf16_file "$ruby_folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:01.00,0:00:01.00,横,栞さんが字幕を見る,0,,0,雨,0,雨(う),0,0" \
  "2,0:00:03.00,0:00:01.00,横,ひらがなだけ,0,,0,,0,,0,0"
printf '栞,しおり\r\n' >"$ruby_folder/ルビ辞書.csv"
expect_exit 1 -- qucapcmd ruby "$ruby_project"
expect_exact_output stdout $'1行目 1行目ルビ 栞(しおり)字幕(じまく)見(み)\n'
expect_output stderr "1か所にルビ候補を付け、字幕情報ファイルに保存しますか？"
expect_output stderr "ルビ候補を付けるのをやめました"
check "No leaves the caption-info file as it was" \
  test "$(iconv -f UTF-16 -t UTF-8 "$ruby_folder/字幕情報.csv" | sed -n 2p | cut -d, -f7)" = ""
expect_exit 0 -- qucapcmd ruby "$ruby_project" --yes
# (The user's ruby comes back framed as every ruby text is read: 雨(う$W$k).)
check "the proposal is in the caption-info file, the user's ruby kept" \
  test "$(iconv -f UTF-16 -t UTF-8 "$ruby_folder/字幕情報.csv" | tr -d '\r' | sed -n 2p)" = \
  '1,0:00:01.00,0:00:01.00,横,栞さんが字幕を見る,0,栞(しおり)字幕(じまく)見(み),0,雨,0,雨(う$W$k),0,0'
expect_exit 0 -- qucapcmd check "$ruby_project"
expect_exit 0 -- qucapcmd ruby "$ruby_project"
expect_exact_output stdout $'ルビ候補を付ける行はありません\n'
# --text with a project reads its word list too.
expect_exit 0 -- qucapcmd ruby "$ruby_project" --text "栞"
expect_exact_output stdout $'栞(しおり)\n'
# A program folder without the dictionary says so and proposes nothing.
mkdir -p "$E2E_DIR/no_dictionary"
cp "$QUCAPCMD" "$E2E_DIR/no_dictionary/"
expect_exit 1 -- wine "$E2E_DIR/no_dictionary/Qucapcmd.exe" ruby --text "字幕"
expect_exact_output stderr $'ルビ候補の辞書（dic\\ipadic）が見つかりません\n'
expect_exact_output stdout ""

# --- projects, checks and exports ---------------------------------------------

# expect_file_utf16 FILE TEXT: FILE holds FF FE and TEXT in UTF-16LE.
expect_file_utf16() {
  checks=$((checks + 1))
  { printf '\xff\xfe'; printf '%s' "$2" | iconv -f UTF-8 -t UTF-16LE; } | cmp -s - "$1" ||
    fail "$1 differs from the expected UTF-16 text; it holds: $(iconv -f UTF-16 -t UTF-8 "$1" 2>&1 | head -c 2000)"
}

# expect_player_reads FILE CODEC: ffprobe finds a subtitle stream of CODEC.
expect_player_reads() {
  checks=$((checks + 1))
  local codec
  codec=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$1" 2>&1)
  [ "$codec" = "$2" ] || fail "ffprobe reads $1 as \"$codec\", expected $2"
}

folder=$E2E_DIR/プロジェクト
expect_exit 0 -- qucapcmd new-project 試験 "$(windows_path "$folder")"
project=$(tr -d '\r\n' <"$last_stdout")
expect_exact_output stdout "$(windows_path "$folder/試験.mcc")"$'\n'
[ -f "$folder/字幕情報.csv" ] && [ -f "$folder/色情報.csv" ] && [ -f "$folder/枠情報.csv" ] ||
  fail "new-project did not write the three data files"
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'1行の字幕に誤りはありません\n'

# A second creation asks before using the folder; without --yes the answer is No.
echo "1,0:00:01.00,0:00:02.00,横,残る,0,,0,,0,,0,0" >"$folder/字幕情報.csv"
expect_exit 0 -- qucapcmd new-project 試験 "$(windows_path "$folder")"
expect_output stderr "プロジェクトを保存するフォルダは既に存在します。"
expect_output stderr "→ いいえ"
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'1行の字幕に誤りはありません\n'
expect_exit 0 -- qucapcmd new-project 試験 "$(windows_path "$folder")" --yes
expect_output stderr "字幕情報ファイルは既に存在します。"
expect_output stderr "→ はい"

# The sample row exported, byte for byte.
expect_exit 0 -- qucapcmd export-srt "$project" "$(windows_path "$E2E_DIR/見本.srt")"
expect_exact_output stderr $'SRTファイルを出力しました。\n文字コードはユニコードです。\n言語系に応じて、文字コードの変換が必要です\n'
expect_file_utf16 "$E2E_DIR/見本.srt" $'1\r\n00:00:00,000 --> 00:00:10,000\r\nカブレン\r\n字幕付加システム\r\n\r\n'
expect_player_reads "$E2E_DIR/見本.srt" subrip
expect_exit 0 -- qucapcmd export-sami "$project" "$(windows_path "$E2E_DIR/見本.smi")"
expect_output stderr "SAMIファイルを出力しました。"
expect_player_reads "$E2E_DIR/見本.smi" sami

# Caption files as other tools save them: Shift-JIS with LF line ends.
printf '%s\n' "0,header" "1,0:00:01.00,0:00:02.00,横,日本語,0,,0,,0,,0,0" "2,0:00:03.50,1,縦,縦書き,0,,0,,0,,0,0" |
  iconv -f UTF-8 -t CP932 >"$folder/字幕情報.csv"
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'2行の字幕に誤りはありません\n'
expect_exit 0 -- qucapcmd export-srt "$project" "$(windows_path "$E2E_DIR/sjis.srt")"
expect_file_utf16 "$E2E_DIR/sjis.srt" $'1\r\n00:00:01,000 --> 00:00:03,000\r\n日本語\r\n\r\n2\r\n00:00:03,500 --> 00:00:04,500\r\n縦書き\r\n\r\n'

# What players read: ffmpeg's own readers give back every line. A first line
# made only of codes writes no blank line into the SRT cue (a blank line
# would end the cue there and drop the line after it); "<", ">" and "&" are
# entities in the SAMI body, so they are text, not markup.
printf '%s\r\n' "0,header" "1,0:00:01.00,0:00:02.00,横,\$R,0,,0,二行目です,0,,0,0" \
  "2,0:00:04.00,0:00:01.00,横,A<B & C>D,0,,0,後の行,0,,0,0" >"$folder/字幕情報.csv"
expect_exit 0 -- qucapcmd export-srt "$project" "$(windows_path "$E2E_DIR/記号.srt")"
expect_exit 0 -- qucapcmd export-sami "$project" "$(windows_path "$E2E_DIR/記号.smi")"
# cue_texts FILE: the texts ffmpeg decodes, one line each, entities read as characters.
cue_texts() {
  ffmpeg -v error -i "$1" -f srt - | python3 -c '
import html, sys
for line in sys.stdin.read().splitlines():
    line = html.unescape(line).strip()
    if line and "-->" not in line and not line.isdigit(): print(line)'
}
# packet_data FILE: the bytes of the subtitle packets as the demuxer hands them on.
packet_data() { ffmpeg -v error -i "$1" -map 0:s -c copy -f data -; }
check "ffmpeg reads the line after a codes-only line in the SRT cue" \
  test "$(ffmpeg -v error -i "$E2E_DIR/記号.srt" -f srt - | sed -n 3p)" = "二行目です"
check "the SRT cue holds A<B & C>D and its second line" \
  test "$(packet_data "$E2E_DIR/記号.srt" | tail -c +16)" = $'A<B & C>D\n後の行'
check "ffmpeg reads every SAMI caption text" \
  test "$(cue_texts "$E2E_DIR/記号.smi")" = $'二行目です\nA<B & C>D\n後の行'

# Validation messages reach the console exactly: the program's line, then
# the caption filter's message for the same row.
printf '%s\r\n' "0,header" "1,0:00:01.00,0:00:02.00,横,a,0,,0,,0,,0,0" "2,0:00:05.00,0:00:03.00,横,b,0,,0,,0,,0,0" \
  "3,0:00:07.00,1,横,c,0,,0,,0,,0,0" >"$folder/字幕情報.csv"
expect_exit 1 -- qucapcmd check "$project"
expect_exact_output stdout $'エラー：3行目の開始時間の指定に誤りがあります、0:00:08.00 以降の時間を設定して下さい\n3行目の開始時間の指定に誤りがあります\n0:00:08.00以降の時間を設定して下さい\n'
printf '%s\r\n' "0,header" "1,0:00:01.00,1,横,a\$X,0,,0,,0,,0,0" >"$folder/字幕情報.csv"
expect_exit 1 -- qucapcmd check "$project"
expect_exact_output stdout $'エラー：1行目に不正な識別文字が見つかりました\n1行目に不正な識別文字が見つかりました\n'

# Rows the program takes but the caption filter refuses (it would drop every
# caption): the check reports the filter's message.
printf '%s\r\n' "0,header" "1,0:00:01.00,75,横,a,0,,0,,0,,0,0" >"$folder/字幕情報.csv"
expect_exit 1 -- qucapcmd check "$project"
expect_exact_output stdout $'1行目の表示時間の指定に誤りがあります\n'

# A UTF-16 file cut short in its last code unit keeps every row.
utf16_file "$folder/字幕情報.csv" "$CAPTION_HEADER" "1,0:00:01.00,0:00:01.00,横,a,0,,0,,0,,0,0" \
  "2,0:00:03.00,0:00:01.00,横,b,0,,0,,0,,0,0"
truncate -s -1 "$folder/字幕情報.csv"
expect_exit 0 -- qucapcmd check "$project"
expect_exact_output stdout $'2行の字幕に誤りはありません\n'

# A caption-info path longer than the system holds is refused, not read cut
# short (where another file may sit).
long_captions=$(long_path .csv 266)
cut_captions=$(windows_path "$long_captions" | cut -c1-255)
cp "$folder/字幕情報.csv" "$long_captions"
cp "$folder/字幕情報.csv" "$(dirname "$long_captions")/$(basename "${cut_captions//\\//}")"
set_project_key "$folder/試験.mcc" FileName InpCapName "$(windows_path "$long_captions")"
expect_exit 1 -- qucapcmd check "$project"
expect_exact_output stderr $'字幕情報ファイルのパスが長すぎます（255文字まで）\n'
expect_exact_output stdout ""
set_project_key "$folder/試験.mcc" FileName InpCapName "$(windows_path "$folder/字幕情報.csv")"

# Refused jobs say why and leave nothing behind.
expect_exit 1 -- qucapcmd export-srt "$project" "$(windows_path "$E2E_DIR/no/such/folder/x.srt")"
expect_exact_output stderr $'SRTファイルの作成に失敗しました\n'
rm "$folder/字幕情報.csv"
expect_exit 1 -- qucapcmd check "$project"
expect_exact_output stderr $'字幕情報ファイルが見つかりません\n'
expect_exit 1 -- qucapcmd check "$(windows_path "$E2E_DIR/none.mcc")"
expect_exact_output stderr $'プロジェクトファイルが見つかりません\n'
expect_exit 1 -- qucapcmd new-project 'a?b' "$(windows_path "$E2E_DIR/x")"
expect_exact_output stderr $'プロジェクト名に使用できない文字があります\n'

# ------------------------------------------------------------------------------

finish_checks cli_test
