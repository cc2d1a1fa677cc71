#!/usr/bin/env bash
# Makes the Windows release from the built program folder: the folder
# dist/qucap-win64-VERSION and its zip, holding Qucapadd.exe, Qucapcmd.exe,
# Qucapsyf.ax, the manual Help\カブレンキャプション説明書.pdf, the ruby
# dictionary dic\ipadic, the licences of the libraries and the dictionary
# in licenses\, and a short Japanese read-me (UTF-16LE with a byte-order
# mark, CR LF line ends).
# VERSION is the program's own (kProgramVersion). Prints the zip's path.
#
# The manual is the committed PDF (resources/app/Help), which the build
# copies into the program folder; tools/build_manual.sh makes it again after
# the manual is edited (it needs Chromium, which the build does not install).
set -euo pipefail
. "$(dirname "$0")/common.sh"

DIST=${QUCAP_DIST:-$QUCAP_ROOT/dist}
MANUAL="Help/カブレンキャプション説明書.pdf"
DICTIONARY=dic/ipadic
DICTIONARY_FILES="sys.dic matrix.bin char.bin unk.dic dicrc"
LICENCES="MeCab_COPYING.txt MeCab_BSD.txt IPADIC_COPYING.txt"   # in the dictionary folder
README_NAME="はじめにお読みください.txt"

version=$(sed -n 's/.*kProgramVersion = u"\([^"]*\)".*/\1/p' "$QUCAP_ROOT/app/core/main_window/main_window_texts.h")
[ -n "$version" ] || die "the program's version is not found in app/core/main_window/main_window_texts.h"
name=qucap-win64-$version
folder=$DIST/$name
zip=$DIST/$name.zip

for file in Qucapadd.exe Qucapcmd.exe Qucapsyf.ax "$MANUAL" $(printf "$DICTIONARY/%s " $DICTIONARY_FILES $LICENCES); do
  [ -f "$QUCAP_PROGRAM_DIR/$file" ] || die "missing $QUCAP_PROGRAM_DIR/$file (run ./qucap build)"
done
# The licences of the libraries built into the programs.
PUGIXML_LICENSE=$QUCAP_BUILD/third_party/pugixml/LICENSE.md
[ -f "$PUGIXML_LICENSE" ] || die "missing $PUGIXML_LICENSE (run ./qucap setup)"

rm -rf "$folder" "$zip"
mkdir -p "$folder/Help"
cp "$QUCAP_PROGRAM_DIR/Qucapadd.exe" "$QUCAP_PROGRAM_DIR/Qucapcmd.exe" "$QUCAP_PROGRAM_DIR/Qucapsyf.ax" "$folder/"
cp "$QUCAP_PROGRAM_DIR/$MANUAL" "$folder/Help/"
mkdir -p "$folder/licenses"
cp "$PUGIXML_LICENSE" "$folder/licenses/pugixml.txt"
mkdir -p "$folder/$DICTIONARY"
for file in $DICTIONARY_FILES; do cp "$QUCAP_PROGRAM_DIR/$DICTIONARY/$file" "$folder/$DICTIONARY/"; done
# MeCab's notice (it may be used under the GPL, the LGPL or the BSD licence)
# with the BSD licence's text, and IPADIC's licence.
cat "$QUCAP_PROGRAM_DIR/$DICTIONARY/MeCab_COPYING.txt" - "$QUCAP_PROGRAM_DIR/$DICTIONARY/MeCab_BSD.txt" \
  <<<"" >"$folder/licenses/mecab.txt"
cp "$QUCAP_PROGRAM_DIR/$DICTIONARY/IPADIC_COPYING.txt" "$folder/licenses/ipadic.txt"

python3 - "$folder/$README_NAME" "$version" <<'PY'
import sys
path, version = sys.argv[1], sys.argv[2]
lines = [
    f"カブレン字幕付加システム {version}",
    "",
    "■ インストール",
    "このフォルダをそのまま、利用者が書き込めるフォルダ（例：%USERPROFILE%\\Qucap）にコピーして下さい。",
    "設定はプログラムと同じフォルダに保存されるので、Program Files の下には置かないで下さい。",
    "Qucapadd.exe、Qucapcmd.exe、Qucapsyf.ax と Help フォルダ、dic フォルダは同じフォルダに置いて下さい。",
    "dic\\ipadic はルビ候補の辞書です。ない場合もルビ候補のほかは使えます。",
    "字幕合成フィルタ Qucapsyf.ax は、登録しなくてもこのプログラムから使えます。",
    "他の DirectShow のソフトからも使うときは、管理者のコマンドプロンプトで",
    "このフォルダに移動して、次のように登録して下さい。",
    "    regsvr32 Qucapsyf.ax",
    "登録を外すときは regsvr32 /u Qucapsyf.ax です。",
    "",
    "■ 起動",
    "Qucapadd.exe をダブルクリックすると、字幕を作成するプログラムが起動します。",
    "使い方は、メニューの「使い方」か Help フォルダの説明書（PDF）をご覧下さい。",
    "コマンドプロンプトからは Qucapcmd --help で、コンソール用のコマンドの一覧が表示されます。",
    "",
    "■ アンインストール",
    "Qucapsyf.ax を登録したときは regsvr32 /u Qucapsyf.ax で登録を外してから、",
    "このフォルダを削除して下さい。",
    "",
    "■ 使っているライブラリ",
    "TTML ファイルの読み込みに pugixml（MIT ライセンス）を使っています。",
    "ルビ候補に形態素解析エンジン MeCab（BSD ライセンス）と辞書 IPADIC を使っています。",
    "ライセンスの全文は licenses フォルダにあります。",
]
with open(path, "wb") as out:
    out.write(("\ufeff" + "\r\n".join(lines) + "\r\n").encode("utf-16-le"))
PY

# The zip holds the folder itself; names are stored as UTF-8 (flag bit 11).
python3 - "$DIST" "$name" "$zip" <<'PY'
import os, sys, zipfile
dist, name, target = sys.argv[1:]
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as archive:
    for root, dirs, files in os.walk(os.path.join(dist, name)):
        dirs.sort()
        for file in sorted(files):
            full = os.path.join(root, file)
            archive.write(full, os.path.relpath(full, dist))
PY
printf '%s\n' "$zip"
