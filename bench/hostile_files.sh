#!/bin/sh
# Memory and time of the case and rules loaders on hostile files: deep
# nesting, endless input, a huge file, many distinct keys and a file at the
# size cap, through gongshang-claim --pdf (case file and --rules) and
# gongshang-batch --claim --rules. Prints one line a run: the exit status,
# the largest resident size and the wall time (from /usr/bin/time -v); the
# target is at most 100 MB and 1 s each. A run is stopped at 30 s and 4 GB.
#   sh bench/hostile_files.sh [BUILD_DIR]     (default: build/default)
set -eu
build="${1:-build/default}"
claim="$(pwd)/$build/app/gongshang-claim"
batch="$(pwd)/$build/batch/gongshang-batch"
[ -x "$claim" ] && [ -x "$batch" ] || { echo "build $build first" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (apt-get install time)" >&2; exit 1; }
case_file="$(pwd)/docs/claim-example.json"
sample="$(pwd)/batch/sample.csv"

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
cd "$dir"
nest() { awk -v n="$1" 'BEGIN { printf "{\"regions\":"; for (i = 0; i < n; i++) printf "["; for (i = 0; i < n; i++) printf "]"; print "}" }'; }
nest 20000 >deep20k.json
nest 200000 >deep200k.json
truncate -s 1G huge.json
awk 'BEGIN { printf "{\"格式\": 1"; for (i = 0; i < 60000; i++) printf ", \"k%d\": \"\"", i; print "}" }' >manykeys.json
awk 'BEGIN { printf "{\"income\": ["; for (i = 0; i < 349000; i++) printf "{},"; print "{}]}" }' >atcap.json

run() {
  name="$1"
  shift
  status=0
  (ulimit -v 4000000; env -u XDG_RUNTIME_DIR timeout 30 /usr/bin/time -v "$@" >/dev/null 2>time.txt) || status=$?
  rss=$(awk '/Maximum resident/ { print $6 }' time.txt)
  wall=$(awk '/Elapsed \(wall/ { print $8 }' time.txt)
  printf '%-34s status %-3s %7s KB  %s\n' "$name" "$status" "${rss:-?}" "${wall:-?}"
}
for f in deep20k.json deep200k.json /dev/zero huge.json manykeys.json atcap.json; do
  run "case $f" "$claim" --pdf "$dir/out.pdf" "$f"
  run "claim --rules $f" "$claim" --rules "$f" --pdf "$dir/out.pdf" "$case_file"
  run "batch --rules $f" "$batch" --claim --rules "$f" "$sample"
done
