#!/usr/bin/env python3
"""browser_check.py — the browser build played in one headless Chromium
session, from a plain static server on 127.0.0.1, as a player would:
  - the first frame shows the board;
  - Space starts a round and the time runs;
  - a click at a cell's centre changes that cell and turns the arrow;
  - a right click opens no context menu; Escape does not end the game;
  - a hidden tab pauses the round, and Space resumes it;
  - a whole round of random clicks and right clicks records its score, which
    the waiting screen shows again after a reload (kept in IndexedDB);
  - a second tab, open from before that score, saves its settings after it:
    both are kept (each save reads the folder again under a cross-tab lock);
  - no console error or exception on the way;
  - with the browser's storage refused, the game plays on (a tap acting as a
    left click) and says so in one console line;
  - once opened, the site plays offline (its service worker), with its
    server gone.
Then the benchmarks, printed and never judged: the processor use of the
waiting screen and of a round beside a reference page that animates one
64 x 64 square on a 1280 x 1024 canvas, the frames drawn per second, and the
time to the first frame.
Usage: browser_check.py <site folder>"""
import base64
import functools
import http.server
import json
import os
import random
import re
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from cdp import Browser  # noqa: E402

W, H = 1280, 1024
TIME = (1100, 690, 1180, 740)
BEST = (330, 598, 790, 655)
ARROW_X, ARROW_Y, ARROW_R = 1152, 128, 56
SCORES = "/home/web_user/.local/share/vantorel/scores.txt"
SETTINGS_SAVED = ("(function(){try{return FS.readFile('/home/web_user/.config/vantorel/settings.txt',"
                  "{encoding:'utf8'})}catch(e){return ''}})()")

REFERENCE = b"""<!doctype html><html><body style="margin:0;background:#000">
<canvas id="c" width="1280" height="1024"></canvas><script>
var c = document.getElementById('c').getContext('2d'), x = 0, last = 0;
function frame(t) {
  if (t - last >= 1000 / 60 - 1) {
    last = t; c.fillStyle = '#000'; c.fillRect(x, 480, 64, 64);
    x = (x + 4) % (1280 - 64); c.fillStyle = '#e33'; c.fillRect(x, 480, 64, 64);
  }
  requestAnimationFrame(frame);
}
requestAnimationFrame(frame);
</script></body></html>"""

failures = []


def check(condition, what):
    print(("ok: " if condition else "FAILED: ") + what, flush=True)
    if not condition:
        failures.append(what)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path == "/reference.html":
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(REFERENCE)))
            self.end_headers()
            self.wfile.write(REFERENCE)
            return
        super().do_GET()


