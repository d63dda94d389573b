"""Decides the rows of a real review page in Chromium, driven by WebDriver.

Runs the command-line tool with --review over examples/ into a temporary
folder, opens its page in headless Chromium and decides every row that holds
a candidate, some with the keyboard and some with the mouse: accept, choose
another candidate, reject, edit (male and female text), undo. Reloads the
page and finds the decisions kept, searches and sorts the rows, then saves
the decisions and reads the downloaded file back, byte for byte, and runs
the tool again with --decisions on it: the recovered file, the patch and the
report show each decision. Then, on
the sample page written by REVIEW_SAMPLE, chooses an alternative translation
of an ambiguous text by its key and finds it saved with its file and id.

    decisions_browser_test.py WORDGLEANER_CLI EXAMPLES_DIR REVIEW_SAMPLE

WORDGLEANER_DECISIONS_SCREENSHOT, when set, names a PNG file to save the
page into once its decisions are made and reloaded (the README's picture).
CHROMIUM and CHROMEDRIVER name the browser and its driver. Exits 77 (a
skip for ctest) when either is missing; the Selenium bindings
(python3-selenium) are installed with them by scripts/setup, and their
absence is a failure.
"""

import os
import shutil
import subprocess
import sys
import tempfile

SKIP = 77

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("FAIL: the Selenium bindings for Python (python3-selenium) are not installed",
          file=sys.stderr)
    sys.exit(1)

WAIT_SECONDS = 20

# What the decisions below must save: the rows in the page's order, texts
# quoted, CR LF, a byte order mark. Row 102 took its second candidate (Id
# 1014); row 103 was rejected, which names its best candidate.
EXPECTED = (
    "\ufeffmod file,id,mod text,decision,reference file,reference id,translation,"
    "female translation\r\n"
    '"dialog.tra",101,"Thank you my friend. Here is your reward!",accept,"english.tra",1011,,\r\n'
    '"dialog.tra",102,"The guards will not let you through.",accept,"english.tra",1014,,\r\n'
    '"dialog.tra",103,"Watch your step, the bridge is old.",reject,"english.tra",1004,,\r\n'
    '"dialog.tra",107,"Come back when you have the writ.",edit,,,'
    '"Revenez avec le ""bref"".","Revenez, madame."\r\n'
    '"items.tra",203,"Restores 10 hit points when drunk!",accept,"english.tra",1018,,\r\n'
).encode("utf-8")


# The second alternative of the sample's ambiguous row is its third choice,
# after the best candidate and the first alternative. A mod text on two
# lines keeps its line break, as CR LF.
EXPECTED_ALTERNATIVE = (
    "\ufeffmod file,id,mod text,decision,reference file,reference id,translation,"
    "female translation\r\n"
    '"items tra.tra",2,"A long\r\nsword",reject,"items.tra",11,,\r\n'
    '"items tra.tra",8,"Yes.",accept,"items.tra",22,,\r\n'
).encode("utf-8")


def find_program(variable, names):
    named = os.environ.get(variable)
    if named:
        return named if os.access(named, os.X_OK) else None
    for name in names:
        found = shutil.which(name)
        if found:
            return found
    return None


def write_page(cli, examples, folder):
    subprocess.run(
        [cli, "--review", os.path.join(examples, "reference", "english.tra"),
         os.path.join(examples, "reference", "french.tra"), os.path.join(examples, "mod"),
         folder],
        check=True, stdout=subprocess.DEVNULL)
    return os.path.join(folder, "Wordgleaner_review.html")


def start_browser(chromium, chromedriver, downloads, profile):
    options = webdriver.ChromeOptions()
    options.binary_location = chromium
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--no-first-run", "--window-size=1400,1000",
                     "--user-data-dir=" + profile):
        options.add_argument(argument)
    options.add_experimental_option("prefs", {
        "download.default_directory": downloads,
        "download.prompt_for_download": False,
    })
    driver = webdriver.Chrome(service=Service(chromedriver), options=options)
    driver.execute_cdp_cmd("Page.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": downloads})
    return driver


class Page:
    def __init__(self, driver):
        self.driver = driver
        self.wait = WebDriverWait(driver, WAIT_SECONDS)

    def row(self, anchor):
        return self.driver.find_element(By.ID, anchor)

    def shown_rows(self):
        return [row.get_attribute("id")
                for row in self.driver.find_elements(By.CSS_SELECTOR, "#rows tbody tr")
                if row.get_attribute("hidden") is None]

    def current(self):
        return self.driver.find_element(By.CSS_SELECTOR, "#rows tbody tr.cur").get_attribute("id")

    def counter(self):
        return self.driver.find_element(By.ID, "decided").text

    def state(self, anchor):
        return self.row(anchor).find_element(By.CSS_SELECTOR, ".st").text

    def keys(self, *keys):
        webdriver.ActionChains(self.driver).send_keys(*keys).perform()

    def click(self, anchor, selector):
        self.row(anchor).find_element(By.CSS_SELECTOR, selector).click()

    def wait_for_counter(self, text):
        self.wait.until(lambda driver: self.counter() == text)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def check_equal(actual, expected, what):
    check(actual == expected, f"{what}: {actual!r}, expected {expected!r}")


