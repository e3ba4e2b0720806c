"""Headless Chromium driven over its DevTools protocol, with nothing but the standard
library: a local web server for the page, the browser in its own process group, a
small WebSocket client, key and touch events, the page's size and screenshots. Every
process it starts ends when the session closes."""

import base64
import functools
import http.client
import http.server
import json
import os
import signal
import socket
import struct
import subprocess
import tempfile
import threading
import time

CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync",
                  "--autoplay-policy=user-gesture-required"]

# DevTools key descriptions: key, code, virtual key code.
KEYS = {
    "Up": ("ArrowUp", "ArrowUp", 38), "Down": ("ArrowDown", "ArrowDown", 40),
    "Left": ("ArrowLeft", "ArrowLeft", 37), "Right": ("ArrowRight", "ArrowRight", 39),
    "space": (" ", "Space", 32), "a": ("a", "KeyA", 65), "b": ("b", "KeyB", 66),
    "x": ("x", "KeyX", 88), "q": ("q", "KeyQ", 81), "w": ("w", "KeyW", 87),
    "c": ("c", "KeyC", 67), "Control": ("Control", "ControlLeft", 17),
    "r": ("r", "KeyR", 82), "l": ("l", "KeyL", 76), "Tab": ("Tab", "Tab", 9),
    "F5": ("F5", "F5", 116), "F11": ("F11", "F11", 122), "F12": ("F12", "F12", 123),
}


class Failure(Exception):
    pass


