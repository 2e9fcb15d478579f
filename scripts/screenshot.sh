#!/bin/sh
# Saves screenshots of the calculator window under a virtual X display: at
# start-up, and after the worked calculation (grade 五, 大部分护理, 3500,
# 4000, ...), and after Clear; then the same on a high-DPI screen, at twice
# the pixels. Builds what is missing first.
#   sh scripts/screenshot.sh [OUTPUT_DIR]     (default: build/screenshots)
#   BUILD_DIR=build/mine sh scripts/screenshot.sh    (default: build/default)
# Writes start.png (the window), start-screen.png (the whole screen, which
# shows it centred), calculated.png and cleared.png, and the same four under
# OUTPUT_DIR/hidpi.
set -eu
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
build="${BUILD_DIR:-build/default}"
command -v xvfb-run >/dev/null || sh scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target gongshang-screenshot -j"$(nproc)"
mkdir -p "$out/hidpi"
xvfb-run -a -s "-screen 0 1280x800x24" "$build/tests/window/gongshang-screenshot" "$out"
# Twice the pixels on a screen twice as large, so the window still fits it.
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x1600x24" \
  "$build/tests/window/gongshang-screenshot" "$out/hidpi"
