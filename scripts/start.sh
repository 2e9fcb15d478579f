#!/bin/sh
# Installs what is missing, builds the calculator and starts it.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target gongshang-calc -j"$(nproc)"
exec ./build/default/app/gongshang-calc
