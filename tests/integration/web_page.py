"""The panel's web page in Debian's headless Chromium: what a screen reader finds in it, and
what its keys do at the radio. Prints one line per row; exits non-zero on the first fault.

Usage: web_page.py PORT WORK_DIR PROMPT_TABLE WINDOW_ID
"""
import os
import subprocess
import sys
import tempfile
import time
import wave

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

port, work, table, window = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
url = f"http://127.0.0.1:{port}/"


def fail(text):
    sys.exit(f"FAIL: {text}")


def sent_after(since):
    """The radio's commands after the time given, as (time, command), polls left out."""
    result = []
    with open(os.path.join(work, "radio.log"), encoding="latin-1") as log:
        for line in log:
            fields = line.split()
            if len(fields) >= 3 and float(fields[0]) > since and fields[2] not in ("FA;", "FB;", "SM0;", "RM6;"):
                result.append((float(fields[0]), fields[2]))
    return result


def wait_sent(since, predicate, what, seconds=10):
    """The first of the radio's commands after the time given that the predicate takes."""
    return wait_for(lambda: next(((at, c) for at, c in sent_after(since) if predicate(c)), None),
                    lambda: f"the radio never heard {what}; it heard {sent_after(since)}", seconds)


def heard_after(since):
    """The prompts played after the time given, as (time, name)."""
    result = []
    with open(os.path.join(work, "sound.log"), encoding="latin-1") as log:
        for line in log:
            stamp, _, path = line.strip().partition(" ")
            if path.startswith("wave") and float(stamp) > since:
                result.append((float(stamp), path[5:-4]))
    return result


def wait_heard(since, names, seconds=10):
    """The prompts named, one after another, once they have been played after the time given."""
    def found():
        heard = heard_after(since)
        runs = (heard[start:start + len(names)] for start in range(len(heard) - len(names) + 1))
        return next((run for run in runs if [name for _, name in run] == names), None)
    return wait_for(found, lambda: f"the operator never heard {names}; heard {heard_after(since)}", seconds)


def length_of(name):
    with wave.open(os.path.join(work, "wave", name + ".wav")) as sound:
        return sound.getnframes() / sound.getframerate()


words = {}
with open(table, encoding="utf-8") as rows:
    for row in list(rows)[1:]:
        name, _, spoken = row.rstrip("\n").partition("\t")
        words[name] = "" if spoken.startswith("<") else spoken


def open_browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     f"--user-data-dir={tempfile.mkdtemp(dir=work)}"):
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.get(url)
    # Each phrase the live region receives, with the time it arrived.
    driver.execute_script("""
        window.arrived = [];
        new MutationObserver((changes) => {
          for (const change of changes) for (const node of change.addedNodes)
            window.arrived.push([(performance.timeOrigin + performance.now()) / 1000, node.textContent]);
        }).observe(document.getElementById("said"), { childList: true });
        document.addEventListener("keydown", () => {
          window.pressedAt = (performance.timeOrigin + performance.now()) / 1000; }, true);""")
    return driver


def wait_for(condition, what, seconds=10):
    """condition()'s first true value; else fails with "never" and what, or what() in full."""
    for _ in range(int(seconds / 0.02)):
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    fail(what() if callable(what) else f"never {what}")


def press_in_page(driver, key):
    ActionChains(driver).send_keys_to_element(driver.find_element(By.ID, "keys"), key).perform()


def step_of(command):
    return int(command[2:-1])


# --- What a screen reader finds ---
driver = open_browser()
wait_for(lambda: driver.execute_script("return document.getElementById('line2').textContent"), "got the status")
tree = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
shown = [node for node in tree if not node.get("ignored")]
role = lambda node: node.get("role", {}).get("value")
name = lambda node: node.get("name", {}).get("value", "")
texts = [name(node) for node in shown if role(node) == "StaticText"]
lines = driver.execute_script("return [1, 2, 3].map((n) => document.getElementById('line' + n).textContent)")
if not lines[0].startswith("LSB") or lines[1] != "7.100000":
    fail(f"the status lines are {lines}, not those the window draws for 7.1 MHz LSB")
