#!/usr/bin/env bash
# The desktop entry and the AppStream metadata as the desktop's own tools read them.
set -euo pipefail
source_dir=$1
desktop-file-validate "$source_dir/res/desktop/orbis-velora.desktop"
appstreamcli validate --no-net "$source_dir/res/desktop/org.orbisvelora.OrbisVelora.metainfo.xml"
man --warnings -l -Tutf8 "$source_dir/res/desktop/orbis-velora.1" 2>&1 >/dev/null | \
  { ! grep . ; }
