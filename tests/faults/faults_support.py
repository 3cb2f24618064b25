"""Helpers of the fault cases: a misbehaving local server, a garbage speaker, and the checks
that every case shares (the widget still runs, its clock moves, its memory stays bounded,
the weather labels keep what they had, and Esc still ends it with 0).

The widget runs with short network time-outs, so a case that blocks its refresh costs
seconds, not minutes. The first weather refresh happens before the window is shown, so a
faulty first answer shows itself as a late window; that delay must stay within the bound.
"""

import os
import random
import socket
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from deskwatch_e2e import Desktop  # noqa: E402,F401

SERVER = os.path.join(HERE, "..", "support", "https_server.py")
FIXTURES = os.path.join(HERE, "..", "fixtures", "faults")
WEATHER_FIXTURES = os.path.join(HERE, "..", "fixtures", "weather")

# Short network time-outs for the tests (seconds) and the longest the clock may stand still.
CONNECT, STALL, TOTAL = 3, 3, 8
NET_ENV = {"DESKWATCH_NET_CONNECT_SECONDS": str(CONNECT),
           "DESKWATCH_NET_STALL_SECONDS": str(STALL),
           "DESKWATCH_NET_TOTAL_SECONDS": str(TOTAL)}
SLACK = 3.0  # start-up, a loaded machine and the polling interval

# The weather labels as the layout gives them, and as the normal fixture page fills them.
LAYOUT_WEATHER = {"标签_天气1": "NN℃", "标签_实时": "NNNN", "标签_天气2": "N°△\r\nN°△"}
NORMAL_WEATHER = {"标签_天气1": "7℃", "标签_实时": "晴多云", "标签_天气2": "3°△\r\n-5°▽"}


def normal_page():
    with open(os.path.join(WEATHER_FIXTURES, "normal.html"), encoding="utf-8") as f:
        return f.read()


def closed_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


class FaultServer:
    """tests/support/https_server.py serving the fault fixtures; `tls=False` makes it speak
    plain HTTP on the port the widget reaches by HTTPS; `cert_host` gives it a certificate for
    another host name."""

    def __init__(self, tmp, name):
        self.dir = os.path.join(tmp, name)
        os.makedirs(self.dir, exist_ok=True)
        self.page = os.path.join(self.dir, "page.html")
        self.log = os.path.join(self.dir, "requests.log")
        self.control = os.path.join(self.dir, "mode")
        self.cert = os.path.join(self.dir, "cert.pem")
        self.port = None

    @classmethod
    def start(cls, test, tmp, name="server", tls=True, cert_host=None):
        s = cls(tmp, name)
        open(s.page, "wb").close()
        s.set_mode("normal")
        port_file = os.path.join(s.dir, "port")
        argv = [sys.executable, SERVER, "--port", "0", "--port-file", port_file,
                "--root", FIXTURES, "--page", s.page, "--log", s.log, "--control", s.control]
        if tls:
            argv += ["--cert-dir", s.dir]
        if cert_host:
            argv += ["--cert-host", cert_host]
        s.proc = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        test.addCleanup(s.stop)
        deadline = time.monotonic() + 20
        while not os.path.exists(port_file):
            if time.monotonic() > deadline or s.proc.poll() is not None:
                raise RuntimeError("the test server did not start")
            time.sleep(0.05)
        with open(port_file) as f:
            s.port = int(f.read().strip())
        s.set_page(normal_page())
        return s

    def url(self, path):
        return "https://127.0.0.1:%d%s" % (self.port, path)

    def set_page(self, page, icon="/good.gif"):
        """The search page: text (UTF-8) or bytes; @ICON_URL@ names the icon."""
        if isinstance(page, str):
            page = page.encode("utf-8")
        page = page.replace(b"@ICON_URL@", self.url(icon).encode())
        with open(self.page + ".tmp", "wb") as f:
            f.write(page)
        os.replace(self.page + ".tmp", self.page)

    def set_mode(self, mode):
        with open(self.control + ".tmp", "w") as f:
            f.write(mode)
        os.replace(self.control + ".tmp", self.control)

    def requests(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, "rb") as f:
            data = f.read().decode("utf-8", "replace")
        return [r for r in data.split("\r\n\r\n") if r]

    def gets(self):
        """The request lines of the GET requests received so far."""
        return [r.split("\r\n")[0] for r in self.requests() if r.startswith("GET ")]

    def host(self):
        return "127.0.0.1:%d" % self.port

    def widget_env(self):
        env = dict(NET_ENV)
        if os.path.exists(self.cert):
            env["DESKWATCH_CA_FILE"] = self.cert
        return env

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(5)


