#!/usr/bin/env bash
# End-to-end check of "./qucap package": the release zip holds the three
# programs, the manual and the read-me, and, unpacked into a fresh Wine
# prefix (nothing registered, no settings of the project's prefix), the
# console tool answers --help and the program starts to its main window.
set -uo pipefail
. "$(dirname "$0")/../../tools/common.sh"
export QUCAP_BUILD

. "$(dirname "$0")/lib/checks.sh"

export QUCAP_DIST=$E2E_DIR/dist
expect_exit 0 -- "$QUCAP_ROOT/qucap" package
version=$(sed -n 's/.*kProgramVersion = u"\([^"]*\)".*/\1/p' "$QUCAP_ROOT/app/core/main_window/main_window_texts.h")
name=qucap-win64-$version
zip=$QUCAP_DIST/$name.zip
expect_output stdout "$zip"
check "the zip is made" test -s "$zip"

# The zip's entries, as a Windows unzipper shows them (UTF-8 names).
entries=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(zipfile.ZipFile(sys.argv[1]).namelist())))' "$zip")
expected="$name/Help/カブレンキャプション説明書.pdf
$name/Qucapadd.exe
$name/Qucapcmd.exe
$name/Qucapsyf.ax
$name/dic/ipadic/char.bin
$name/dic/ipadic/dicrc
$name/dic/ipadic/matrix.bin
$name/dic/ipadic/sys.dic
$name/dic/ipadic/unk.dic
$name/licenses/ipadic.txt
$name/licenses/mecab.txt
$name/licenses/pugixml.txt
$name/はじめにお読みください.txt"
check "the zip holds the programs, the manual, the ruby dictionary, the libraries' licences and the read-me: $entries" test "$entries" = "$expected"

# The read-me: UTF-16LE with a byte-order mark, every line ended by CR LF.
fresh=$E2E_DIR/prefix
unpacked=$fresh/drive_c/Qucap
mkdir -p "$unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"
readme=$unpacked/$name/はじめにお読みください.txt
check "the read-me starts with the UTF-16LE byte-order mark" test "$(head -c 2 "$readme" | od -An -tx1 | tr -d ' ')" = "fffe"
readme_text=$(python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
text = data[2:].decode("utf-16-le")
lone = text.replace("\r\n", "").count("\n") + text.replace("\r\n", "").count("\r")
print("LONE" if lone or not text.endswith("\r\n") else text)' "$readme")
check "every line of the read-me ends with CR LF" test "$readme_text" != "LONE"
for phrase in "regsvr32 Qucapsyf.ax" "Qucapadd.exe" "Qucapcmd --help" "コピー"; do
  check "the read-me says: $phrase" grep -qF -- "$phrase" <<<"$readme_text"
done
check "the manual is the committed one" cmp -s "$unpacked/$name/Help/カブレンキャプション説明書.pdf" \
  "$QUCAP_ROOT/resources/app/Help/カブレンキャプション説明書.pdf"

# A fresh prefix of its own: its own wine server, ended at the end.
export WINEPREFIX=$fresh
trap 'WINEPREFIX=$fresh wineserver -k 2>/dev/null; rm -rf "$E2E_DIR"' EXIT
wine wineboot -i >/dev/null 2>&1
wineserver -w
program_dir=$unpacked/$name
expect_exit 0 -- wine "$program_dir/Qucapcmd.exe" --help
expect_output stdout "render PROJECT.mcc"
expect_output stdout "export-srt PROJECT.mcc OUT.srt"
# The ruby proposal from the unpacked dictionary.
expect_exit 0 -- wine "$program_dir/Qucapcmd.exe" ruby --text "字幕"
expect_exact_output stdout $'字幕(じまく)\n'

# The program's start: its main window, titled with the version, appears
# and stays until it is ended.
wine "$program_dir/Qucapadd.exe" >/dev/null 2>&1 &
program=$!
started=no
for _ in $(seq 60); do
  if xwininfo -root -children -display "$DISPLAY" 2>/dev/null | grep -qF "Ver $version\""; then
    started=yes
    break
  fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
check "the unpacked program starts to its main window" test "$started" = yes
check "the unpacked program is still running" kill -0 "$program"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null

finish_checks package_test
