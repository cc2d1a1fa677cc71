#!/usr/bin/env bash
# Google Benchmark has no Windows build in Debian; its source package is
# fetched from the machine's own Debian sources (deb-src of the same mirror
# the system uses) into build/third_party, once, so the Windows tree can build it.
set -euo pipefail
. "$(dirname "$0")/common.sh"

dest=$QUCAP_BUILD/third_party
[ -f "$dest/benchmark/CMakeLists.txt" ] && { echo "$dest/benchmark"; exit 0; }
mkdir -p "$dest/apt/lists/partial" "$dest/apt/parts"
system=/etc/apt/sources.list.d/debian.sources
[ -f "$system" ] || die "no $system to take the Debian mirror from"
# The first stanza of the system's sources (the main archive), as deb-src.
awk 'BEGIN{RS=""; ORS="\n\n"} NR==1' "$system" | sed 's/^Types: deb$/Types: deb-src/' >"$dest/apt/parts/source.sources"
apt=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$dest/apt/parts"
     -o Dir::State::Lists="$dest/apt/lists" -o Debug::NoLocking=1)
apt-get "${apt[@]}" update -qq >&2
(cd "$dest" && apt-get "${apt[@]}" source --download-only -qq benchmark >&2)
tarball=$(ls "$dest"/benchmark_*.orig.tar.* | head -1)
mkdir -p "$dest/benchmark"
tar -xf "$tarball" -C "$dest/benchmark" --strip-components=1
echo "$dest/benchmark"
