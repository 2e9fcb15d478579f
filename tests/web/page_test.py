"""The page in a real browser: build/web/gongshang.html opened from disk in headless Chromium
with the network cut, typed into as a person would, its batch held to the native gongshang-batch.

  python3 tests/web/page_test.py   (after scripts/web.sh and the default build)
"""
import json
import os
import pathlib
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from browser import ROOT, Browser  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

NATIVE = os.path.join(ROOT, "build", "default")
AXE = os.path.join(ROOT, "tests", "web", "axe", "node_modules", "axe-core", "axe.min.js")
CAP = 1 << 20  # jsonfile::kMaxBytes
BATCH_CAP = 256 << 20  # the page's largest batch result

DEATH = {"工伤等级": "四", "本人月均工资": "6000", "统筹月工资": "6000", "工亡": "是",
         "死亡日期": "2025-03-01", "配偶": "1"}
NAMES = {"姓名": "张三", "单位": "某某/建筑公司"}
XSS = '<img src=x onerror="document.title=\'x\'">'
LEAVES = re.compile(r"(https?|wss?|ftp)://")

# window.__breakEngines() makes every call into the engines made so far fail, as an aborted
# module's calls do; engines made after work.
FAULT = """
let made = 0, broken = 0;
window.__breakEngines = () => { broken = made; };
const instantiate = WebAssembly.instantiate;
WebAssembly.instantiate = async (module, imports) => {
  const {exports} = await instantiate(module, imports), serial = ++made;
  return {exports: Object.fromEntries(Object.entries(exports).map(([name, f]) => [name,
    typeof f !== 'function' ? f : (...args) => {
      if (serial <= broken) throw new WebAssembly.RuntimeError('unreachable');
      return f(...args);
    }]))};
};
"""


def pdf_text(pdf_bytes):
    return subprocess.run(["pdftotext", "-layout", "-", "-"], input=pdf_bytes, check=True,
                          capture_output=True).stdout.decode()


