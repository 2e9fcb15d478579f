#!/bin/sh
# Installs what is missing, builds everything and runs every test: the unit,
# batch and window tests; the browser build's batch tool against the native
# one; the page in headless Chromium, offline; the window's pixels at scale 1 and 2; the engine and batch tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer; and each fuzzer for a
# bounded time. Stops at the first failure.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh

jobs="$(nproc)"
fuzz_seconds="${FUZZ_SECONDS:-20}"

echo "== build and test"
cmake --preset default >/dev/null
cmake --build --preset default -j"$jobs"
ctest --preset default -j"$jobs"

echo "== the browser build against the native one"
sh scripts/web.sh
sh tests/web/compare_builds.sh build/default build/web

echo "== the page in headless Chromium, with the network cut"
sh scripts/install-deps.sh web-test
# Debian's python, which has Debian's selenium, whatever python3 comes first.
timeout 600 /usr/bin/python3 tests/web/page_test.py

echo "== the window's pixels, under a window manager"
sh scripts/screenshot.sh

echo "== the Debian package"
sh scripts/check-package.sh

echo "== engine and batch tests under ASan and UBSan"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs"

echo "== fuzzing, ${fuzz_seconds}s a target"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$jobs"
for target in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/$name"
  [ -d "$seeds" ] || seeds=""
  echo "-- $name"
  "$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 -artifact_prefix="build/fuzz/$name-" \
    "$corpus" $seeds 2>"build/fuzz/$name.log" || { tail -50 "build/fuzz/$name.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "build/fuzz/$name.log" || true
done
echo "all tests passed"
