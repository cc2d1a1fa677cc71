#!/usr/bin/env bash
# Makes the project's Wine prefix: headless settings and the Japanese font mapping.
set -euo pipefail
. "$(dirname "$0")/common.sh"

mkdir -p "$(dirname "$WINEPREFIX")"
wine wineboot -i >/dev/null 2>&1 || true
wineserver -w

reg() { wine reg add "$@" /f >/dev/null; }

# A crash must end the process, not wait for a debugger dialog nobody sees.
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
# No window manager under Xvfb: Wine draws the window captions itself.
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
# Nor does Wine wait for one: every top-level window leaving the screen (a
# message box, a dialog, the main window) would otherwise cost two seconds.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N

# The Windows Japanese font names, in both spellings, map to the IPA fonts.
R='HKCU\Software\Wine\Fonts\Replacements'
for f in "ＭＳ ゴシック" "ＭＳ Ｐゴシック" "ＭＳ UI Gothic" "MS Gothic" "MS PGothic" "MS UI Gothic" \
         "メイリオ" "Meiryo" "Meiryo UI" "Yu Gothic" "Yu Gothic UI" "游ゴシック"; do
  reg "$R" /v "$f" /t REG_SZ /d "IPAGothic"
done
for f in "ＭＳ 明朝" "ＭＳ Ｐ明朝" "MS Mincho" "MS PMincho" "Yu Mincho" "游明朝"; do
  reg "$R" /v "$f" /t REG_SZ /d "IPAMincho"
done
# Dialog fonts fall back to IPAGothic for Japanese characters.
L='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for f in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI" "Arial"; do
  reg "$L" /v "$f" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic"
done
wineserver -w
echo "$QUCAP_PREFIX_STAMP" > "$WINEPREFIX/.qucap-stamp"
