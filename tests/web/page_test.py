"""The page in a real browser: build/web/gongshang.html opened from disk in
headless Chromium with the network cut, typed into as a person would, its
answers held to the native gongshang-batch, its print view the engine's report.

  python3 tests/web/page_test.py   (after scripts/web.sh and the default build)
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(__file__))
from browser import ROOT, Browser  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

NATIVE = os.path.join(ROOT, "build", "default")

ZHEJIANG = {"地区": "浙江", "工伤等级": "七", "护理级别": "部分护理", "本人月均工资": "6000",
            "统筹月工资": "5000", "全省月工资": "7000", "停薪月数": "6", "护理天数": "20",
            "出生日期": "1966-05-15", "原退休年龄": "60", "入职日期": "2012-03-01",
            "解除日期": "2023-10-15", "解除原因": "协商一致（用人单位提出）"}
DEATH = {"工伤等级": "一", "本人月均工资": "6000", "统筹月工资": "6000", "工亡": "是",
         "死亡日期": "2024-12-31", "配偶": "1"}
XSS = '<img src=x onerror="document.title=\'x\'">'
LEAVES = re.compile(r"(https?|wss?|ftp)://")


def pdf_text(pdf_bytes):
    with tempfile.NamedTemporaryFile(suffix=".pdf") as f:
        f.write(pdf_bytes)
        f.flush()
        return subprocess.run(["pdftotext", "-layout", f.name, "-"], check=True,
                              capture_output=True, text=True).stdout


def write(folder, name, data):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data)
    return path


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = Browser()
        cls.d = cls.browser.driver
        cls.folder = tempfile.mkdtemp(prefix="gongshang-page-test-")

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        shutil.rmtree(cls.folder, ignore_errors=True)

    def setUp(self):
        self.browser.viewport(1280, 900, False)
        self.browser.open()

    def tearDown(self):
        # Nothing left the page, and nothing it was given ran or loaded.
        self.assertEqual([u for u in self.browser.requests() if LEAVES.match(u)], [])
        self.assertEqual(self.d.execute_script("return window.__violations"), [])
        self.assertEqual(self.d.title, "工伤待遇全面计算")
        self.assertEqual(len(self.d.find_elements(By.TAG_NAME, "script")), 2)
        self.assertEqual(self.d.find_elements(By.TAG_NAME, "img"), [])

    def test_what_prints_is_the_report_of_what_is_shown(self):
        # The report's HTML is the window's (tests/claimwindow/same_report_test.cpp).
        self.browser.fill(ZHEJIANG)
        self.assertIn("条文已核对", self.d.find_element(By.ID, "f0-status").text)
        self.browser.fill({"停薪月数": "8"})
        shown = self.browser.table("一次性待遇") + self.browser.table("按月待遇")
        printed = pdf_text(self.browser.pdf())
        self.assertIn("工伤待遇计算书", printed)
        self.assertNotIn("保存案例", printed)
        for name, amount, *_ in shown:
            self.assertIn(amount, printed, name)

    def test_a_field_that_cannot_be_read_is_marked_where_it_is(self):
        self.browser.fill({"工伤等级": "七", "本人月均工资": "3500元"})
        field = self.browser.control("本人月均工资")
        self.assertEqual(field.get_attribute("aria-invalid"), "")
        reason = self.d.find_element(By.ID, field.get_attribute("aria-describedby"))
        self.assertTrue(reason.is_displayed())
        self.assertIn("只能填写数字", reason.text)
        self.assertEqual(self.d.find_element(By.ID, "提示").text, "请先改正标红的栏目：本人月均工资")
        self.assertEqual(self.browser.table("一次性待遇"), [])
        # Enter sends nothing away, and the death section opens with 工亡.
        field.send_keys(Keys.ENTER)
        self.assertTrue(self.d.current_url.startswith("file://"))
        self.assertFalse(self.browser.control("死亡日期").is_displayed())
        self.browser.fill({"工亡": "是"})
        died = self.browser.control("死亡日期")
        self.assertTrue(died.is_displayed())
        # The calendar writes the date it picks into the field.
        self.d.execute_script("const p = arguments[0].parentElement.querySelector('[type=date]');"
                              "p.value = '2024-12-31';"
                              "p.dispatchEvent(new Event('change', {bubbles: true}));", died)
        self.assertEqual(died.get_attribute("value"), "2024-12-31")

    def test_a_saved_case_opens_and_a_bad_one_changes_nothing(self):
        self.browser.fill(DEATH)
        before = self.browser.table("一次性待遇")
        self.d.find_element(By.ID, "保存案例").click()
        saved = self.browser.downloaded("工伤案例.json")
        self.assertEqual(json.loads(saved)["死亡日期"], "2024-12-31")
        self.browser.open()
        self.browser.pick_file("案例文件", write(self.folder, "saved.json", saved))
        self.assertEqual(self.browser.table("一次性待遇"), before)

        # Which faults a case file can have is the native tests' business.
        for name, content, why in (
                ("grade.json", '{"格式": 1, "工伤等级": "十一"}', "「工伤等级」只能是"),):
            self.browser.pick_file("案例文件", write(self.folder, name, content.encode()))
            message = self.d.find_element(By.ID, "消息").text
            self.assertIn(why, message)
            self.assertIn("页面中的内容没有改变", message)
            self.assertEqual(self.browser.table("一次性待遇"), before)

    def test_untrusted_text_is_shown_as_text(self):
        case = json.dumps({"格式": 1, "工伤等级": "七", "本人月均工资": XSS}, ensure_ascii=False)
        self.browser.pick_file("案例文件", write(self.folder, "xss.json", case.encode()))
        self.assertEqual(self.browser.control("本人月均工资").get_attribute("value"), XSS)

        script = "<script>document.title='x'</script>"
        rules = {"regions": [{"name": "浙江", "statute": script, "status": "条文已核对",
                              "sources": [XSS], "notes": script,
                              "medical": {"base": "固定金额", "by_grade": dict.fromkeys(
                                  ["五", "六", "七", "八", "九", "十"], 5000)}}]}
        path = write(self.folder, "rules.json", json.dumps(rules, ensure_ascii=False).encode())
        self.browser.pick_file("规则文件选择", path)
        self.browser.fill({"本人月均工资": "6000", "地区": "浙江", "出生日期": "1966-05-15",
                           "原退休年龄": "60", "解除日期": "2023-10-15"})
        self.browser.pdf()  # the print view is made as the page is printed
        for shown in ("来源", "计算书"):
            sources = self.d.find_element(By.ID, shown).get_attribute("textContent")
            self.assertIn("说明：" + script, sources)
            self.assertIn(XSS, sources)
        self.assertIn("用户规则文件，自称条文已核对", self.d.find_element(By.ID, "f0-status").text)
        self.assertIn("rules.json", self.d.find_element(By.ID, "用户规则").text)

    def test_the_batch_page_reads_gbk_and_answers_as_the_batch_tool(self):
        csv = ("姓名,工伤等级,本人月均工资,统筹月工资,地区,出生日期,原退休年龄,解除日期\n"
               "张三,七,6000,5000,浙江,1966-05-15,60,2023-10-15\n"
               "李四,七,6000,5000,火星,,,\n\"王五\",七,1E400,5000,,,,\n")
        self.browser.pick_file("批量文件", write(self.folder, "cases.csv", csv.encode("gbk")))
        result = self.browser.downloaded("cases-结果.csv")
        native = subprocess.run([os.path.join(NATIVE, "batch", "gongshang-batch"), "--claim"],
                                input=csv.encode(), capture_output=True, check=True).stdout
        self.assertEqual(result, b"\xef\xbb\xbf" + native)
        self.assertIn("已计算", self.d.find_element(By.ID, "批量结果").text)

    def test_a_phone_scrolls_only_up_and_down_and_every_control_is_reached_in_order(self):
        self.browser.fill(ZHEJIANG)
        self.browser.screenshot("web-desktop.png")
        self.browser.viewport(360, 1400, True)
        self.assertLessEqual(self.d.execute_script(
            "return document.documentElement.scrollWidth"), 360)
        small = self.d.execute_script(
            "return [...document.querySelectorAll('button, input:not(.picker), select')]"
            ".filter((e) => e.offsetParent && (e.type === 'checkbox' ? e.parentElement : e)"
            "  .getBoundingClientRect().height < 40)"
            ".map((e) => e.id)")
        self.assertEqual(small, [])
        self.browser.screenshot("web-phone.png")

        expected = self.d.execute_script(
            "return [...document.querySelectorAll('button, input:not(.picker), select')]"
            ".filter((e) => e.offsetParent).map((e) => e.id)")
        self.d.find_element(By.ID, expected[0]).send_keys(Keys.SHIFT, Keys.TAB)
        reached = []
        for _ in expected:
            self.d.switch_to.active_element.send_keys(Keys.TAB)
            reached.append(self.d.switch_to.active_element.get_attribute("id"))
        self.assertEqual(reached, expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
