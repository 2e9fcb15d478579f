#!/bin/sh
# Installs, from Debian's packages, whatever this machine still lacks to build,
# run and test the calculator. Safe to run again: it installs nothing twice.
# `install-deps.sh web` adds what the browser build needs (scripts/web.sh);
# `install-deps.sh web-test` also what drives the page in a real browser.
set -eu

packages="build-essential cmake g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev
  libbenchmark-dev nlohmann-json3-dev libfast-float-dev libfmt-dev qt6-base-dev qt6-translations-l10n libgl-dev xvfb xauth
  xdotool openbox fonts-noto-cjk fonts-arphic-uming locales dpkg-dev file xdg-utils
  desktop-file-utils appstream poppler-utils imagemagick x11-utils time"
# emscripten runs its JavaScript tools with node and Debian's acorn; the
# browser build's test generates its cases with python3.
if [ "${1:-}" = web ] || [ "${1:-}" = web-test ]; then
  packages="$packages emscripten node-acorn nodejs python3"
fi
# The page's tests: Debian's Chromium, its driver and selenium, kept at one
# version together by Debian (tests/web/page_test.py).
if [ "${1:-}" = web-test ]; then
  packages="$packages chromium chromium-driver python3-selenium"
  # npm fetches axe-core for the page's accessibility checks; a node from
  # nodesource brings its own npm, Debian's node needs Debian's.
  command -v npm >/dev/null || packages="$packages npm"
fi

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done

# Root installs directly (a fresh Debian as root has no sudo); anyone else
# goes through sudo, and is told what to install if there is none.
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
as_root_possible() { [ -z "$SUDO" ] || command -v sudo >/dev/null; }

if [ -n "$missing" ]; then
  if ! as_root_possible; then
    echo "missing packages, and no sudo to install them; as root run:" >&2
    echo "  apt-get install$missing" >&2
    exit 1
  fi
  echo "Installing:$missing"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

# Locales under which the tests check that numbers ignore regional settings.
for loc in de_DE zh_CN; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    as_root_possible || { echo "note: no sudo to make locale $loc.UTF-8"; continue; }
    $SUDO localedef -i "$loc" -f UTF-8 "$loc.UTF-8" || echo "note: could not make locale $loc.UTF-8"
  fi
done

# axe-core, the accessibility checker the page's tests run in it: the version
# and checksum in tests/web/axe/package-lock.json, from the npm registry, into
# tests/web/axe/node_modules (never into the page).
if [ "${1:-}" = web-test ]; then
  dir="$(cd "$(dirname "$0")/.." && pwd)/tests/web/axe"
  want="$(node -p "require('$dir/package.json').dependencies['axe-core']")"
  have="$(node -p "require('$dir/node_modules/axe-core/package.json').version" 2>/dev/null || true)"
  if [ "$have" != "$want" ]; then
    echo "Installing axe-core $want for the page's tests"
    npm ci --prefix "$dir" --ignore-scripts --no-audit --no-fund --loglevel=error
  fi
fi