def decide_with_keys(page):
    check_equal(page.current(), "dialog.tra-101", "the current row at first")
    page.keys("a")  # accept the best candidate, then on to 102
    page.keys("2")  # its second candidate
    page.keys("r")  # reject: the mod's own text stays
    check_equal(page.current(), "dialog.tra-105", "the current row after three decisions")
    page.keys("j")  # 105, exact up to case, stays undecided
    page.keys("e")
    edit = page.row("dialog.tra-107").find_element(By.CSS_SELECTOR, "textarea.t")
    page.wait.until(lambda driver: driver.switch_to.active_element == edit)
    edit.clear()
    edit.send_keys('Revenez avec le "bref".')
    female = page.row("dialog.tra-107").find_element(By.CSS_SELECTOR, "textarea.f")
    female.send_keys("Revenez, madame.")
    female.send_keys(Keys.CONTROL, Keys.ENTER)
    page.wait_for_counter("4 of 7 rows decided")
    check_equal(page.state("dialog.tra-101"), "Accepted", "row 101")
    check_equal(page.state("dialog.tra-102"), "Accepted english.tra 1014", "row 102")
    check_equal(page.state("dialog.tra-103"), "Rejected: the mod's text stays", "row 103")
    check_equal(page.state("dialog.tra-107"), 'Edited: Revenez avec le "bref".', "row 107")


def decide_with_the_mouse(page):
    page.click("items.tra-203", "button[data-a=reject]")
    check_equal(page.state("items.tra-203"), "Rejected: the mod's text stays", "row 203")
    page.wait_for_counter("5 of 7 rows decided")
    page.click("items.tra-203", "button[data-a=undo]")
    page.wait_for_counter("4 of 7 rows decided")
    page.click("items.tra-203", "button[data-a=accept]")
    page.wait_for_counter("5 of 7 rows decided")
    check_equal(page.current(), "items.tra-203", "the current row after a click")
    page.keys("k")  # the button clicked keeps the focus: the keys still work
    check_equal(page.current(), "items.tra-202", "the current row after k")


def check_kept_after_reload(page):
    page.driver.refresh()
    page.wait_for_counter("5 of 7 rows decided")
    check_equal(page.state("dialog.tra-102"), "Accepted english.tra 1014", "row 102 reloaded")
    check_equal(page.state("items.tra-203"), "Accepted", "row 203 reloaded")
    chosen = page.row("dialog.tra-102").find_elements(By.CSS_SELECTOR, "li.ch")
    check_equal(len(chosen), 1, "chosen candidates of row 102 reloaded")


def take_screenshot(page):
    path = os.environ.get("WORDGLEANER_DECISIONS_SCREENSHOT")
    if not path:
        return
    page.driver.execute_script("document.getElementById('filters').scrollIntoView()")
    page.driver.save_screenshot(path)
    print("saved the page into " + path)


def check_search_and_sort(page):
    driver = page.driver
    check_equal(page.shown_rows(), ["dialog.tra-101", "dialog.tra-102", "dialog.tra-103",
                                    "dialog.tra-105", "dialog.tra-107", "items.tra-202",
                                    "items.tra-203"], "rows shown at first")
    driver.find_element(By.CSS_SELECTOR, "#outcome option[value='']").click()
    search = driver.find_element(By.ID, "q")
    search.send_keys("PELTS")
    page.wait.until(lambda driver: page.shown_rows() == ["dialog.tra-104"])
    search.clear()
    search.send_keys("2")
    page.wait.until(lambda driver: page.shown_rows() == ["setup.TRA-2"])
    search.clear()
    search.send_keys(Keys.BACK_SPACE)
    driver.find_element(By.CSS_SELECTOR, "#sort option[value=l]").click()
    page.wait.until(lambda driver: len(page.shown_rows()) == 11)
    likeliness = [driver.find_element(By.ID, anchor).get_attribute("data-l")
                  for anchor in page.shown_rows()]
    known = [float(value) for value in likeliness if value is not None]
    check_equal(known, sorted(known, reverse=True), "likeliness of the rows sorted")
    check_equal(likeliness[-1], None, "a row without candidate sorted last")