class WebSocket:
    """Just enough of RFC 6455 for one DevTools connection: masked text frames out,
    possibly fragmented text frames in."""

    def __init__(self, url):
        host_port, path = url[len("ws://"):].split("/", 1)
        host, port = host_port.split(":")
        self.sock = socket.create_connection((host, int(port)), timeout=60)
        key = base64.b64encode(os.urandom(16)).decode()
        self.sock.sendall(("GET /%s HTTP/1.1\r\nHost: %s\r\nUpgrade: websocket\r\n"
                           "Connection: Upgrade\r\nSec-WebSocket-Key: %s\r\n"
                           "Sec-WebSocket-Version: 13\r\n\r\n" % (path, host_port, key)).encode())
        reply = b""
        while b"\r\n\r\n" not in reply:
            reply += self.sock.recv(1)
        if b" 101 " not in reply.split(b"\r\n")[0]:
            raise Failure("DevTools refused the WebSocket: %r" % reply[:200])

    def send(self, text):
        data = text.encode()
        header = bytes([0x81])
        if len(data) < 126:
            header += bytes([0x80 | len(data)])
        elif len(data) < 65536:
            header += bytes([0x80 | 126]) + struct.pack(">H", len(data))
        else:
            header += bytes([0x80 | 127]) + struct.pack(">Q", len(data))
        mask = os.urandom(4)
        self.sock.sendall(header + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def _exactly(self, n):
        data = bytearray()
        while len(data) < n:
            chunk = self.sock.recv(n - len(data))
            if not chunk:
                raise Failure("DevTools closed the connection")
            data += chunk
        return bytes(data)

    def receive(self):
        message = b""
        while True:
            first, second = self._exactly(2)
            length = second & 0x7F
            if length == 126:
                length = struct.unpack(">H", self._exactly(2))[0]
            elif length == 127:
                length = struct.unpack(">Q", self._exactly(8))[0]
            message += self._exactly(length)
            if first & 0x80:
                return message.decode()

    def close(self):
        self.sock.close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        pass  # a reload cuts downloads short; the page asks again


class Session:
    """The page served from `folder` on 127.0.0.1, open in headless Chromium."""

    def __init__(self, folder, page="vandal.html", window=(800, 600), init_script=None):
        self.server = QuietServer(("127.0.0.1", 0), functools.partial(QuietHandler, directory=folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.profile = tempfile.TemporaryDirectory(prefix="vandal-chromium-")
        self.browser = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, "--user-data-dir=" + self.profile.name,
             "--remote-debugging-port=0", "--window-size=%d,%d" % window, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.socket, self.next_id, self.console, self.warnings = None, 0, [], []
        self.url = "http://127.0.0.1:%d/%s" % (self.server.server_port, page)
        try:
            self._connect()
            self.call("Page.enable")
            self.call("Runtime.enable")
            self.call("Log.enable")
            if init_script:
                self.call("Page.addScriptToEvaluateOnNewDocument", source=init_script)
            self.reload()
        except BaseException:
            self.close()
            raise

    def reload(self, page=None):
        """A fresh page: a fresh game. `page` opens another one of the folder's."""
        if page:
            self.url = self.url.rsplit("/", 1)[0] + "/" + page
        self.call("Page.navigate", url=self.url)

    def _connect(self):
        port_file = os.path.join(self.profile.name, "DevToolsActivePort")
        deadline = time.monotonic() + 30
        while not os.path.exists(port_file) or not open(port_file).read().strip():
            if self.browser.poll() is not None or time.monotonic() > deadline:
                raise Failure("Chromium did not open its DevTools port")
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        connection = http.client.HTTPConnection("127.0.0.1", int(port), timeout=30)
        connection.request("GET", "/json/list")
        targets = json.loads(connection.getresponse().read())
        connection.close()
        page = next(t for t in targets if t["type"] == "page")
        self.socket = WebSocket(page["webSocketDebuggerUrl"])

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.receive())
            if message.get("method") == "Runtime.consoleAPICalled":
                args = message["params"]["args"]
                self.console.append(" ".join(str(a.get("value", "")) for a in args))
                if message["params"]["type"] in ("warning", "error"):
                    self.warnings.append(self.console[-1])
            elif message.get("method") == "Log.entryAdded":
                entry = message["params"]["entry"]
                if entry["level"] in ("warning", "error"):
                    self.warnings.append("%s: %s %s" % (entry["source"], entry["text"], entry.get("url", "")))
            elif message.get("method") == "Runtime.exceptionThrown":
                details = message["params"]["exceptionDetails"]
                self.console.append(details.get("exception", {}).get("description", details["text"]))
                self.warnings.append(self.console[-1])
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise Failure("%s: %s" % (method, message["error"]))
                return message["result"]

    def evaluate(self, expression, wait=False):
        """The value of a page expression; with wait, of the promise it returns."""
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=wait)
        if "exceptionDetails" in result:
            raise Failure("page error in %s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def wait_for(self, expression, timeout=30, what=None):
        deadline = time.monotonic() + timeout
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise Failure("timed out waiting for " + (what or expression))
            time.sleep(0.05)

    def key_down(self, name, repeat=False, modifiers=0):
        key, code, vk = KEYS[name]
        self.call("Input.dispatchKeyEvent", type="keyDown", key=key, code=code,
                  windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, autoRepeat=repeat,
                  modifiers=modifiers)

    def key_up(self, name, modifiers=0):
        key, code, vk = KEYS[name]
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, modifiers=modifiers)

    def key(self, name, modifiers=0):
        self.key_down(name, modifiers=modifiers)
        self.key_up(name, modifiers=modifiers)

    def touch(self, kind, points):
        """A touch event: kind is touchStart, touchMove or touchEnd; points (id, x, y)
        are the fingers on the screen after it, in page pixels."""
        self.call("Input.dispatchTouchEvent", type=kind,
                  touchPoints=[{"x": x, "y": y, "id": i} for i, x, y in points])

    def viewport(self, width, height, scale=1, mobile=False):
        """The page's size; a desktop's screen is larger than its window."""
        screen = (width, height) if mobile else (width + 400, height + 300)
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=scale, mobile=mobile, screenWidth=screen[0],
                  screenHeight=screen[1])

    def canvas_box(self):
        return self.evaluate("(() => { const r = Module.canvas.getBoundingClientRect();"
                             " return [r.left, r.top, r.width, r.height]; })()")

    def screenshot_png(self, scale=1):
        """The canvas as the page shows it, at `scale` screen pixels per game pixel."""
        left, top, width, height = self.canvas_box()
        clip = {"x": left, "y": top, "width": width, "height": height, "scale": scale * 320 / width}
        return base64.b64decode(self.call("Page.captureScreenshot", format="png", clip=clip)["data"])

    def close(self):
        if self.socket:
            self.socket.close()
        # The browser's helpers share its process group, and may outlive it.
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.browser.pid, sig)
            except ProcessLookupError:
                break
            try:
                self.browser.wait(timeout=10)
            except subprocess.TimeoutExpired:
                continue
            time.sleep(0.2)
        self.server.shutdown()
        self.server.server_close()
        self.profile.cleanup()
