#!/usr/bin/env bash
# Install what is missing, build, and run every test: the normal build, then
# the core and command line again under AddressSanitizer and
# UndefinedBehaviorSanitizer. When reference glyphs lie beside the checkout
# (../shared/glyphs/*/expected.jsonl), compare the command line's output with
# them; any difference fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-deps.sh"

export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
QUILLMARK_BUILD_DIR="$root/build" "$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j2

echo "== Build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
QUILLMARK_BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" -DQUILLMARK_SANITIZE=ON \
  -DQUILLMARK_BUILD_APP=OFF -DQUILLMARK_BUILD_TOOLS=OFF -DQUILLMARK_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j2

glyphs="$root/../shared/glyphs"
if [ -d "$glyphs" ]; then
  echo "== Reference glyphs"
  for expected in "$glyphs"/*/expected.jsonl; do
    [ -f "$expected" ] || continue
    python3 "$root/scripts/check-glyphs.py" "$root/build/quillmark-cli" "$(dirname "$expected")" --show 2
  done
fi