def native_batch(csv):
    return subprocess.run([os.path.join(NATIVE, "batch", "gongshang-batch"), "--claim"],
                          input=csv, capture_output=True, check=True)


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser()
        cls.addClassCleanup(cls.browser.quit)
        cls.d = cls.browser.driver
        cls.js = cls.d.execute_script

    def setUp(self):
        self.browser.viewport(1280, 900, False)
        self.browser.open()

    def tearDown(self):
        # Nothing left the page, and nothing it was given ran or loaded.
        self.assertEqual([u for u in self.browser.requests() if LEAVES.match(u)], [])
        self.assertEqual(self.js("return window.__violations"), [])
        self.assertEqual(self.d.title, "工伤待遇全面计算")

    def el(self, element_id):
        return self.d.find_element(By.ID, element_id)

    def text(self, element_id):
        return self.el(element_id).text

    def beside(self, name, part):
        """What stands under a field: its -problem, -help, -notice or -status line."""
        return self.el(self.browser.control(name).get_attribute("id") + "-" + part)

    def file(self, name, data, size=None):
        """A file of these bytes, lengthened with zeros or cut to size."""
        path = os.path.join(self.browser.folder, name)
        with open(path, "wb") as f:
            f.write(data)
            f.truncate(size or len(data))
        return path

    def wait(self, condition, seconds=10):
        WebDriverWait(self.d, seconds).until(lambda _: condition())

    def test_amounts_and_what_prints(self):
        # What prints is the window's report (tests/claimwindow/same_report_test.cpp) of what is shown.
        self.browser.fill(dict(DEATH, **NAMES))
        self.js("addEventListener('beforeprint', () => __title = document.title)")
        shown = self.browser.table("一次性待遇") + self.browser.table("按月待遇")
        self.assertTrue(shown and shown[0][1] != "未知", shown)
        # The browser's own header and footer (the file's path) give way to the report's page numbers.
        data = self.browser.pdf(header_footer=True)
        printed = pdf_text(data)
        for name, amount, *_ in shown:
            self.assertRegex(amount, r"^\d{1,3}(,\d{3})*\.\d\d$")
            self.assertIn(amount, printed, name)
        headings = ["工伤待遇计算书", "一、基本情况", "二、工亡待遇：一次性支付的项目", "四、职工本人的项目（如尚未支付）",
                    "六、地方标准的来源与核对情况", "仅供参考", "第 1 页，共 ", "资料收集于 20"]
        self.assertEqual([h for h in headings if h not in printed], [])
        self.assertEqual([t for t in ("file:", "保存案例") if t in printed], [])
        # After a death the family's benefits, and apart the worker's own items.
        own = self.browser.table("本人尚未支付的项目")
        self.assertEqual(own[0][:2], ["一次性伤残补助金（如尚未支付）", "126,000.00"])
        self.assertNotIn("一次性伤残补助金", [row[0] for row in shown])
        # The names head the report, and name the PDF the browser offers.
        self.assertRegex(printed, r"姓名\s+张三\s+单位\s+某某/建筑公司")
        self.assertEqual(self.js("return window.__title"), "工伤待遇计算书-张三-某某建筑公司")
        # 复制结果 gives the statement as lines for a chat.
        self.js("window.__copied = []; navigator.clipboard.writeText = async (t) => __copied.push(t);")
        self.el("复制结果").click()
        copied = self.js("return window.__copied")[0].split("\n")
        self.assertIn("工亡待遇：按月支付合计：每月 2,400.00 元（基金支付 2,400.00 元，用人单位支付 0.00 元）", copied)
        self.assertIn("· 一次性伤残补助金：126,000.00 元（基金支付）", copied[copied.index("职工本人的项目（如尚未支付）："):])

    def test_a_field_that_cannot_be_read_is_marked_and_the_report_not_printed(self):
        self.browser.fill({"工伤等级": "七", "本人月均工资": "3500元"})
        field = self.browser.control("本人月均工资")
        self.assertEqual(field.get_attribute("aria-invalid"), "")
        # The reason, and each field's help, typed or not, stand beside it and are heard with it.
        for part, words in (("problem", "只能填写数字"), ("help", "前 12 个月的平均月缴费工资")):
            line = self.beside("本人月均工资", part)
            self.assertTrue(line.is_displayed())
            self.assertIn(words, line.text)
            self.assertIn(line.get_attribute("id"), field.get_attribute("aria-describedby"))
        self.assertEqual(self.text("提示"), "请先改正标红的栏目：本人月均工资")
        self.assertEqual(self.browser.table("一次性待遇"), [])
        # Printing says why, as gongshang-claim --pdf refuses the case, and the paper holds that alone.
        refused = "无法打印计算书：「本人月均工资」只能填写数字"
        self.js("window.__printed = 0; window.print = () => ++window.__printed;")
        self.el("打印").click()
        self.assertEqual(self.js("return window.__printed"), 0)
        self.assertTrue(self.text("消息").startswith(refused))
        printed = pdf_text(self.browser.pdf())
        self.assertIn(refused, printed)
        self.assertNotIn("一、基本情况", printed)

    def leaving_asks(self):
        return self.js("const e = new Event('beforeunload', {cancelable: true});"
                       "dispatchEvent(e); return e.defaultPrevented;")

    def test_a_saved_case_opens_and_a_bad_or_large_one_changes_nothing(self):
        # Leaving asks first while typed input is unsaved, and only then.
        self.assertFalse(self.leaving_asks())
        self.browser.fill(dict(DEATH, **NAMES))
        self.assertTrue(self.leaving_asks())
        before = self.browser.table("一次性待遇")
        self.el("保存案例").click()
        saved = self.browser.downloaded("工伤案例-张三-某某建筑公司.json")
        self.assertFalse(self.leaving_asks())
        self.assertLessEqual({"死亡日期": "2025-03-01", "格式": 3}.items(), json.loads(saved).items())
        self.browser.open()
        # A case at the native programs' cap opens, read as the browser hands the bytes over.
        self.browser.pick_file("案例文件", self.file("saved.json", saved + b" " * (CAP - len(saved))))
        self.wait(lambda: self.browser.table("一次性待遇") == before)

        # Which faults a case file can have is the native tests' business; one over the cap is
        # refused in their words, unread.
        self.js("window.__read = 0; const read = Blob.prototype.arrayBuffer;"
                "Blob.prototype.arrayBuffer = function () { ++__read; return read.call(this); };")
        for name, content, size, why in (
                ("grade.json", '{"格式": 1, "工伤等级": "十一"}', None, "「工伤等级」只能是"),
                ("large.json", "{", CAP + 1, "文件超过 1 MiB，不是本程序的文件")):
            self.browser.pick_file("案例文件", self.file(name, content.encode(), size))
            self.assertIn(why, self.text("消息"))
            self.assertIn("页面中的内容没有改变", self.text("消息"))
            self.assertEqual(self.browser.table("一次性待遇"), before)
        self.assertEqual(self.js("return window.__read"), 1)
        self.browser.pick_file("规则文件选择", os.path.join(self.browser.folder, "large.json"))
        self.assertIn("规则文件未载入：large.json：文件超过 1 MiB", self.text("消息"))
        self.assertEqual(self.js("return window.__read"), 1)

    def test_untrusted_text_is_shown_as_text_and_only_web_addresses_as_links(self):
        case = json.dumps({"格式": 1, "工伤等级": "七", "本人月均工资": XSS}, ensure_ascii=False)
        self.browser.pick_file("案例文件", self.file("xss.json", case.encode()))
        self.assertEqual(self.browser.control("本人月均工资").get_attribute("value"), XSS)
        # A refusal quotes what the file held, as text.
        case = json.dumps({"格式": 1, "地区": XSS}, ensure_ascii=False)
        self.browser.pick_file("案例文件", self.file("region.json", case.encode()))
        self.assertIn("「地区」没有名为“" + XSS + "”的条目", self.text("消息"))

        script = "<script>document.title='x'</script>"
        sources = [XSS, "条文见 https://example.cn/a.html?x=1&y=2 (二手)；javascript:alert(1)",
                   "ftp://example.cn/f, http://example.cn/b"]
        rules = {"regions": [{"name": "浙江", "statute": script, "status": "条文已核对", "sources": sources,
                              "notes": script, "medical": {"base": "固定金额", "by_grade": dict.fromkeys(
                                  ["五", "六", "七", "八", "九", "十"], 5000)}}]}
        rules_file = self.file("rules.json", json.dumps(rules, ensure_ascii=False).encode())
        self.browser.pick_file("规则文件选择", rules_file)
        self.browser.fill({"本人月均工资": "6000", "地区": "浙江"})
        self.browser.pdf()  # the print view is made as the page is printed
        for shown in (self.text("来源"), self.el("计算书").get_attribute("textContent")):
            self.assertEqual([t for t in ["浙江：" + script, "说明：" + script] + sources if t not in shown], [])
        links = self.js("return [...document.querySelectorAll('#来源 a')].map((a) => [a.href, a.target, a.rel])")
        self.assertEqual(links, [["https://example.cn/a.html?x=1&y=2", "_blank", "noopener noreferrer"],
                                 ["http://example.cn/b", "_blank", "noopener noreferrer"]])
        self.assertIn("用户规则文件，自称条文已核对", self.beside("地区", "status").text)
        self.assertIn("rules.json", self.text("用户规则"))

    def batch_says(self, start):
        self.wait(lambda: self.text("批量结果").startswith(start), 30)
        self.assertNotIn("gongshang-batch", self.text("批量结果"))
        return self.text("批量结果")

    def test_the_batch_page_reads_gbk_and_answers_as_the_batch_tool(self):
        self.el("批量模板").click()
        header = self.browser.downloaded("批量计算模板.csv")
        self.assertTrue(header.startswith(b"\xef\xbb\xbf"))
        # The template names every column the batch tool reads.
        self.assertEqual(native_batch(header[3:]).stderr, b"")
        csv = ("姓名,工伤等级,本人月均工资,统筹月工资,地区,出生日期,原退休年龄,解除日期\n"
               "张三,七,6000,5000,浙江,1966-05-15,60,2023-10-15\n"
               "李四,七,6000,5000,火星,,,\n\"王五\",七,1E400,5000,,,,\n")
        self.browser.pick_file("批量文件", self.file("cases.csv", csv.encode("gbk")))
        self.assertEqual(self.browser.downloaded("cases-结果.csv"),
                         b"\xef\xbb\xbf" + native_batch(csv.encode()).stdout)
        self.assertIn("未找到这些列", self.batch_says("已计算"))
        for name, data, size, why in (
                ("cases.xlsx", b"PK\x03\x04\x14\x00\x06\x00\x08\x00\x00\x00!\x00", None, "未能计算：输入是 Excel 工作簿"),
                ("big.csv", csv.encode(), BATCH_CAP + 1, "文件超过 256 MiB")):
            self.browser.pick_file("批量文件", self.file(name, data, size))
            self.assertIn(why, self.batch_says("“" + name))

    def test_assistive_tools_hear_the_settled_totals_and_find_nothing_serious(self):
        with open(AXE, encoding="utf-8") as f:
            self.d.execute_cdp_cmd("Runtime.evaluate", {"expression": f.read()})
        for state in ("empty", "filled"):  # the empty page on a laptop, the filled one on a phone
            if state == "filled":
                self.browser.fill(DEATH)
                self.browser.viewport(360, 740, True)
            self.assertEqual(self.d.execute_async_script(
                "axe.run(document, {resultTypes: ['violations']}).then((r) => arguments[0]("
                "r.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')"
                ".map((v) => v.id + ': ' + v.nodes.map((n) => n.target.join(' ')).join(', '))));"),
                [], state)
        # Nothing is wider than the phone, and its totals bar, there once no field has the focus,
        # holds the family's total (Art. 39).
        self.js("document.activeElement.blur()")
        self.assertLessEqual(self.js("return document.documentElement.scrollWidth"), 360)
        self.assertIn("1,119,760.00", self.text("摘要"))
        # The live region speaks once the typing has paused for the page's settle delay (700 ms),
        # never within it of a key: each announcement with the time since the last input.
        self.js("window.__said = []; let typed = 0; const said = document.getElementById('播报');"
                "addEventListener('input', () => { typed = performance.now(); }, true);"
                "new MutationObserver(() => __said.push([said.textContent, performance.now() - typed]))"
                ".observe(said, {childList: true, characterData: true, subtree: true});")
        self.browser.control("本人月均工资").send_keys(Keys.END + Keys.BACKSPACE * 3 + "500")
        settled = ("工亡待遇：一次性支付合计 1,119,760.00 元；按月支付合计每月 2,600.00 元。"
                   "职工本人的项目（如尚未支付）合计 136,500.00 元。")
        self.wait(lambda: self.js("return __said.at(-1)?.[0]") == settled)
        self.assertEqual([text for text, after in self.js("return __said") if after < 690], [])

    def test_when_the_engine_fails_the_page_says_so_and_starts_a_fresh_one(self):
        cdp = self.d.execute_cdp_cmd
        script = cdp("Page.addScriptToEvaluateOnNewDocument", {"source": FAULT})["identifier"]
        self.addCleanup(cdp, "Page.removeScriptToEvaluateOnNewDocument", {"identifier": script})
        self.browser.open()
        self.browser.fill(DEATH)
        self.js("__breakEngines(); arguments[0].value = '7000';"
                "arguments[0].dispatchEvent(new Event('input', {bubbles: true}));",
                self.browser.control("本人月均工资"))
        self.assertIn("计算出错", self.text("消息"))
        self.assertTrue(self.el("过时").is_displayed())
        # A fresh engine computes the next change.
        self.browser.fill({"本人月均工资": "7500"})
        self.wait(lambda: not self.el("过时").is_displayed())
        # No WebAssembly at all, and a policy that forbids compiling it: the page says what to use instead.
        html = pathlib.Path(self.browser.page).read_text(encoding="utf-8")
        refusing = self.file("refusing.html", html.replace(" 'wasm-unsafe-eval'", "", 1).encode())
        for source, page, words in (("delete window.WebAssembly;", self.browser.page, "它不支持 WebAssembly"),
                                    ("", refusing, "拒绝运行本页面的计算引擎")):
            script = cdp("Page.addScriptToEvaluateOnNewDocument", {"source": source})["identifier"]
            self.d.get("file://" + page)
            self.wait(lambda: words in self.text("启动") and "桌面版程序“工伤待遇全面计算”" in self.text("启动"))
            cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": script})
        self.js("window.__violations = []")


if __name__ == "__main__":
    unittest.main(verbosity=2)
