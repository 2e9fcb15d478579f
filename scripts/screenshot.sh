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
# OUTPUT_DIR/hidpi. Beside them, gongshang-claim with the example case
# (docs/claim-example.json): claim.png (also under hidpi/) and
# claim-report.png, the first page of its PDF report; and the whole screen
# as the claim window first opens on a small laptop (claim-1366.png, 1366×768)
# and at twice the scale on 1600×1000 (claim-hidpi-1600.png), under openbox;
# the script fails if the window with its title bar is not all on the screen.
set -eu
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
build="${BUILD_DIR:-build/default}"
{ command -v xvfb-run && command -v openbox && command -v xwininfo; } >/dev/null || sh scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target gongshang-screenshot gongshang-claim -j"$(nproc)"
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

# gongshang-claim with the example case, once it has been drawn; then the
# first page of its report, as a person would see it printed.
shoot_claim='"$0" docs/claim-example.json & pid=$!
  window="$(timeout 30 xdotool search --sync --onlyvisible --name 工伤待遇全面计算 | head -n 1)"
  sleep 1
  import -window "$window" "$1" && echo "saved $1"
  kill "$pid"'
claim="$(pwd)/$build/app/gongshang-claim"
xvfb-run -a -s "-screen 0 1280x800x24" sh -c "$shoot_claim" "$claim" "$out/claim.png"
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x1600x24" sh -c "$shoot_claim" "$claim" "$out/hidpi/claim.png"

# check_screen SCREEN SCALE FILE: the claim window as it first opens, framed
# by openbox; the whole screen is saved, then the window with its frame
# (xwininfo's extents around the client area) must lie on the screen.
onscreen_script="$out/onscreen.sh"
cat >"$onscreen_script" <<'EOF_SCRIPT'
claim="$1" file="$2" screen="$3" verdict="$4" case="$5"
"$claim" "$case" & pid=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name 工伤待遇全面计算 | head -n 1)"
[ -n "$window" ] || { kill "$pid"; openbox --exit; exit 1; }
sleep 1
import -window root "$file" && echo "saved $file"
info="$(xwininfo -wm -id "$window"; xwininfo -id "$window")"
X=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
Y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
WIDTH=$(echo "$info" | sed -n 's/^ *Width: *//p')
HEIGHT=$(echo "$info" | sed -n 's/^ *Height: *//p')
set -- $(echo "$info" | sed -n 's/.*Frame extents: //p' | tr -d ,)
left=${1:-0} right=${2:-0} top=${3:-0} bottom=${4:-0}
sw=${screen%x*} sh=${screen#*x}
echo "window ${WIDTH}x$HEIGHT at $X,$Y, frame $left $right $top $bottom, screen $screen"
kill "$pid"
[ $((X - left)) -ge 0 ] && [ $((Y - top)) -ge 0 ] &&
  [ $((X + WIDTH + right)) -le "$sw" ] && [ $((Y + HEIGHT + bottom)) -le "$sh" ] &&
  echo ok >"$verdict"
openbox --exit
EOF_SCRIPT
check_screen() {
  rm -f "$out/onscreen"
  QT_SCALE_FACTOR="$2" xvfb-run -a -s "-screen 0 ${1}x24" openbox --sm-disable --startup \
    "sh \"$onscreen_script\" \"$claim\" \"$3\" $1 \"$out/onscreen\" \"$(pwd)/docs/claim-example.json\""
  [ -f "$out/onscreen" ] || { echo "the claim window is not all on the $1 screen at scale $2" >&2; exit 1; }
  rm -f "$out/onscreen"
}
check_screen 1366x768 1 "$out/claim-1366.png"
check_screen 1600x1000 2 "$out/claim-hidpi-1600.png"
rm -f "$onscreen_script"
"$claim" --pdf "$out/claim-report.pdf" docs/claim-example.json
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$out/claim-report.pdf" "$out/claim-report"
echo "saved $out/claim-report.png"
echo "screenshots in $out; every check of the calculator window passed"
