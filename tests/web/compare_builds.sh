#!/bin/sh
# The browser build against the native one: gongshang-batch and `node gongshang-batch.js` give the
# same standard output, error and exit status for generated cases (classic and --claim) and for a
# run's faults, and dump_texts the same claim texts, workings included.
#   compare_builds.sh NATIVE_BUILD_DIR WEB_BUILD_DIR [ROWS]    (scripts/test.sh: build/default build/web)
set -eu
native="$(realpath "$1/batch/gongshang-batch")"
web="$(realpath "$2/gongshang-batch.js")"
rows="${3:-3000}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# run INPUT SIDE COMMAND...: one run on INPUT as standard input, a file or, with via=pipe, a pipe.
via=file
run() {
  input="$1" side="$2"
  shift 2
  status=0
  if [ "$via" = pipe ]; then
    { cat "$input" | "$@" >"$work/$side.out" 2>"$work/$side.err"; } || status=$?
  else
    "$@" <"$input" >"$work/$side.out" 2>"$work/$side.err" || status=$?
  fi
  echo "$status" >"$work/$side.status"
}
differs() {
  echo "FAIL $1" >&2
  diff "$work/native.$2" "$work/web.$2" | head -5 >&2 || true
  failures=$((failures + 1))
}
# same NAME INPUT ARGS...: both programs, run alike, say the same.
same() {
  name="$1" input="$2"
  shift 2
  run "$input" native "$native" "$@"
  run "$input" web node "$web" "$@"
  for part in out err status; do
    cmp -s "$work/native.$part" "$work/web.$part" || { differs "$name: standard $part differs" "$part"; return; }
  done
  echo "ok   $name ($(wc -l <"$work/native.out") lines, status $(cat "$work/native.status"))"
}

python3 "$here/generate_cases.py" "$rows" >"$work/cases.csv"
: >"$work/empty"
same "classic, standard input" "$work/cases.csv"
same "--claim, standard input" "$work/cases.csv" --claim
same "--claim, file named" "$work/empty" --claim "$work/cases.csv"
via=pipe
same "--claim from a pipe" "$work/cases.csv" --claim -
via=file

# The texts the batch tool does not write: every reading, result and working.
"$1/tests/web/dump_texts" "$here/../../data/regions.json" <"$work/cases.csv" >"$work/native.texts"
node "$2/dump-texts.js" /gongshang-web/share/gongshang/regions.json <"$work/cases.csv" >"$work/web.texts"
if cmp -s "$work/native.texts" "$work/web.texts"; then
  echo "ok   every text and working ($(wc -l <"$work/native.texts") lines)"
else
  differs "the texts and workings differ:" texts
fi

# Faults, one of each kind (arguments and CSV are the same code in both builds; files are opened
# through node in one): each stops the run with a message and status 2, after the rows before it.
printf '\357\273\277医疗费,姓名\r\n5,甲\r\n"6,乙\r\n' >"$work/unclosed.csv"
printf '地区,工伤等级\n火星,五\n浙江,十一\n' >"$work/region.csv"
cp "$here/../../data/regions.json" "$work/own.json"
same "unclosed quote after a BOM and CRLF" "$work/unclosed.csv"
same "unknown option" "$work/empty" --no-such-option
same "missing file" "$work/empty" "$work/missing.csv"
same "a folder for a file" "$work/empty" "$work"
same "a missing rules file" "$work/region.csv" --claim --rules="$work/none.json"
cd "$work"  # not in a subshell, which would lose a failure's count
same "a rules file by relative path" region.csv --claim --rules own.json

[ "$failures" -eq 0 ] || { echo "$failures comparisons failed" >&2; exit 1; }
