#!/bin/sh
# `make install` with DESTDIR and PREFIX lays out the engine, the tool and the man
# page, and `make uninstall` takes them away again.
set -eu
source_dir=$1
build_dir=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
make -s -C "$source_dir" install BUILD="$build_dir" DESTDIR="$stage" PREFIX=/opt/nerul >/dev/null
for f in bin/nerul bin/nerul-tool; do
  [ -x "$stage/opt/nerul/$f" ] || { echo "missing or not executable: $f"; exit 1; }
done
[ -f "$stage/opt/nerul/share/man/man6/nerul.6" ] || { echo "missing: the man page"; exit 1; }
printf 'uci\n' | "$stage/opt/nerul/bin/nerul" | grep -qx 'uciok ' || { echo "the installed engine does not answer uci"; exit 1; }
make -s -C "$source_dir" uninstall DESTDIR="$stage" PREFIX=/opt/nerul
left=$(find "$stage" -type f | wc -l)
[ "$left" -eq 0 ] || { echo "uninstall left $left files"; exit 1; }
echo "install and uninstall: ok"
