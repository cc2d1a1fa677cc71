#!/usr/bin/env bash
# Pictures of the program's windows for the documentation, taken under Wine
# on the virtual screen by the Windows test suite (the tests named
# Screenshot*), with the demo's captions loaded, and kept as PNG files in
# docs/images/.
set -euo pipefail
. "$(dirname "$0")/common.sh"

TESTS=$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe
[ -x "$TESTS" ] || die "missing $TESTS (run ./qucap build)"
"$QUCAP_ROOT/tools/make_test_media.sh"

# The demo's captions and boxes in a project on Wine's drive C:, so the
# pictures show the paths a user would see.
DRIVE_C=$WINEPREFIX/drive_c
rm -rf "$DRIVE_C/字幕作成" "$DRIVE_C/動画"
mkdir -p "$DRIVE_C/動画"
cp "$QUCAP_TEST_MEDIA/demo.avi" "$DRIVE_C/動画/デモ.avi"

SHOTS=$QUCAP_BUILD/screenshots
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
start_wine_env
wine "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" new-project デモ 'C:\字幕作成\デモ' --movie 'C:\動画\デモ.avi' >/dev/null
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$DRIVE_C/字幕作成/デモ/字幕情報.csv"
cp "$QUCAP_ROOT/tools/demo/boxes.csv" "$DRIVE_C/字幕作成/デモ/枠情報.csv"
export QUCAP_SCREENSHOT_DIR QUCAP_SCREENSHOT_PROJECT
QUCAP_SCREENSHOT_DIR=$(windows_path "$SHOTS")
QUCAP_SCREENSHOT_PROJECT='C:\字幕作成\デモ\デモ.mcc'
WINEDEBUG=-all wine "$TESTS" --gtest_filter="${QUCAP_SHOTS:-*Screenshot*}" --gtest_brief=1

# Stills of the demo movie with box rows of two colours and transparencies
# (the filter draws the first row whose frames hold the time): blue at 32
# over one rectangle until frame 150, then red at 48 over two (QUCAP_SHOTS
# unset, or naming "still-boxes" among its patterns).
if [ -z "${QUCAP_SHOTS:-}" ] || [[ ":$QUCAP_SHOTS:" == *:still-boxes:* ]]; then
  wine "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" new-project 枠 'C:\字幕作成\枠' --movie 'C:\動画\デモ.avi' >/dev/null
  printf '%s\r\n' "$(head -1 "$QUCAP_ROOT/tools/demo/boxes.csv" | tr -d '\r')" \
    '1,1,0:00:00.00,150,0:00:04.97,40,300,260,120,0,0,0,0,青,32' \
    '2,151,0:00:05.01,300,0:00:09.98,380,60,160,80,40,320,260,100,赤,48' >"$DRIVE_C/字幕作成/枠/枠情報.csv"
  for still in 1500:still-boxes-1 6000:still-boxes-2; do
    wine "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" still 'C:\字幕作成\枠\枠.mcc' "${still%%:*}" \
      "$QUCAP_SCREENSHOT_DIR\\${still#*:}.bmp" >/dev/null
  done
fi
stop_wine_env

for bmp in "$SHOTS"/*.bmp; do
  [ -e "$bmp" ] || die "no screenshots were taken"
  png=$QUCAP_ROOT/docs/images/$(basename "${bmp%.bmp}").png
  ffmpeg -v error -y -i "$bmp" -pix_fmt rgb24 "$png"
  say "$png"
done
