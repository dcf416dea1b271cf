#!/usr/bin/python3
"""The user's guide in a real browser (headless chromium), as a user opens
it from the file system: every page loads with no console error and no
failed request, every link and anchor leads somewhere in the guide, every
picture loads, the first page shows its title, the board's picture and the
controls at a laptop's and a phone's width with nothing wider than the
screen, and axe-core finds no serious or critical violation.

Usage: guideInBrowser.py GUIDE_FOLDER AXE_SCRIPT SCREENSHOT_FOLDER
Exits with 1 and one line a fault when anything fails."""

import json
import sys
import tempfile
from html.parser import HTMLParser
from pathlib import Path
from urllib.parse import unquote, urlsplit

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

WIDTHS = {"laptop": (1366, 768), "phone": (390, 844)}
SERIOUS = {"serious", "critical"}


class Ids(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids = set()

    def handle_starttag(self, tag, attributes):
        self.ids.update(value for name, value in attributes if name == "id")


def idsOf(page):
    parser = Ids()
    parser.feed(page.read_text(encoding="utf-8"))
    return parser.ids


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--user-data-dir=" + tempfile.mkdtemp()):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def loadFaults(driver, name):
    faults = [f"{name}: console: {entry['message']}" for entry in driver.get_log("browser")
              if entry["level"] == "SEVERE"]
    requested = {}
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            requested[message["params"]["requestId"]] = message["params"]["request"]["url"]
        if message["method"] == "Network.loadingFailed":
            address = requested.get(message["params"]["requestId"], "?")
            faults.append(f"{name}: failed request: {address}: {message['params'].get('errorText')}")
    for address in driver.execute_script(
            "return [...document.querySelectorAll('[src],link[href]')].map(e => e.src || e.href)"):
        if not address.startswith("file:"):
            faults.append(f"{name}: a resource from outside the guide: {address}")
    for source in driver.execute_script(
            "return [...document.images].filter(i => !i.complete || i.naturalWidth == 0).map(i => i.src)"):
        faults.append(f"{name}: picture not shown: {source}")
    return faults


def linkFaults(driver, name, folder, ids):
    faults = []
    for address in driver.execute_script("return [...document.querySelectorAll('a[href]')].map(a => a.href)"):
        parts = urlsplit(address)
        target = Path(unquote(parts.path)).name
        if parts.scheme != "file" or Path(unquote(parts.path)).parent != folder or target not in ids:
            faults.append(f"{name}: link outside the guide: {address}")
        elif parts.fragment and unquote(parts.fragment) not in ids[target]:
            faults.append(f"{name}: no anchor for {address}")
    return faults


def axeFaults(driver, name, axe):
    driver.execute_script(axe)
    result = driver.execute_async_script(
        "const done = arguments[arguments.length - 1];"
        "axe.run(document, {resultTypes: ['violations']}).then(r => done(r.violations), e => done(String(e)));")
    if isinstance(result, str):
        return [f"{name}: axe-core failed: {result}"]
    return [f"{name}: axe-core {v['impact']}: {v['id']}: {v['help']} ({len(v['nodes'])} places)"
            for v in result if v["impact"] in SERIOUS]


# What the first page must show at a width: its title, the board's picture
# and the controls, laid out inside the screen's width.
LAYOUT = """
const width = document.documentElement.clientWidth;
const faults = [];
if (document.documentElement.scrollWidth > width) faults.push('the page is ' + document.documentElement.scrollWidth + ' px wide');
for (const e of document.querySelectorAll('main *')) {
  const box = e.getBoundingClientRect();
  if (box.width > 0 && (box.left < -1 || box.right > width + 1)) faults.push('<' + e.tagName + '> ' + e.textContent.slice(0, 30) + ' reaches ' + Math.round(box.left) + ' to ' + Math.round(box.right));
}
const title = document.querySelector('h1');
if (!title || title.getBoundingClientRect().top > innerHeight) faults.push('no title in the first screen');
const board = document.querySelector('main img');
if (!board || board.naturalWidth == 0 || board.getBoundingClientRect().width < width / 3) faults.push('no board picture');
if (![...document.querySelectorAll('h2')].some(h => h.id == 'controls')) faults.push('no controls');
return faults;
"""


def layoutFaults(driver, folder, shots):
    faults = []
    for label, (width, height) in WIDTHS.items():
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 500})
        driver.get((folder / "index.html").as_uri())
        faults += [f"index.html at {width} px: {fault}" for fault in driver.execute_script(LAYOUT)]
        whole = driver.execute_script("return document.documentElement.scrollHeight")
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": width, "height": whole, "deviceScaleFactor": 1, "mobile": width < 500})
        driver.save_screenshot(str(shots / f"guide-{label}-{width}.png"))
    return faults


def main():
    folder, shots = Path(sys.argv[1]).resolve(), Path(sys.argv[3])
    if not Path(sys.argv[2]).is_file():
        print(f"no {sys.argv[2]}: scripts/installDependencies test installs axe-core there")
        return 1
    axe = Path(sys.argv[2]).read_text()
    shots.mkdir(parents=True, exist_ok=True)
    ids = {page.name: idsOf(page) for page in folder.glob("*.html")}
    faults = [] if "index.html" in ids else ["no index.html in " + str(folder)]
    driver = browser()
    try:
        # What the browser asks for itself on its start is not the guide's.
        driver.get("about:blank")
        driver.get_log("browser"), driver.get_log("performance")
        for name in sorted(ids):
            driver.get((folder / name).as_uri())
            faults += loadFaults(driver, name) + linkFaults(driver, name, folder, ids) + axeFaults(driver, name, axe)
        faults += layoutFaults(driver, folder, shots)
    finally:
        driver.quit()
    for fault in faults:
        print(fault)
    print(f"{len(ids)} pages checked, {len(faults)} faults; screenshots in {shots}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
