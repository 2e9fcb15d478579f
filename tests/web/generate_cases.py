#!/usr/bin/env python3
"""generate_cases.py ROWS [SEED]: a CSV of generated cases, classic and claim columns, the same for
the same arguments. About one cell in six is an edge text on which two builds that read it
differently give different results."""
import json
import pathlib
import random
import sys

# Texts whose reading has to agree to the last digit, one of each kind and the edges that decide an
# amount or a refusal: out of the double range, radix prefixes and their 16- and 32-bit wrap,
# full-width, blanks, 16 and 17 digits, ties of the 15-, 7-digit and fen rounding, separators, units.
EDGE_NUMBERS = [
    "", "0", "-0", "1E400", "1E-400", "1.7976931348623157e308", "1.7976931348623159e308", "4.9e-324",
    "1e+", "2D2", "&HFFFF", "&H10000", "&HFFFFFFFF", "&H100000000", "&O17", "-&H10", "３５００", "＆Ｈ１Ｆ",
    "3\u3000500", "1,000", "3500元", "12 34", ".5", "1.2.3", "0x10", "inf", "1234567890123456",
    "12345678901234567", "562949953421312.5", "1048576.5", "2.5", "4500.5", "0.005", "1.005",
    "99999.995", "0.125", "1e15", "1e16", "1e21", "32767.5", "0.1",
]
# Each list: (texts read, texts refused); a refused one in about one row in twenty.
GRADES = (["", "一", "二", "三", "四", "五", "六", "七", "八", "九", "十", "1", "5", "10", "５",
           "五级", "5级", " 三 "], ["十一", "伍", "Ⅴ", "0", "01", "11"])
NURSING = (["", "完全护理", "大部分护理", "部分护理", " 部分护理 "], ["完全"])
YES_NO = (["", "是", "否"], ["x"])
AGES = (["60", "55", "50", "", "６０"], ["45"])
COUNTS = (["0", "1", "2", "", "999", "３", " 1 "], ["1000", "-1", "1.5"])

CLASSIC = ["工伤等级", "护理级别", "本人月均工资", "统筹月工资", "停薪月数", "住院天数",
           "住宿天数", "护理天数", "医疗费", "辅助器具费", "交通费", "营养费"]
CLAIM = ["地区", "全省月工资", "最低工资", "出生日期", "原退休年龄", "解除日期", "职业病", "工亡",
         "死亡日期", "配偶", "其他供养亲属", "孤寡加发人数", "全国人均可支配收入"]


def regions():
    path = pathlib.Path(__file__).resolve().parents[2] / "data" / "regions.json"
    return [r["name"] for r in json.loads(path.read_bytes())["regions"]] + ["", "", "火星", " 浙江 "]


def pick(rng, texts):
    read, refused = texts
    return rng.choice(refused if rng.random() < 0.05 else read)


def money(rng, high, edge=0.15):
    if rng.random() < edge:
        return rng.choice(EDGE_NUMBERS)
    shape = rng.random()
    if shape < 0.4:
        return str(rng.randint(0, high))
    if shape < 0.8:
        return f"{rng.uniform(0, high):.{rng.randint(1, 4)}f}"
    return repr(rng.uniform(0, high))  # 16 or 17 significant digits


def date(rng, first, last):
    if rng.random() < 0.03:
        return rng.choice(["", "2025-02-30", "2024-02-29", "2025/3/1", "2025年3月1日", "0000-01-01",
                           "2025-13-01", "昨天"])
    y, m, d = rng.randint(first, last), rng.randint(1, 12), rng.randint(1, 28)
    return rng.choice([f"{y:04}-{m:02}-{d:02}", f"{y}/{m}/{d}", f"{y}年{m}月{d}日"])


def row(rng, names):
    death = pick(rng, YES_NO)
    return [
        pick(rng, GRADES), pick(rng, NURSING), money(rng, 60000), money(rng, 15000),
        money(rng, 24), money(rng, 365), money(rng, 365), money(rng, 365), money(rng, 200000),
        money(rng, 20000), money(rng, 5000), money(rng, 5000),
        rng.choice(names), money(rng, 12000, 0.03), money(rng, 3000, 0.03), date(rng, 1960, 2005),
        pick(rng, AGES), date(rng, 2020, 2040) if rng.random() < 0.7 else "",
        pick(rng, YES_NO), death, date(rng, 2019, 2027) if death == "是" else "",
        pick(rng, (["0", "1", ""], ["2"])), pick(rng, COUNTS), rng.choice(["0", "1", ""]),
        money(rng, 80000, 0.03) if rng.random() < 0.3 else "",
    ]


def cell(text):
    return '"' + text.replace('"', '""') + '"' if any(c in text for c in ',"\r\n') else text


def main():
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 16)
    names = regions()
    lines = [",".join(CLASSIC + CLAIM + ["姓名"])]
    lines += [",".join(cell(t) for t in row(rng, names) + [f"案例{i}"])
              for i in range(int(sys.argv[1]))]
    sys.stdout.buffer.write(("\n".join(lines) + "\n").encode())


if __name__ == "__main__":
    main()
