"""Headless Chromium driving build/web/gongshang.html from disk, with the network cut: shared by
the page's tests and its benchmark."""
import base64
import json
import os
import pathlib
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PAGE = os.environ.get("GONGSHANG_PAGE", os.path.join(ROOT, "build", "web", "gongshang.html"))

# Recorded from before the page's first script: a CSP violation means the page tried something
# its policy forbids (an injected image, a script).
WATCH = """
window.__violations = [];
document.addEventListener('securitypolicyviolation',
  (e) => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));
"""


class Browser:
    def __init__(self):
        self.page = PAGE
        # The profile, the downloads and any file a test makes; gone at quit().
        self.folder = tempfile.mkdtemp(prefix="gongshang-chromium-")
        self.downloads = os.path.join(self.folder, "downloads")
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--lang=zh-CN", "--window-size=1280,900", "--user-data-dir=" + os.path.join(self.folder, "p")):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                       options=options)
        cdp = self.driver.execute_cdp_cmd
        cdp("Network.enable", {})
        cdp("Network.emulateNetworkConditions", {"offline": True, "latency": 0,
                                                 "downloadThroughput": -1, "uploadThroughput": -1})
        cdp("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": self.downloads})
        cdp("Page.addScriptToEvaluateOnNewDocument", {"source": WATCH})

    def open(self):
        self.driver.get("file://" + PAGE)
        WebDriverWait(self.driver, 30).until(
            lambda d: d.execute_script("return document.body.dataset.ready === 'true'"))

    def quit(self):
        self.driver.quit()
        shutil.rmtree(self.folder, ignore_errors=True)

    def requests(self):
        """Every URL the browser asked for since the last call."""
        events = [json.loads(e["message"])["message"] for e in self.driver.get_log("performance")]
        return [e["params"]["request"]["url"] for e in events
                if e["method"] == "Network.requestWillBeSent"]

    def control(self, name):
        """The control a field's label names."""
        label = self.driver.find_element(By.XPATH, "//form//label[normalize-space(.)='%s']" % name)
        target = label.get_attribute("for")
        return (self.driver.find_element(By.ID, target) if target
                else label.find_element(By.TAG_NAME, "input"))

    def fill(self, case):
        """Types or picks each field's text as a person would."""
        for name, text in case.items():
            control = self.control(name)
            if control.tag_name == "select":
                Select(control).select_by_value(text)
            elif control.get_attribute("type") == "checkbox":
                if control.is_selected() != (text == "是"):
                    control.click()
            else:
                control.clear()
                control.send_keys(text)

    def table(self, table_id):
        """The rows of a result table, each as its cells' texts."""
        return self.driver.execute_script(
            "return [...document.getElementById(arguments[0]).tBodies[0].rows]"
            ".map((r) => [...r.cells].map((c) => c.textContent));", table_id)

    def pick_file(self, input_id, path):
        self.driver.find_element(By.ID, input_id).send_keys(path)

    def downloaded(self, name, seconds=30):
        path = pathlib.Path(self.downloads, name)
        # Chromium may make the file before it has written it.
        WebDriverWait(self.driver, seconds, 0.05).until(lambda _: (
            path.exists() and path.stat().st_size > 0 and
            not any(f.endswith(".crdownload") for f in os.listdir(self.downloads))))
        data = path.read_bytes()
        path.unlink()
        return data

    def pdf(self, header_footer=False):
        """The page printed on A4, with the browser's own header and footer where the page lets it."""
        printed = self.driver.execute_cdp_cmd("Page.printToPDF", {
            "paperWidth": 8.27, "paperHeight": 11.69, "preferCSSPageSize": True,
            "displayHeaderFooter": header_footer})
        return base64.b64decode(printed["data"])

    def viewport(self, width, height, mobile):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
