#!/usr/bin/env bash
# Prints the user manual docs/manual/manual.html to the PDF that the program's
# menu item 使い方 opens beside it: resources/app/Help/カブレンキャプション説明書.pdf.
#
# Needs headless Chromium and the IPA fonts (fonts-ipafont-gothic/-mincho).
# Chromium is not one of tools/packages.txt: the built PDF is committed, so
# neither a build nor CI runs this script; run it after editing the manual.
#
# Two passes: the first PDF tells on which page each chapter and section
# begins (read with pdftotext), the second prints those numbers in the table
# of contents. Without pdftotext the contents stay without page numbers.
set -euo pipefail
. "$(dirname "$0")/common.sh"

SOURCE_DIR=$QUCAP_ROOT/docs/manual
SOURCE=$SOURCE_DIR/manual.html
OUT=$QUCAP_ROOT/resources/app/Help/カブレンキャプション説明書.pdf

find_chromium() {
  local name
  for name in chromium chromium-browser google-chrome; do
    command -v "$name" && return 0
  done
  return 1
}
CHROMIUM=$(find_chromium) ||
  die "chromium is missing: install it with 'sudo apt-get install -y chromium' (it prints the manual to PDF)"

for font in IPAGothic IPAMincho; do
  fc-list "$font" | grep -q . ||
    die "font $font is missing: install fonts-ipafont-gothic and fonts-ipafont-mincho"
done
[ -f "$SOURCE" ] || die "missing $SOURCE"

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# print HTML PDF: one headless print; Chromium's own chatter goes to a log
# that is shown only when the print fails.
print_pdf() {
  rm -f "$2"
  if ! "$CHROMIUM" --headless --no-sandbox --disable-gpu --no-pdf-header-footer \
      --user-data-dir="$WORK/profile" --print-to-pdf="$2" "file://$1" >"$WORK/chromium.log" 2>&1 ||
      [ ! -s "$2" ]; then
    cat "$WORK/chromium.log" >&2
    die "chromium could not print $1"
  fi
}

# The copy that gets the page numbers lives in the work folder; a <base>
# element keeps its style sheet and pictures found in docs/manual.
PAGED=$WORK/manual.html
sed "s|<head>|<head><base href=\"file://$SOURCE_DIR/\">|" "$SOURCE" >"$PAGED"

print_pdf "$PAGED" "$WORK/first.pdf"
if command -v pdftotext >/dev/null; then
  pdftotext "$WORK/first.pdf" "$WORK/first.txt"
  python3 - "$PAGED" "$WORK/first.txt" <<'PYTHON'
# Fills the empty page slots of the contents with the page on which each
# entry's heading text first stands, searching forward from the previous
# entry and skipping the contents pages themselves.
import re, sys
html_path, text_path = sys.argv[1], sys.argv[2]
pages = open(text_path, encoding="utf-8").read().split("\f")
squeeze = lambda s: re.sub(r"\s+", "", s)
pages = [squeeze(p) for p in pages]
html = open(html_path, encoding="utf-8").read()
slot = re.compile(r'(<span class="label">)(.*?)(</span><span class="leader"></span><span class="page">)(</span>)')
cursor = 0
missing = []
def number(match):
    global cursor
    label = squeeze(re.sub(r"<[^>]+>", "", match.group(2)))
    for index in range(cursor, len(pages)):
        if "目次" in pages[index]:
            continue
        if label in pages[index]:
            cursor = index
            return match.group(1) + match.group(2) + match.group(3) + str(index + 1) + match.group(4)
    missing.append(label)
    return match.group(0)
html = slot.sub(number, html)
open(html_path, "w", encoding="utf-8").write(html)
if missing:
    sys.exit("headings not found in the PDF: " + ", ".join(missing))
PYTHON
  print_pdf "$PAGED" "$WORK/final.pdf"
else
  say "pdftotext is missing (poppler-utils): the contents get no page numbers"
  mv "$WORK/first.pdf" "$WORK/final.pdf"
fi

mkdir -p "$(dirname "$OUT")"
mv "$WORK/final.pdf" "$OUT"
say "manual: $OUT ($(stat -c %s "$OUT") bytes)"
