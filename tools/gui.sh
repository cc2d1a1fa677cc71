#!/usr/bin/env bash
# Starts the program Qucapadd.exe under Wine on the demo project (made by
# tools/demo.sh when it is missing). With a DISPLAY of the caller's the
# window shows there and the script waits until the program ends; without
# one the program runs on a virtual screen for a few seconds, to show that it
# starts (tools/screenshots.sh takes pictures of its windows).
set -euo pipefail
. "$(dirname "$0")/common.sh"

PROGRAM=$QUCAP_PROGRAM_DIR/Qucapadd.exe
[ -x "$PROGRAM" ] || die "missing $PROGRAM (run ./qucap build)"
project=$(ls "$QUCAP_BUILD"/demo/project/*.mcc 2>/dev/null | head -1 || true)
if [ -z "$project" ]; then
  "$QUCAP_ROOT/tools/demo.sh" >/dev/null
  project=$(ls "$QUCAP_BUILD"/demo/project/*.mcc | head -1)
fi

caller_display=${DISPLAY:-}
start_wine_env
# The program offers the project named under [LastOpen] of Qucapadd.ini.
python3 - "$QUCAP_PROGRAM_DIR/Qucapadd.ini" "$(windows_path "$project")" <<'PY'
import sys, re
path, project = sys.argv[1], sys.argv[2]
try:
    text = open(path, encoding="utf-16").read()
except OSError:
    text = ""
text = re.sub(r"\[LastOpen\][^\[]*", "", text).rstrip("\r\n")
text = (text + "\r\n" if text else "") + "[LastOpen]\r\nFileName=" + project + "\r\n"
open(path, "w", encoding="utf-16-le", newline="").write("\ufeff" + text)
PY

if [ -n "$caller_display" ]; then
  export DISPLAY=$caller_display
  say "== Qucapadd.exe on $DISPLAY with $project"
  wine "$PROGRAM" || true
else
  say "== Qucapadd.exe on a virtual screen with $project"
  wine "$PROGRAM" >/dev/null 2>&1 &
  pid=$!
  sleep 8
  kill -0 "$pid" 2>/dev/null || die "Qucapadd.exe ended early"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  say "Qucapadd.exe ran; set DISPLAY to see its window"
fi
