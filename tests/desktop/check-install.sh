#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed player there: it must find
# its program folder under share/ and read a book. Usage: check-install.sh BUILD_DIR BOOK
set -euo pipefail
build=$1
book=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/orbis-velora \
            share/orbis-velora/Documents/Default.kbd \
            share/orbis-velora/Documents/SampleBook/ncc.html \
            share/orbis-velora/UISounds/MainWindow.wav \
            share/applications/orbis-velora.desktop \
            share/metainfo/org.orbisvelora.OrbisVelora.metainfo.xml \
            share/mime/packages/orbis-velora.xml \
            share/icons/hicolor/scalable/apps/orbis-velora.svg \
            share/man/man1/orbis-velora.1; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
"$prefix/bin/orbis-velora" --version | grep -q '^orbis-velora '
# The installed player's own sample book, and a book from elsewhere.
"$prefix/bin/orbis-velora" --info "$prefix/share/orbis-velora/Documents/SampleBook" >/dev/null
"$prefix/bin/orbis-velora" --info "$book" | grep -q "^title: "
echo "installed and ran from $prefix"
