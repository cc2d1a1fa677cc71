#!/usr/bin/env bash
# Screenshots of every dialog template of Qucapadd.exe, for looking at them.
# Builds tools/dialog_preview.cpp with the program's resources into the build
# folder, shows each template under Wine and Xvfb and writes one PNG per
# template into the folder given, with report.txt listing what the preview
# measured (texts wider than their control, overlapping controls).
#
# usage: QUCAP_BUILD=... tools/dialog_shots.sh OUTPUT_FOLDER
set -euo pipefail
. "$(dirname "$0")/common.sh"
[ $# -eq 1 ] || die "usage: tools/dialog_shots.sh OUTPUT_FOLDER"
out=$(mkdir -p "$1" && cd "$1" && pwd)

work=$QUCAP_BUILD/dialog-preview
mkdir -p "$work"
objects=()
for rc in "$QUCAP_ROOT"/resources/app/*.rc; do
  obj=$work/$(basename "$rc" .rc).o
  x86_64-w64-mingw32-windres -c 65001 "$rc" -O coff -o "$obj"
  objects+=("$obj")
done
x86_64-w64-mingw32-g++ -std=c++20 -O1 -municode -static -o "$work/dialog-preview.exe" \
  -I"$QUCAP_ROOT" "$QUCAP_ROOT/tools/dialog_preview.cpp" "$QUCAP_ROOT/tests/win/dialog_layout.cpp" \
  "${objects[@]}" -lcomctl32 -lgdi32

prefix_ready || "$QUCAP_ROOT/tools/setup_wine.sh"
start_wine_env

# name, then the preview's arguments (the output file is put in for "OUT").
shots=(
  "110-main main OUT"
  "103-file-selection main OUT 103"
  "105-font main OUT 105"
  "122-colour main OUT 122"
  "108-caption-creation main OUT 108"
  "111-display-position main OUT 111"
  "121-box-display main OUT 121"
  "117-timeline main OUT 117"
  "114-synthesis main OUT 114"
  "116-progress page 116 OUT"
  "107-display-items dialog 107 OUT"
  "120-preview dialog 120 OUT"
  "102-help-host dialog 102 OUT"
  "104-help-file-selection page 104 OUT"
  "106-help-font page 106 OUT"
  "109-help-caption-creation page 109 OUT"
  "112-help-display-position page 112 OUT"
  "115-help-synthesis page 115 OUT"
  "118-help-timeline page 118 OUT"
  "119-version dialog 119 OUT"
)
: >"$out/report.txt"
for shot in "${shots[@]}"; do
  read -r name args <<<"$shot"
  bmp=$work/$name.bmp
  winbmp=$(windows_path "$bmp")
  status=0
  result=$(wine "$work/dialog-preview.exe" ${args/OUT/$winbmp} 2>/dev/null | tr -d '\r') || status=$?
  if [ "$status" -eq 2 ]; then
    say "$name: no such template, skipped"
    continue
  fi
  { echo "== $name"; echo "$result"; } >>"$out/report.txt"
  [ "$status" -eq 0 ] || { say "$name: the preview failed"; continue; }
  convert "$bmp" "$out/$name.png"
  say "$name: $(echo "$result" | tail -1)"
done
stop_wine_env
trap - EXIT
say "screenshots and report.txt in $out"