def serve(folder):
    handler = functools.partial(Quiet, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Game:
    def __init__(self, browser):
        self.b = browser

    def box(self):
        return self.b.evaluate("(function(){var r=document.getElementById('canvas').getBoundingClientRect();"
                               "return [r.left, r.top, r.width, r.height];})()")

    def page_point(self, x, y):
        left, top, width, height = self.box()
        return left + (x + 0.5) * width / W, top + (y + 0.5) * height / H

    def region(self, x0, y0, x1, y1):
        data = self.b.evaluate(
            "(function(){var d=document.getElementById('canvas').getContext('2d')"
            ".getImageData(%d,%d,%d,%d).data, s='';"
            "for (var i=0;i<d.length;i+=8192) s+=String.fromCharCode.apply(null,d.subarray(i,i+8192));"
            "return btoa(s);})()" % (x0, y0, x1 - x0, y1 - y0))
        return (x1 - x0, base64.b64decode(data))

    @staticmethod
    def difference(a, b):
        pa, pb = a[1], b[1]
        return sum(abs(pa[i] - pb[i]) for i in range(0, len(pa), 4 * 3)) / max(1, len(pa) // 12)

    @staticmethod
    def average(r):
        pixels = r[1]
        n = len(pixels) // 4
        return [sum(pixels[c::4]) / n for c in range(3)]

    def cell_colour(self, col, row):
        x, y = col * 256 + 24, row * 256 + 24
        return self.average(self.region(x, y, x + 48, y + 48))

    def click(self, x, y, button="left"):
        px, py = self.page_point(x, y)
        self.b.mouse("mouseMoved", px, py)
        self.b.mouse("mousePressed", px, py, button, 1 if button == "left" else 2)
        self.b.pump(0.05)
        self.b.mouse("mouseReleased", px, py, button, 0)


def distance(a, b):
    return sum(abs(a[i] - b[i]) for i in range(3))


def arrow_difference(before, after, quarters):
    (w, a), (_, b) = before, after
    total = n = 0
    r = ARROW_R
    for dy in range(-r, r, 2):
        for dx in range(-r, r, 2):
            if dx * dx + dy * dy >= r * r:
                continue
            i = ((dy + r) * w + dx + r) * 4
            if quarters == 0:
                j = i
            else:
                j = ((dx + r) * w + (-dy - 1) + r) * 4
            total += sum(abs(a[i + c] - b[j + c]) for c in range(3))
            n += 1
    return total / n


def arrow(game):
    return game.region(ARROW_X - ARROW_R, ARROW_Y - ARROW_R, ARROW_X + ARROW_R, ARROW_Y + ARROW_R)


def play(browser, url):
    game = Game(browser)
    browser.call("Page.navigate", url=url)
    first = browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)
    check(bool(first), "the first frame arrives")
    if not first:
        return
    browser.pump(1.0)
    colours = [game.cell_colour(c, r) for r in range(4) for c in range(4)]
    distinct = []
    for colour in colours:
        if all(distance(colour, d) > 60 for d in distinct):
            distinct.append(colour)
    check(len(distinct) >= 3, "the first frame shows the board (%d different cells)" % len(distinct))
    no_best = game.region(*BEST)
    # A second tab of the same browser, open from before the round's score:
    # what it saves later must merge with that score, not push it away.
    other = browser.open_tab(url)
    check(bool(other.wait_for("window.Module && Module.vtFirstFrameAt", 60)), "a second tab starts")
    browser.activate()
    browser.pump(0.5)

    browser.evaluate("window.vtMenus = []; document.addEventListener('contextmenu',"
                     " function (e) { window.vtMenus.push(e.defaultPrevented); });")
    before = game.region(*TIME)
    browser.key("Space", " ", 32)
    changed = False
    until = time.time() + 5
    while time.time() < until and not changed:
        browser.pump(0.2)
        changed = Game.difference(before, game.region(*TIME)) > 4
    check(changed, "Space starts a round and the time runs")

    browser.pump(0.5)
    px, py = game.page_point(384, 384)
    browser.mouse("mouseMoved", px, py)
    browser.pump(0.3)
    cell_before = game.cell_colour(1, 1)
    other_before = game.cell_colour(2, 2)
    arrow_before = arrow(game)
    game.click(384, 384)
    until = time.time() + 3
    while time.time() < until and distance(game.cell_colour(1, 1), cell_before) <= 60:
        browser.pump(0.1)
    check(distance(game.cell_colour(1, 1), cell_before) > 60, "a click at a cell's centre changes that cell")
    check(distance(game.cell_colour(2, 2), other_before) < 12, "the click leaves another cell as it was")
    browser.pump(0.5)
    arrow_after = arrow(game)
    turned, unturned = arrow_difference(arrow_before, arrow_after, 1), arrow_difference(arrow_before, arrow_after, 0)
    check(turned < unturned / 2, "the click turns the arrow a quarter turn (%.1f against %.1f)" % (turned, unturned))

    game.click(640, 640, "right")
    browser.pump(0.3)
    menus = browser.evaluate("window.vtMenus")
    check(menus == [True], "a right click opens no context menu (%s)" % menus)

    # Escape leaves the game running: only the browser closes its tab.
    browser.key("Escape", "Escape", 27)
    presents = browser.evaluate("Module.vtPresents")
    browser.pump(0.5)
    check(browser.evaluate("Module.vtPresents") > presents + 10, "Escape does not end the game")

    # A hidden tab pauses the round, as a window losing the focus does: the
    # host reads document.hidden at its waits, here made true for a moment.
    browser.evaluate("window.vtHidden = false; Object.defineProperty(document, 'hidden',"
                     " { configurable: true, get: function () { return window.vtHidden; } });")
    browser.evaluate("window.vtHidden = true")
    browser.pump(0.5)
    browser.evaluate("window.vtHidden = false")
    browser.pump(0.5)
    held = game.region(*TIME)
    browser.pump(1.5)
    check(Game.difference(held, game.region(*TIME)) <= 4, "a hidden tab pauses the round")
    browser.key("Space", " ", 32)
    until = time.time() + 3
    while time.time() < until and Game.difference(held, game.region(*TIME)) <= 4:
        browser.pump(0.2)
    check(Game.difference(held, game.region(*TIME)) > 4, "Space resumes the round")

    # The rest of the round: random clicks and right clicks give clears.
    rng = random.Random(23)
    start = time.time()
    while time.time() - start < 150 and not browser.evaluate(
            "(function(){try{FS.stat('%s');return true}catch(e){return false}})()" % SCORES):
        col, row = rng.randrange(4), rng.randrange(4)
        game.click(col * 256 + 128, row * 256 + 128, "right" if rng.random() < 0.3 else "left")
        browser.pump(0.12)
    text = browser.evaluate("(function(){try{return FS.readFile('%s',{encoding:'utf8'})}catch(e){return ''}})()"
                            % SCORES) or ""
    check(bool(text.strip()), "the round's score is recorded (%r)" % text.strip()[:60])
    browser.pump(2.0)
    best_after_round = game.region(*BEST)

    # The second tab saves its settings (M mutes the sound) after that score.
    other.key("KeyM", "m", 77)
    saved = other.wait_for(SETTINGS_SAVED, 30)
    check(bool(saved), "the second tab saves its settings")
    other.close()

    browser.call("Page.reload")
    browser.pump(0.5)
    check(bool(browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)), "the page loads again")
    browser.pump(1.5)
    reloaded = browser.evaluate("(function(){try{return FS.readFile('%s',{encoding:'utf8'})}catch(e){return ''}})()"
                                % SCORES) or ""
    check(reloaded == text and text != "", "the score is kept across a reload")
    check(bool(saved) and browser.evaluate(SETTINGS_SAVED) == saved,
          "the second tab's settings are kept beside the first tab's score")
    best_reloaded = game.region(*BEST)
    shown, empty = Game.difference(best_reloaded, best_after_round), Game.difference(best_reloaded, no_best)
    check(shown < empty / 2, "the waiting screen shows the best score after the reload (%.1f against %.1f)"
          % (shown, empty))

    # The round was kept with its entry; after 30 seconds without input it
    # plays itself (its time runs) until a key ends it.
    link = re.search(r"round=(round-[a-z0-9-]+\.txt)", reloaded)
    check(bool(link), "the round's entry names its round file")
    if link:
        kept = browser.evaluate("(function(){try{FS.stat('%s/%s');return true}catch(e){return false}})()"
                                % (SCORES.rsplit("/", 1)[0], link.group(1)))
        check(bool(kept), "the round file is kept beside the table")
    waiting = game.region(*TIME)
    browser.pump(20.0)
    check(Game.difference(waiting, game.region(*TIME)) <= 4, "nothing plays itself before 30 seconds")
    until = time.time() + 15
    replayed = False
    while time.time() < until and not replayed:
        browser.pump(0.2)
        replayed = Game.difference(waiting, game.region(*TIME)) > 4
    check(replayed, "the best round plays itself after 30 seconds without input")
    browser.key("KeyX", "x", 88)
    browser.pump(0.5)
    check(Game.difference(waiting, game.region(*TIME)) <= 4, "a key ends the replay at once")

    # T starts the round of the day: the same board on every start that day,
    # here once before a reload and once after.
    boards = []
    for attempt in range(2):
        if attempt:
            browser.call("Page.reload")
            browser.pump(0.5)
            browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)
            browser.pump(1.0)
        # The pointer off the board, where it would cover part of a cell.
        px, py = game.page_point(1150, 950)
        browser.mouse("mouseMoved", px, py)
        browser.pump(0.3)
        waiting = game.region(*TIME)
        browser.key("KeyT", "t", 84)
        until = time.time() + 5
        while time.time() < until and Game.difference(waiting, game.region(*TIME)) <= 4:
            browser.pump(0.1)
        browser.pump(1.0)  # the start banner slides off the board first
        boards.append([game.cell_colour(c, r) for r in range(4) for c in range(4)])
    check(Game.difference(waiting, game.region(*TIME)) > 4, "T starts the round of the day")
    check(all(distance(a, b) < 12 for a, b in zip(*boards)), "the round of the day starts from the same board again")


