#!/bin/sh
# Saves screenshots of the calculator window on a virtual X display under a
# window manager (openbox), as on a desktop: at start-up, after the worked
# calculation (grade 五, 大部分护理, 3500, 4000, ...) and after Clear; then the
# same on a high-DPI screen, at twice the pixels. Each run then checks the
# window's pixels (whole glyphs, text midway in the boxes, the link over the
# note's address, the frame centred) and the script fails if a check does.
# Builds what is missing first.
#   sh scripts/screenshot.sh [OUTPUT_DIR]     (default: build/screenshots)
#   BUILD_DIR=build/mine sh scripts/screenshot.sh    (default: build/default)
# Writes start.png (the window), start-screen.png (the whole screen, which
# shows it centred), calculated.png and cleared.png, and the same four under
# OUTPUT_DIR/hidpi.
set -eu
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
build="${BUILD_DIR:-build/default}"
{ command -v xvfb-run && command -v openbox; } >/dev/null || sh scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target gongshang-screenshot -j"$(nproc)"
tool="$(pwd)/$build/tools/gongshang-screenshot"
mkdir -p "$out/hidpi"
out="$(cd "$out" && pwd)"

# shoot SCREEN SCALE DIR: openbox starts the tool once it manages windows,
# and quits when the tool is done; the tool's exit status is left in a file.
shoot() {
  rm -f "$3/status"
  QT_SCALE_FACTOR="$2" xvfb-run -a -s "-screen 0 ${1}x24" openbox --sm-disable --startup \
    "sh -c '\"$tool\" \"$3\" --framed; echo \$? >\"$3/status\"; openbox --exit'"
  [ "$(cat "$3/status" 2>/dev/null)" = 0 ] || { echo "screenshots or checks failed in $3" >&2; exit 1; }
  rm -f "$3/status"
}
shoot 1280x800 1 "$out"
# Twice the pixels on a screen twice as large, so the window still fits it.
shoot 2560x1600 2 "$out/hidpi"
echo "screenshots in $out, every check passed"
