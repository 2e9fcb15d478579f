#!/bin/sh
# Times the gongshang-batch program over a generated file of realistic rows
# (all twelve inputs filled, every grade and nursing level) and prints the
# median time, rows a second and nanoseconds a row. With "claim" last, the
# rows get the claim's columns too (a region, dates, a death in every
# seventh row) and the program runs with --claim.
#   sh bench/batch_throughput.sh [PROGRAM] [ROWS] [RUNS] [claim]
# PROGRAM defaults to the bench preset's build, ROWS to 1000000, RUNS to 7.
set -eu
program="${1:-build/bench/batch/gongshang-batch}"
rows="${2:-1000000}"
runs="${3:-7}"
claim="${4:-}"
options=""
[ "$claim" = claim ] && options="--claim"
[ -x "$program" ] || { echo "no program at $program (cmake --preset bench && cmake --build --preset bench)" >&2; exit 1; }

dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
LC_ALL=C awk -v rows="$rows" -v claim="$claim" 'BEGIN {
  srand(20240601)
  split("一 二 三 四 五 六 七 八 九 十", grade, " ")
  split("完全护理 大部分护理 部分护理", nursing, " ")
  split("浙江 河南 北京", region, " ")
  split("60 55 50", age, " ")
  header = "工伤等级,护理级别,本人月均工资,统筹月工资,停薪月数,住院天数,住宿天数,护理天数,医疗费,辅助器具费,交通费,营养费"
  if (claim == "claim") header = header ",地区,全省月工资,最低工资,出生日期,原退休年龄,解除日期,职业病,工亡,死亡日期,配偶,其他供养亲属,孤寡加发人数"
  print header
  for (i = 0; i < rows; i++) {
    own = 1800 + rand() * 38200
    printf "%s,%s,%s,%d,%d,%d,%d,%d,%.2f,%.2f,%.2f,%.2f", grade[1 + i % 10], \
      (i % 4 == 3 ? "" : nursing[1 + i % 4]), (i % 3 == 0 ? sprintf("%.2f", own) : sprintf("%d", own)), \
      4000 + rand() * 8500, rand() * 12, rand() * 120, rand() * 60, rand() * 90, \
      rand() * 80000, rand() * 6000, rand() * 2000, rand() * 3000
    if (claim == "claim")
      printf ",%s,%d,%d,%d-%d-%d,%s,%d/%d/%d,%s,%s", (i % 4 == 3 ? "" : region[1 + i % 4]), \
        6000 + rand() * 3000, 1900 + rand() * 800, 1962 + int(rand() * 29), 1 + int(rand() * 12), \
        1 + int(rand() * 28), age[1 + i % 3], 2020 + int(rand() * 11), 1 + int(rand() * 12), \
        1 + int(rand() * 28), (i % 5 == 0 ? "是" : "否"), (i % 7 == 6 ? "是,2025-03-01,1,2,1" : ",,,,")
    printf "\n"
  }
}' > "$dir/rows.csv"
echo "$rows rows, $(wc -c < "$dir/rows.csv") bytes"

# Our own median, the same whether or not hyperfine is installed.
"$program" $options "$dir/rows.csv" > /dev/null  # warm the page cache
i=0
while [ "$i" -lt "$runs" ]; do
  start="$(date +%s%N)"
  "$program" $options "$dir/rows.csv" > /dev/null
  end="$(date +%s%N)"
  echo $((end - start))
  i=$((i + 1))
done | sort -n | awk -v rows="$rows" '{ t[NR] = $1 }
  END {
    m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "median %.3f s (min %.3f, max %.3f) over %d runs: %.0f rows/s, %.0f ns a row\n",
      m / 1e9, t[1] / 1e9, t[NR] / 1e9, NR, rows / (m / 1e9), m / rows
  }'

if command -v hyperfine > /dev/null; then
  hyperfine --warmup 1 --runs "$runs" "'$program' $options '$dir/rows.csv' > /dev/null"
fi
