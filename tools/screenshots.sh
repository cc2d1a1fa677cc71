#!/usr/bin/env bash
# Pictures of the program's windows for the documentation, taken under Wine
# on the virtual screen by the Windows test suite (the tests named
# Screenshot*), with the demo project loaded, and kept as PNG files in
# docs/images/.
set -euo pipefail
. "$(dirname "$0")/common.sh"

TESTS=$QUCAP_WIN_BUILD/tests/win/qucap_win_tests.exe
[ -x "$TESTS" ] || die "missing $TESTS (run ./qucap build)"
project=$(ls "$QUCAP_BUILD"/demo/project/*.mcc 2>/dev/null | head -1 || true)
[ -n "$project" ] || { "$QUCAP_ROOT/tools/demo.sh" >/dev/null; project=$(ls "$QUCAP_BUILD"/demo/project/*.mcc | head -1); }

SHOTS=$QUCAP_BUILD/screenshots
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
start_wine_env
export QUCAP_SCREENSHOT_DIR QUCAP_SCREENSHOT_PROJECT
QUCAP_SCREENSHOT_DIR=$(winepath -w "$SHOTS" 2>/dev/null)
QUCAP_SCREENSHOT_PROJECT=$(winepath -w "$project" 2>/dev/null)
WINEDEBUG=-all wine "$TESTS" --gtest_filter='*Screenshot*' --gtest_brief=1
stop_wine_env

for bmp in "$SHOTS"/*.bmp; do
  [ -e "$bmp" ] || die "no screenshots were taken"
  png=$QUCAP_ROOT/docs/images/$(basename "${bmp%.bmp}").png
  ffmpeg -v error -y -i "$bmp" -pix_fmt rgb24 "$png"
  say "$png"
done
