#!/usr/bin/python3
"""The user's guide in headless chromium from file://: no console error, failed request or outside
resource, links and anchors resolve, pictures load, the first page shows title, board and controls
at 1366 and 390 px within the screen, no serious axe-core violation. Args: GUIDE AXE_JS SCREENSHOTS"""

import json
import re
import sys
import tempfile
from pathlib import Path
from urllib.parse import unquote, urlsplit

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

WIDTHS = {"laptop": (1366, 768), "phone": (390, 844)}
FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync")
PAGE_FACTS = """return [[...document.querySelectorAll('[src],link[href]')].map(e => e.src || e.href),
  [...document.images].filter(i => !i.complete || i.naturalWidth == 0).map(i => i.src),
  [...document.querySelectorAll('a[href]')].map(a => a.href)]"""
AXE = """const done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations']}).then(r => done(r.violations), e => done(String(e)));"""
LAYOUT = """const width = document.documentElement.clientWidth, faults = [];
if (document.documentElement.scrollWidth > width) faults.push('the page is ' + document.documentElement.scrollWidth + ' px wide');
const title = document.querySelector('h1'), board = document.querySelector('main img');
if (!title || title.getBoundingClientRect().top > innerHeight) faults.push('no title in the first screen');
if (!board || board.naturalWidth == 0 || board.getBoundingClientRect().width < width / 3) faults.push('no board picture');
if (!document.querySelector('h2#controls')) faults.push('no controls');
return faults;"""


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in FLAGS + ("--user-data-dir=" + tempfile.mkdtemp(),):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def requestFaults(driver, name):
    faults = [f"{name}: console: {e['message']}" for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    requested = {}
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent":
            requested[message["params"]["requestId"]] = message["params"]["request"]["url"]
        if message["method"] == "Network.loadingFailed":
            address = requested.get(message["params"]["requestId"], "?")
            faults.append(f"{name}: failed request: {address}: {message['params'].get('errorText')}")
    return faults


def pageFaults(driver, name, folder, ids, axe):
    resources, unshown, links = driver.execute_script(PAGE_FACTS)
    faults = [f"{name}: a resource from outside the guide: {a}" for a in resources if not a.startswith("file:")]
    faults += [f"{name}: picture not shown: {source}" for source in unshown]
    for address in links:
        parts = urlsplit(address)
        path = Path(unquote(parts.path))
        if parts.scheme != "file" or path.parent != folder or path.name not in ids:
            faults.append(f"{name}: link outside the guide: {address}")
        elif parts.fragment and unquote(parts.fragment) not in ids[path.name]:
            faults.append(f"{name}: no anchor for {address}")
    driver.execute_script(axe)
    violations = driver.execute_async_script(AXE)
    if isinstance(violations, str):
        return faults + [f"{name}: axe-core failed: {violations}"]
    return faults + [f"{name}: axe-core {v['impact']}: {v['id']}: {v['help']} ({len(v['nodes'])} places)"
                     for v in violations if v["impact"] in ("serious", "critical")]


def layoutFaults(driver, folder, shots):
    faults = []
    for label, (width, height) in WIDTHS.items():
        screen = {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": width < 500}
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", screen)
        driver.get((folder / "index.html").as_uri())
        faults += [f"index.html at {width} px: {fault}" for fault in driver.execute_script(LAYOUT)]
        screen["height"] = driver.execute_script("return document.documentElement.scrollHeight")
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", screen)  # the whole page
        driver.save_screenshot(str(shots / f"guide-{label}-{width}.png"))
    return faults


def main():
    folder, axe, shots = Path(sys.argv[1]).resolve(), Path(sys.argv[2]), Path(sys.argv[3])
    if not axe.is_file():
        print(f"no {axe}: scripts/installDependencies test installs axe-core there")
        return 1
    shots.mkdir(parents=True, exist_ok=True)
    ids = {page.name: set(re.findall(r' id="([^"]*)"', page.read_text())) for page in folder.glob("*.html")}
    faults = [] if "index.html" in ids else ["no index.html in " + str(folder)]
    driver = browser()
    try:
        # What the browser asks for itself on its start is not the guide's.
        driver.get("about:blank")
        driver.get_log("browser"), driver.get_log("performance")
        for name in sorted(ids):
            driver.get((folder / name).as_uri())
            faults += requestFaults(driver, name) + pageFaults(driver, name, folder, ids, axe.read_text())
        faults += layoutFaults(driver, folder, shots)
    finally:
        driver.quit()
    print("\n".join(faults + [f"{len(ids)} pages checked, {len(faults)} faults; screenshots in {shots}"]))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