def cpu_share(browser, seconds):
    cpu0, wall0 = browser.process_cpu_seconds(), time.time()
    frames0 = browser.evaluate("(window.Module && Module.vtPresents) || 0")
    browser.pump(seconds)
    cpu, wall = browser.process_cpu_seconds() - cpu0, time.time() - wall0
    frames = (browser.evaluate("(window.Module && Module.vtPresents) || 0") - frames0) / wall
    return 100.0 * cpu / wall, frames


def benchmarks(browser, base):
    browser.call("Page.navigate", url=base + "reference.html")
    browser.pump(2.0)
    reference, _ = cpu_share(browser, 10)
    browser.call("Page.navigate", url=base + "index.html?bench")
    browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)
    first = browser.evaluate("Module.vtFirstFrameAt")
    browser.pump(2.0)
    waiting, waiting_fps = cpu_share(browser, 10)
    browser.key("Space", " ", 32)
    browser.pump(1.0)
    round_cpu, round_fps = cpu_share(browser, 10)
    print("benchmark: reference page (one 64 x 64 square at 60 fps): %.1f %% of a core" % reference)
    print("benchmark: waiting screen: %.1f %% of a core (%.2f x the reference), %.1f presents/s"
          % (waiting, waiting / reference, waiting_fps))
    print("benchmark: a round: %.1f %% of a core (%.2f x the reference), %.1f presents/s"
          % (round_cpu, round_cpu / reference, round_fps))
    print("benchmark: first frame %.0f ms after the page started loading" % first)


