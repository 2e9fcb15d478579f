"""Saves the page's pictures for docs/ (web-phone, web-960, web-desktop, web-help, web-report) to
build/screenshots/, from build/web/gongshang.html in headless Chromium. Checks nothing: the
page's tests are tests/web/page_test.py.
    sh scripts/web.sh && sh scripts/install-deps.sh web-test && /usr/bin/python3 scripts/web-screenshots.py"""
import base64
import os
import pathlib
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "web"))
from browser import Browser  # noqa: E402

OUT = pathlib.Path(ROOT, "build", "screenshots")
DEATH = {"姓名": "张三", "单位": "某某/建筑公司", "工伤等级": "四", "本人月均工资": "6000",
         "统筹月工资": "6000", "工亡": "是", "死亡日期": "2025-03-01", "配偶": "1"}


def shoot(browser, name, at=None):
    """The viewport, scrolled to the top or to the element of id `at`."""
    browser.driver.execute_script(
        "document.activeElement.blur(); window.scrollTo(0, 0);"
        "if (arguments[0]) document.getElementById(arguments[0]).scrollIntoView()", at)
    shot = browser.driver.execute_cdp_cmd("Page.captureScreenshot", {"format": "png"})
    (OUT / name).write_bytes(base64.b64decode(shot["data"]))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    browser = Browser()
    try:
        browser.open()
        browser.fill(DEATH)
        for width, height, phone, name in ((360, 740, True, "web-phone.png"), (960, 800, False, "web-960.png"),
                                           (1366, 768, False, "web-desktop.png")):
            browser.viewport(width, height, phone)
            shoot(browser, name, at="一次性支付标题" if phone else None)
        pooled = browser.control("统筹月工资")
        pooled.find_element("xpath", "following-sibling::details/summary").click()
        shoot(browser, "web-help.png", at=pooled.get_attribute("id"))
        subprocess.run(["pdftoppm", "-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", "-",
                        str(OUT / "web-report")], input=browser.pdf(header_footer=True), check=True)
    finally:
        browser.quit()
    print("saved in", OUT)


if __name__ == "__main__":
    main()