class GarbageServer:
    """Accepts connections on 127.0.0.1 and answers each with random bytes, then closes."""

    def __init__(self, test):
        self.sock = socket.socket()
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(8)
        self.port = self.sock.getsockname()[1]
        self.connections = 0
        self.rng = random.Random(936)
        threading.Thread(target=self._serve, daemon=True).start()
        test.addCleanup(self.sock.close)

    def _serve(self):
        while True:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            self.connections += 1
            try:
                conn.sendall(bytes(self.rng.randrange(256) for _ in range(4096)))
                time.sleep(0.2)
            except OSError:
                pass
            conn.close()

    def host(self):
        return "127.0.0.1:%d" % self.port


def sanitized():
    """Whether the binary under test is an ASan build, whose shadow memory and quarantine
    make resident sizes meaningless as bounds."""
    from deskwatch_e2e import binary
    with open(binary(), "rb") as f:
        return b"__asan_init" in f.read()


def rss_kb(pid, field="VmRSS"):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise RuntimeError("no %s for %d" % (field, pid))


class Checks:
    """Mixed into a TestCase: the checks every fault case ends with."""

    def assertClockMoves(self, w, within=STALL + SLACK):
        """The seconds label shows another value within `within` seconds, twice (so it was
        not a last tick delivered before a block)."""
        for _ in range(2):
            before = w.text("标签_time1")
            moved = w.wait_for(lambda: w.text("标签_time1") != before, within, 0.1)
            self.assertTrue(moved, "the seconds label stood still at %r for %.1f s"
                            % (before, within))

    def assertWeather(self, w, expected):
        self.assertEqual({name: w.text(name) for name in expected}, expected)

    def assertMappedWithin(self, w, seconds):
        self.assertIsNotNone(w.mapped_after)
        self.assertLess(w.mapped_after, seconds + SLACK,
                        "the window appeared %.1f s after start" % w.mapped_after)
        self.figure("mapped after %.2f s" % w.mapped_after)

    def assertMemoryBounded(self, w, limit_mb):
        if sanitized():
            limit_mb *= 4
        rss = rss_kb(w.proc.pid) / 1024
        self.assertLess(rss, limit_mb, "resident memory %.1f MB" % rss)
        self.figure("RSS %.1f MB (peak %.1f MB)" % (rss, rss_kb(w.proc.pid, "VmHWM") / 1024))
        return rss

    def figure(self, text):
        """A measured figure of the case, printed for the record (unittest -v shows it)."""
        print("    [%s] %s" % (self.id().rsplit(".", 1)[-1], text), file=sys.stderr)

    def assertClosesCleanly(self, desk, w):
        """Still running, Esc ends it with 0, and no sanitizer spoke."""
        self.assertIsNone(w.proc.poll(), "the widget ended: %s" % w.stderr())
        focused = w.wait_for(lambda: desk.run("xdotool", "getwindowfocus", check=False)
                             .strip() == str(w.window))
        self.assertTrue(focused, "the widget did not become the active window")
        desk.key("Escape")
        self.assertEqual(w.wait_exit(10), 0, w.stderr())
        err = w.stderr()
        for word in ("AddressSanitizer", "LeakSanitizer", "runtime error:"):
            self.assertNotIn(word, err)


def uniform_colour(img, rect, inset=0):
    """The one colour of a screen rectangle, or None when it holds more than one."""
    x, y, w, h = rect
    colours = {p for row in img.region(x + inset, y + inset, w - 2 * inset, h - 2 * inset)
               for p in row}
    return colours.pop() if len(colours) == 1 else None


def clock_lag(w):
    """How many seconds the seconds label is behind the real clock (negative: ahead)."""
    shown = w.text("标签_time1")
    real = time.localtime().tm_sec
    if not shown or not shown.isdigit():
        return None
    lag = (real - int(shown)) % 60
    return lag - 60 if lag > 30 else lag