def storage_refused(browser, base):
    """IndexedDB denied, as a browser's privacy settings do; and a touch screen."""
    script = browser.call("Page.addScriptToEvaluateOnNewDocument", source=(
        "IDBFactory.prototype.open = function () {"
        " throw new DOMException('access to the Indexed Database API is denied', 'SecurityError'); };"))
    browser.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
    try:
        game = Game(browser)
        browser.console.clear()
        browser.call("Page.navigate", url=base + "index.html")
        check(bool(browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)),
              "with storage refused the game starts")
        browser.pump(1.0)
        browser.key("Space", " ", 32)
        browser.pump(1.0)
        before = game.cell_colour(1, 1)
        browser.tap(*game.page_point(384, 384))
        until = time.time() + 3
        while time.time() < until and distance(game.cell_colour(1, 1), before) <= 60:
            browser.pump(0.1)
        check(distance(game.cell_colour(1, 1), before) > 60, "a tap acts as a left click")
        said = [text for _, text in browser.console if "keeps no files" in text]
        check(len(said) == 1, "storage refused is said in one console line (%d)" % len(said))
    finally:
        browser.call("Emulation.setTouchEmulationEnabled", enabled=False)
        browser.call("Page.removeScriptToEvaluateOnNewDocument", identifier=script["identifier"])


def offline(browser, base, server):
    browser.call("Page.navigate", url=base + "index.html")
    controlled = browser.wait_for("navigator.serviceWorker.controller !== null", 60)
    check(bool(controlled), "the service worker keeps the site")
    server.shutdown()
    server.server_close()
    browser.call("Page.reload")
    browser.pump(0.5)
    check(bool(browser.wait_for("window.Module && Module.vtFirstFrameAt", 60)),
          "the site plays offline once opened (its server gone)")


def main():
    site = sys.argv[1]
    server = serve(site)
    base = "http://127.0.0.1:%d/" % server.server_address[1]
    browser = Browser(os.environ.get("VT_CHROMIUM", "chromium"))
    try:
        play(browser, base + "index.html")
        storage_refused(browser, base)
        errors = list(browser.errors)
        check(not errors, "no console error (%s)" % "; ".join(errors)[:300])
        if os.environ.get("VT_WEB_BENCH", "1") != "0":
            benchmarks(browser, base)
        offline(browser, base, server)
    finally:
        browser.close()
        server.shutdown()
        server.server_close()
    if failures:
        print("browser check: %d failed" % len(failures))
        return 1
    print("browser check: all passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
