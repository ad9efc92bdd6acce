#!/usr/bin/env bash
# Install what is missing, build, and start the dialog. Without a display,
# recognise the bundled sample glyph with the command line instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"
"$root/scripts/build.sh"
build=${QUILLMARK_BUILD_DIR:-$root/build}
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/src/app/quillmark" "$@"
fi
echo "No display found, so the dialog cannot open here."
echo "Use the command line instead, for example:"
echo "  $build/quillmark-cli $root/samples/*.bmp"
echo "  $build/quillmark-cli --json $root/samples/c.bmp"
echo "(or start the dialog under a virtual display: xvfb-run $build/src/app/quillmark)"
echo
exec "$build/quillmark-cli" "$root"/samples/*.bmp
