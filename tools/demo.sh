#!/usr/bin/env bash
# The demo: a new project made by Qucapcmd.exe, its caption-info file filled
# with sample captions (ruby, colours, effects, both orientations), checked,
# and exported as SRT and SAMI; ffprobe confirms a player can read both.
set -euo pipefail
. "$(dirname "$0")/common.sh"

DEMO=$QUCAP_BUILD/demo
QUCAPCMD=$QUCAP_PROGRAM_DIR/Qucapcmd.exe
[ -x "$QUCAPCMD" ] || die "missing $QUCAPCMD (run ./qucap build)"
rm -rf "$DEMO"
mkdir -p "$DEMO"

start_wine_env
qucapcmd() { wine "$QUCAPCMD" "$@"; }
win() { winepath -w "$1" 2>/dev/null; }
unix() { winepath -u "$1" 2>/dev/null; }

project=$(qucapcmd new-project デモ "$(win "$DEMO/project")" | tr -d '\r')
# The program reads caption-info files in UTF-8 as well as UTF-16.
cp "$QUCAP_ROOT/tools/demo/captions.csv" "$DEMO/project/字幕情報.csv"
qucapcmd check "$project"
qucapcmd export-srt "$project" "$(win "$DEMO/デモ.srt")" 2>/dev/null
qucapcmd export-sami "$project" "$(win "$DEMO/デモ.smi")" 2>/dev/null
stop_wine_env

for file in "$DEMO/デモ.srt" "$DEMO/デモ.smi"; do
  codec=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$file")
  [ -n "$codec" ] || die "ffprobe cannot read $file"
  printf '%s (%s)\n' "$file" "$codec"
done
printf 'project: %s\n' "$(unix "$project")"
