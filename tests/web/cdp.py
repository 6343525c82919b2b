"""cdp.py — a headless Chromium driven over the DevTools protocol: one
browser (Debian's chromium, a fresh profile), its pages (one, and more with
open_tab), commands answered in order, console errors and exceptions collected as they come."""
import base64
import json
import os
import shutil
import subprocess
import tempfile
import time
import urllib.request

import websocket  # Debian's python3-websocket


class Browser:
    def __init__(self, chromium="chromium"):
        self.profile = tempfile.mkdtemp(prefix="vt-chromium-")
        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--disable-gpu", "--no-sandbox",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--no-first-run", "--no-default-browser-check", "--mute-audio",
             "--autoplay-policy=user-gesture-required",
             "--user-data-dir=" + self.profile, "--remote-debugging-port=0",
             "--window-size=1280,1060", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, "DevToolsActivePort")
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().count("\n") >= 1:
                break
            if self.process.poll() is not None:
                raise RuntimeError("chromium ended at start-up")
            time.sleep(0.1)
        self.port = int(open(port_file).read().split("\n")[0])
        pages = json.load(urllib.request.urlopen("http://127.0.0.1:%d/json/list" % self.port))
        self._connect([p for p in pages if p.get("type") == "page"][0])

    def _connect(self, page):
        self.target = page["id"]
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=120,
                                                  suppress_origin=True)
        self.next_id = 0
        self.errors = []
        self.console = []
        for domain in ("Runtime", "Page", "Log"):
            self.call(domain + ".enable")

    def open_tab(self, url):
        """A second page of the same browser (its profile, its storage)."""
        request = urllib.request.Request("http://127.0.0.1:%d/json/new?%s" % (self.port, url), method="PUT")
        tab = Tab()
        tab.port = self.port
        tab._connect(json.load(urllib.request.urlopen(request)))
        return tab

    def activate(self):
        """Brings this page to the front (the others become hidden)."""
        urllib.request.urlopen("http://127.0.0.1:%d/json/activate/%s" % (self.port, self.target)).read()

    def close(self):
        try:
            self.socket.close()
        finally:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
            shutil.rmtree(self.profile, ignore_errors=True)

    def _event(self, message):
        method = message.get("method")
        params = message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            text = " ".join(str(a.get("value", a.get("description", ""))) for a in params.get("args", []))
            self.console.append((params.get("type"), text))
            if params.get("type") == "error":
                self.errors.append("console.error: " + text)
        elif method == "Runtime.exceptionThrown":
            details = params.get("exceptionDetails", {})
            self.errors.append("exception: " + details.get("exception", {}).get("description", details.get("text", "")))
        elif method == "Log.entryAdded" and params.get("entry", {}).get("level") == "error":
            entry = params["entry"]
            self.errors.append("log: %s (%s)" % (entry.get("text"), entry.get("url", "")))

    def call(self, method, **params):
        self.next_id += 1
        ident = self.next_id
        self.socket.send(json.dumps({"id": ident, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == ident:
                if "error" in message:
                    raise RuntimeError("%s: %s" % (method, message["error"]))
                return message.get("result", {})
            self._event(message)

    def pump(self, seconds):
        """Lets events arrive for a while."""
        until = time.time() + seconds
        while time.time() < until:
            self.socket.settimeout(max(0.01, until - time.time()))
            try:
                self._event(json.loads(self.socket.recv()))
            except websocket.WebSocketTimeoutException:
                pass
        self.socket.settimeout(120)

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise RuntimeError("evaluate: " + json.dumps(result["exceptionDetails"])[:400])
        return result["result"].get("value")

    def wait_for(self, expression, seconds):
        until = time.time() + seconds
        while time.time() < until:
            value = self.evaluate(expression)
            if value:
                return value
            self.pump(0.1)
        return None

    def key(self, code, key, vk, down=True, up=True):
        base = {"code": code, "key": key, "windowsVirtualKeyCode": vk, "nativeVirtualKeyCode": vk}
        if down:
            self.call("Input.dispatchKeyEvent", type="rawKeyDown", **base)
        if up:
            self.call("Input.dispatchKeyEvent", type="keyUp", **base)

    def mouse(self, kind, x, y, button="none", buttons=0):
        self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, buttons=buttons,
                  clickCount=1 if kind != "mouseMoved" else 0)

    def tap(self, x, y):
        point = [{"x": x, "y": y}]
        self.call("Input.dispatchTouchEvent", type="touchStart", touchPoints=point)
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def process_cpu_seconds(self):
        """User and system time of the browser and all its processes."""
        total = 0.0
        tick = os.sysconf("SC_CLK_TCK")
        pids = [self.process.pid]
        seen = set()
        while pids:
            pid = pids.pop()
            if pid in seen:
                continue
            seen.add(pid)
            try:
                fields = open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()
                total += (int(fields[11]) + int(fields[12])) / tick
                children = open("/proc/%d/task/%d/children" % (pid, pid)).read().split()
                pids.extend(int(c) for c in children)
            except (FileNotFoundError, ProcessLookupError, IndexError):
                pass
        return total


class Tab(Browser):
    """Another page of a Browser: closing it closes its connection only."""

    def __init__(self):
        pass

    def close(self):
        self.socket.close()
