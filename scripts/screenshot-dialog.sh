#!/usr/bin/env bash
# Take docs/dialog.png: the dialog after one recognition, as a real window on a
# virtual display (Xvfb) with a window manager drawing its frame and caption.
#
#   scripts/screenshot-dialog.sh [BMP [PNG]]
#
# BMP defaults to a reference glyph beside the checkout
# (../shared/glyphs/dev/liberation-serif-96-le.bmp), PNG to docs/dialog.png.
# The dialog is taken from $QUILLMARK_BUILD_DIR (default build/); build it first
# (scripts/build.sh). Needs xvfb-run and, for the frame, openbox.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLMARK_BUILD_DIR:-$root/build}
glyph=${1:-$root/../shared/glyphs/dev/liberation-serif-96-le.bmp}
target=${2:-$root/docs/dialog.png}
app="$build/src/app/quillmark"

[ -x "$app" ] || { echo "screenshot-dialog: $app not built (run scripts/build.sh)" >&2; exit 1; }
[ -f "$glyph" ] || { echo "screenshot-dialog: no such file: $glyph" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "screenshot-dialog: xvfb-run missing (apt-get install xvfb xauth)" >&2; exit 1; }
if ! command -v openbox >/dev/null; then
  echo "screenshot-dialog: openbox missing, the picture will lack the window frame and caption" >&2
  echo "  (apt-get install openbox)" >&2
fi
mkdir -p "$(dirname "$target")"
glyph=$(cd "$(dirname "$glyph")" && pwd)/$(basename "$glyph")
target=$(cd "$(dirname "$target")" && pwd)/$(basename "$target")

export QUILLMARK_APP="$app" QUILLMARK_GLYPH="$glyph" QUILLMARK_SHOT="$target"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 640x480x24" bash -c '
  wm=
  if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
  fi
  status=0
  "$QUILLMARK_APP" --open "$QUILLMARK_GLYPH" --screenshot "$QUILLMARK_SHOT" --screenshot-delay 1500 || status=$?
  if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
  exit $status
'
echo "Wrote $target"
