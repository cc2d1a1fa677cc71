#!/usr/bin/env bash
# fetch_debian_source.sh NAME: a library the Windows tree builds from source
# (Debian has no Windows build of it: Google Benchmark, pugixml, MeCab). Its source
# package is fetched from the machine's own Debian sources (deb-src of the
# same mirror the system uses) into build/third_party/NAME, once, and that
# folder is printed.
set -euo pipefail
. "$(dirname "$0")/common.sh"

[ $# -eq 1 ] || die "usage: tools/fetch_debian_source.sh NAME"
name=$1
dest=$QUCAP_BUILD/third_party
[ -d "$dest/$name" ] && { echo "$dest/$name"; exit 0; }
mkdir -p "$dest/apt/lists/partial" "$dest/apt/parts"
system=/etc/apt/sources.list.d/debian.sources
[ -f "$system" ] || die "no $system to take the Debian mirror from"
# The first stanza of the system's sources (the main archive), as deb-src.
awk 'BEGIN{RS=""; ORS="\n\n"} NR==1' "$system" | sed 's/^Types: deb$/Types: deb-src/' >"$dest/apt/parts/source.sources"
apt=(-o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$dest/apt/parts"
     -o Dir::State::Lists="$dest/apt/lists" -o Debug::NoLocking=1)
apt-get "${apt[@]}" update -qq >&2
# Only the upstream (orig) tarball is used; a mirror missing the Debian
# packaging part of the source package makes apt fail after fetching it.
(cd "$dest" && apt-get "${apt[@]}" source --download-only -qq "$name" >&2) ||
  say "fetch_debian_source: apt-get source $name reported a failure; looking for its orig tarball"
tarball=$(ls "$dest/${name}"_*.orig.tar.* 2>/dev/null | head -1)
[ -n "$tarball" ] || die "no orig tarball of $name in $dest"
# Unpacked beside its place and moved there whole, so a broken run leaves no
# half folder that a later run would take for done.
rm -rf "$dest/$name.partial"
mkdir -p "$dest/$name.partial"
tar -xf "$tarball" -C "$dest/$name.partial" --strip-components=1
mv "$dest/$name.partial" "$dest/$name"
echo "$dest/$name"
