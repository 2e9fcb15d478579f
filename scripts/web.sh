#!/bin/sh
# Builds the browser build into build/web/: the engine, regions and batch
# libraries compiled to WebAssembly by Debian's emscripten, and
# build/web/gongshang-batch.js, gongshang-batch for node from the same objects
# (and dump-texts.js, for tests/web/compare_builds.sh), and
# build/web/gongshang.html, the page, one file. Installs what is missing first.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh web

# emscripten's tools need Debian's acorn, which a node not from Debian (in
# /usr/local, or nodesource's) does not look for in /usr/share/nodejs.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"

emcmake cmake --preset web >/dev/null
cmake --build --preset web -j"$(nproc)"
echo "built build/web/gongshang-batch.js ($(wc -c <build/web/gongshang-batch.js) bytes)"
echo "built build/web/gongshang.html ($(wc -c <build/web/gongshang.html) bytes): copy it anywhere"
