#!/bin/sh
# Saves screenshots of the calculator window under a virtual X display: at
# start-up, and after the worked calculation (grade 五, 大部分护理, 3500,
# 4000, ...), and after Clear. Builds what is missing first.
#   sh scripts/screenshot.sh [OUTPUT_DIR]     (default: build/screenshots)
# Writes start.png (the window), start-screen.png (the whole screen, which
# shows it centred), calculated.png and cleared.png.
set -eu
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
command -v xvfb-run >/dev/null || sh scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target gongshang-screenshot -j"$(nproc)"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x800x24" ./build/default/tests/window/gongshang-screenshot "$out"