def save_and_read_back(page, downloads, expected):
    page.driver.execute_cdp_cmd("Page.setDownloadBehavior",
                                {"behavior": "allow", "downloadPath": downloads})
    page.driver.find_element(By.ID, "save").click()
    saved = os.path.join(downloads, "Wordgleaner_decisions.csv")
    page.wait.until(lambda driver: os.path.exists(saved) and not any(
        name.endswith(".crdownload") for name in os.listdir(downloads)))
    with open(saved, "rb") as file:
        content = file.read()
    check(content == expected, "saved decisions differ:\n" + repr(content) + "\nexpected:\n" +
          repr(expected))


def choose_an_alternative(page, sample, folder, downloads):
    subprocess.run([sample, folder], check=True, stdout=subprocess.DEVNULL)
    page.driver.get("file://" + os.path.join(folder, "Wordgleaner_review.html"))
    page.wait.until(lambda driver: page.counter().startswith("0 of "))
    anchor = "items_tra.tra-8"
    page.row(anchor).find_element(By.CSS_SELECTOR, "td").click()
    check_equal(page.current(), anchor, "the row clicked")
    alternatives = page.row(anchor).find_elements(By.CSS_SELECTOR, "li.a")
    check_equal([item.find_element(By.CSS_SELECTOR, "button").text for item in alternatives],
                ["Choose (2)", "Choose (3)"], "the choices of the alternatives")
    page.keys("3")
    check_equal(page.state(anchor), "Accepted items.tra 22", "the alternative chosen")
    page.click("items_tra.tra-2", "button[data-a=reject]")
    save_and_read_back(page, downloads, EXPECTED_ALTERNATIVE)


def apply_saved_decisions(cli, examples, saved, folder):
    """The next run applies the file the page saved: the review cycle's end."""
    subprocess.run(
        [cli, "--patch", "--decisions", saved,
         os.path.join(examples, "reference", "english.tra"),
         os.path.join(examples, "reference", "french.tra"), os.path.join(examples, "mod"),
         folder],
        check=True, stdout=subprocess.DEVNULL)

    def read(name):
        with open(os.path.join(folder, name), "rb") as file:
            return file.read().decode("utf-8")

    dialog, patch, report = (read(name) for name in
                             ("dialog.tra", "tp2patch.tp2", "Wordgleaner_report.txt"))
    for expected in ("Accepted in review: string found in file english.tra at Id 1014",
                     "Rejected in review: string found in file english.tra at Id 1004",
                     "Translation edited in review", 'Revenez avec le "bref".'):
        check(expected in dialog, "the recovered dialog.tra lacks " + repr(expected))
    for expected in ("// Accepted in review", "// Rejected in review", "edited in review"):
        check(expected in patch, "the patch lacks " + repr(expected))
    check("Review decisions: 3 accepted, 1 rejected, 1 edited, 0 not applied" in report,
          "the report does not count the decisions:\n" + report)


def main():
    if len(sys.argv) != 4:
        print("usage: decisions_browser_test.py WORDGLEANER_CLI EXAMPLES_DIR REVIEW_SAMPLE",
              file=sys.stderr)
        return 2
    chromium = find_program("CHROMIUM", ["chromium", "chromium-browser"])
    chromedriver = find_program("CHROMEDRIVER", ["chromedriver"])
    if not chromium or not chromedriver:
        print("SKIP: chromium and chromedriver (chromium-driver) are needed")
        return SKIP
    with tempfile.TemporaryDirectory() as work:
        out, downloads, sample, sample_downloads, profile = (
            os.path.join(work, name)
            for name in ("out", "downloads", "sample", "sample-downloads", "profile"))
        for folder in (out, downloads, sample, sample_downloads, profile):
            os.mkdir(folder)
        page_path = write_page(sys.argv[1], sys.argv[2], out)
        driver = start_browser(chromium, chromedriver, downloads, profile)
        try:
            driver.get("file://" + page_path)
            page = Page(driver)
            page.wait_for_counter("0 of 7 rows decided")
            decide_with_keys(page)
            print("decided four rows with the keyboard")
            decide_with_the_mouse(page)
            print("decided, undid and decided again a row with the mouse")
            check_kept_after_reload(page)
            print("found the five decisions kept after a reload")
            take_screenshot(page)
            check_search_and_sort(page)
            print("searched by text and by id, sorted by likeliness")
            save_and_read_back(page, downloads, EXPECTED)
            print("saved Wordgleaner_decisions.csv and read back its exact bytes")
            applied = os.path.join(work, "applied")
            os.mkdir(applied)
            apply_saved_decisions(sys.argv[1], sys.argv[2],
                                  os.path.join(downloads, "Wordgleaner_decisions.csv"), applied)
            print("applied the saved decisions with --decisions in the next run")
            choose_an_alternative(page, sys.argv[3], sample, sample_downloads)
            print("chose an alternative translation by its key and saved it")
        finally:
            driver.quit()
    return 0


if __name__ == "__main__":
    sys.exit(main())
