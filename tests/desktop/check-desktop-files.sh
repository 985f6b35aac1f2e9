#!/usr/bin/env bash
# The desktop entry, the AppStream metadata, the MIME types and the man page as the desktop's own
# tools read them.
set -euo pipefail
source_dir=$1
desktop-file-validate "$source_dir/res/desktop/orbis-velora.desktop"
appstreamcli validate --no-net "$source_dir/res/desktop/org.orbisvelora.OrbisVelora.metainfo.xml"
man --warnings -l -Tutf8 "$source_dir/res/desktop/orbis-velora.1" 2>&1 >/dev/null | \
  { ! grep . ; }

# A MIME database built from our file alone knows the package file by its name and by its root
# element, and every type it defines is one the desktop entry opens.
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime
mkdir -p "$mime/packages"
cp "$source_dir/res/desktop/orbis-velora.xml" "$mime/packages/"
XDG_DATA_HOME=$data update-mime-database "$mime" 2>&1 | { ! grep . ; }
grep -qx 'application/oebps-package+xml:\*.opf' <(cut -d: -f2- "$mime/globs2")
grep -q 'http://openebook.org/namespaces/oeb-package/1.0/ package application/oebps-package+xml' \
  "$mime/XMLnamespaces"
mime_types=$(grep '^MimeType=' "$source_dir/res/desktop/orbis-velora.desktop")
for type in $(cut -d' ' -f1 "$mime/types"); do
  case ";${mime_types#MimeType=}" in
    *";$type;"*) ;;
    *) echo "the desktop entry does not open $type" >&2; exit 1 ;;
  esac
done
