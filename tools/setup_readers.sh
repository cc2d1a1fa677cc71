#!/usr/bin/env bash
# Installs the reference readers the tests check exported subtitles with
# (tests/readers/package.json: the W3C validator's WebVTT parser and the IMSC
# reference renderer's parser) into the build folder, once per version list.
set -euo pipefail
. "$(dirname "$0")/common.sh"

list=$QUCAP_ROOT/tests/readers/package.json
mkdir -p "$QUCAP_READERS"
cmp -s "$list" "$QUCAP_READERS/package.json" && [ -d "$QUCAP_READERS/node_modules/imsc" ] &&
  [ -d "$QUCAP_READERS/node_modules/webvtt-parser" ] && exit 0
# Debian's nodejs comes without npm; a Node.js that brings its own needs no package.
command -v npm >/dev/null || install_packages npm
cp "$list" "$QUCAP_READERS/package.json"
say "installing the subtitle readers for the tests (npm)"
(cd "$QUCAP_READERS" && npm install --no-audit --no-fund --loglevel=error >/dev/null)
