#!/bin/sh
# gongshang-claim --pdf onto one of its own inputs, by the same name or another
# (a link): refused with status 2, the input unchanged, nothing but the
# program's own line on standard error, even without XDG_RUNTIME_DIR. A new
# file gets the case's report; a bad case names the file, the field and why.
# usage: pdf_onto_input_test.sh GONGSHANG_CLAIM EXAMPLE_CASE RULES_FILE
set -u
claim=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$2" "$dir/c.json"
cp "$3" "$dir/r.json"
ln -s c.json "$dir/link.json"
cd "$dir" || exit 1
failed=0
fail() { echo "gongshang-claim $1, standard error:"; cat err.txt; failed=1; }
for run in "--pdf c.json c.json" "--pdf link.json c.json" "--rules r.json --pdf r.json c.json"; do
  before=$(cksum c.json r.json)
  # shellcheck disable=SC2086  # the run is a list of words
  env -u XDG_RUNTIME_DIR "$claim" $run 2>err.txt
  status=$?
  if [ "$status" -ne 2 ] || [ "$(cksum c.json r.json)" != "$before" ] ||
    [ "$(wc -l <err.txt)" -ne 1 ] || ! grep -q '写入会覆盖它' err.txt; then
    fail "$run: status $status"
  fi
done
env -u XDG_RUNTIME_DIR "$claim" --pdf out.pdf c.json 2>err.txt
if [ $? -ne 0 ] || [ ! -s out.pdf ] || [ -s err.txt ]; then fail "--pdf out.pdf c.json"; fi
# The report on each of its pages: the title, the case's own figures (七级 on a
# wage of 6000: 13 months, Art. 37), the region's source and the notice.
if command -v pdftotext >/dev/null; then
  text=$(pdftotext -raw out.pdf - | tr -d ' \n')
  for part in 工伤待遇计算书 78,000.00 一次性合计300,755.67 《浙江省工伤保险条例》第二十七条 仅供参考; do
    case $text in *"$part"*) ;; *) echo "out.pdf lacks $part"; failed=1 ;; esac
  done
fi
printf '{"格式": 1, "本人月均工资": "1e3"}' >bad.json
"$claim" --pdf bad.pdf bad.json 2>err.txt
if [ $? -ne 2 ] || [ -e bad.pdf ] || ! grep -q '^gongshang-claim: bad.json：「本人月均工资」只能填写数字' err.txt; then
  fail "--pdf bad.pdf bad.json"
fi
exit $failed