for line in lines:
    if line and line not in texts:
        fail(f"the status line {line!r} is not in the accessibility tree")
logs = [node for node in shown if role(node) == "log"]
if len(logs) != 1 or any(not n.get("ignored") for n in tree if n.get("nodeId") in logs[0].get("childIds", [])):
    fail("the tree holds no empty live region")
applications = [name(node) for node in shown if role(node) == "application"]
if applications != ["Radio keys"]:
    fail(f"the application areas are {applications}")
unnamed = [node for node in shown if role(node) == "button" and not name(node).strip()]
if unnamed or not any(role(node) == "button" for node in shown):
    fail(f"{len(unnamed)} buttons have no name")
print("tree: three status lines, an empty live region, the named application area, every button named")

# --- Right in the page is Right in the window ---
start = time.time()
subprocess.run(["xdotool", "key", "--window", window, "Right"], check=True)
_, in_window = wait_sent(start, lambda c: c.startswith("FA0"), "the window's Right")
time.sleep(0.5)
start = time.time()
press_in_page(driver, Keys.ARROW_RIGHT)
_, in_page = wait_sent(start, lambda c: c.startswith("FA0"), "the page's Right")
if step_of(in_page) - step_of(in_window) != step_of(in_window) - 7100000:
    fail(f"Right in the window sent {in_window}, then Right in the page sent {in_page}")
print(f"right: the window sent {in_window}, the page {in_page}")

# --- The phrase in the live region, twice when said twice ---
for attempt in range(2):
    start = time.time()
    before = driver.execute_script("return window.arrived.length")
    press_in_page(driver, "f")
    arrived = wait_for(lambda: driver.execute_script("return window.arrived")[before:], "got the readout")[0]
    heard = heard_after(start)
    last_time, last_name = heard[-1]
    said = " ".join(w for w in (words.get(n, "") for _, n in heard) if w)
    late = arrived[0] - (last_time + length_of(last_name))
    if arrived[1] != said or late > 0.5:
        fail(f"the live region got {arrived[1]!r} {late:.2f} s after the panel said {said!r}")
    print(f"readout {attempt + 1}: {said!r} in the live region {late:.2f} s after it was said")
    time.sleep(0.3)

# --- Space unkeys at once, also in the middle of a readout ---
start = time.time()
press_in_page(driver, " ")
wait_sent(start, lambda c: c == "TX1;", "TX1 from the page")
wait_heard(start, ["tx", "on"])
start = time.time()
press_in_page(driver, "f")
wait_heard(start, ["7"])
before = time.time()
press_in_page(driver, " ")
at, _ = wait_sent(before, lambda c: c == "TX0;", "TX0 from the page's Space")
pressed = driver.execute_script("return window.pressedAt")
if at - pressed > 0.3:
    fail(f"TX0 reached the radio {at - pressed:.3f} s after Space in the page")
print(f"space: TX0 {at - pressed:.3f} s after Space in the middle of the readout")

# --- A page that keyed and went away ---
start = time.time()
press_in_page(driver, " ")
wait_sent(start, lambda c: c == "TX1;", "TX1 before the page closed")
time.sleep(0.5)
closed = time.time()
driver.quit()
at, _ = wait_sent(closed, lambda c: c == "TX0;", "TX0 once the page closed", 5)
spoken = wait_heard(closed, ["tx", "off"], 5)
if at - closed > 2.5 or spoken[-1][0] - closed > 2.5:
    fail(f"the page closed while keyed: TX0 after {at - closed:.2f} s, tx off after {spoken[-1][0] - closed:.2f} s")
print(f"closed: TX0 {at - closed:.2f} s and tx off {spoken[-1][0] - closed:.2f} s after the page closed")
