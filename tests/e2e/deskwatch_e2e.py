"""End-to-end helpers: the real deskwatch binary on a private X display.

Reusable by every e2e test (window, clock, weather, adjust). A test does:

    import unittest
    from deskwatch_e2e import Desktop

    class MyTest(unittest.TestCase):
        def test_something(self):
            desk = Desktop.start(self)            # private Xvfb 1280x1024x24 -retro + openbox
            w = desk.start_widget()               # runs $DESKWATCH_BIN, waits for its window
            self.assertEqual(w.text("标签_time"), "11:11")
            desk.move_to(*w.centre_of("超级按钮_时钟_增"))
            img = desk.screenshot()               # the whole screen, RGB
            r, g, b = img.pixel(500, 400)
            desk.key("Escape")
            self.assertEqual(w.wait_exit(), 0)

Everything started is stopped by cleanups registered on the TestCase, also when the test
fails. Nothing here reaches beyond 127.0.0.1: start_widget points DESKWATCH_SEARCH_HOST at a
closed local port unless the test gives its own.

Desktop.start(test, wm=True)          private display; .display is ":N"
Desktop.run(*argv) / .tool(...)       run an X client on it (xprop, xdotool, ...) -> stdout
Desktop.start_widget(env=None, faketime=None, search_host="127.0.0.1:9", wait=True)
                                      faketime: a libfaketime start time such as "@2024-02-10 23:59:58"
Desktop.move_to(x, y), .press(button=1), .release(button=1), .click(x, y, button=1)
Desktop.drag(x0, y0, dx, dy)          left-button drag in small steps
Desktop.key(*names)                   xdotool key names: "Escape", "Return", "Tab", "shift+Tab"
Desktop.screenshot() -> Image         .pixel(x, y) -> (r, g, b), .region(x, y, w, h)
Widget.window                         the top-level window id (int)
Widget.geometry() -> (x, y, w, h)     on the root window
Widget.prop(name, window=None)        a UTF8_STRING / CARDINAL / ATOM property as text, None if absent
Widget.state() -> dict                _DESKWATCH_STATE parsed ("alpha" stays a string)
Widget.focus() -> str                 _DESKWATCH_FOCUS (layout name of the focused control)
Widget.controls() -> {name: id}       the control windows by layout name
Widget.text(name), .tip(name)         _DESKWATCH_TEXT / _DESKWATCH_TIP of a control
Widget.control_rect(name)             (x, y, w, h) on the root window; .centre_of(name)
Widget.wait_for(predicate, timeout)   polls until predicate() is truthy; returns its value
Widget.wait_exit(timeout) -> code     the process's exit code
Widget.stderr()                       what the widget wrote to stderr so far
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOOL_ENV = {"LC_ALL": "C.UTF-8"}


def _die_with_parent():
    """In the child before exec: its own session, and a SIGTERM when the test process dies,
    so nothing outlives a test runner that is killed (a ctest time-out)."""
    os.setsid()
    try:
        import ctypes
        ctypes.CDLL("libc.so.6", use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    except OSError:
        pass


def binary():
    path = os.environ.get("DESKWATCH_BIN")
    if not path or not os.access(path, os.X_OK):
        raise RuntimeError("DESKWATCH_BIN must name the deskwatch binary")
    return path


def _stop(proc, grace=3.0):
    if proc.poll() is not None:
        return
    try:
        proc.terminate()
        proc.wait(grace)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait(grace)


def _unescape(s):
    """Undo xprop's C-style escapes of a quoted string value."""
    out = bytearray()
    i = 0
    raw = s.encode("utf-8")
    while i < len(raw):
        c = raw[i]
        if c == 0x5C and i + 1 < len(raw):  # backslash
            n = chr(raw[i + 1])
            simple = {"n": 10, "r": 13, "t": 9, "\\": 92, '"': 34}
            if n in simple:
                out.append(simple[n])
                i += 2
                continue
            m = re.match(rb"[0-7]{1,3}", raw[i + 1:i + 4])
            if m:
                out.append(int(m.group(0), 8))
                i += 1 + len(m.group(0))
                continue
        out.append(c)
        i += 1
    return out.decode("utf-8", errors="replace")


class Image:
    """An RGB screenshot of the whole screen."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        o = (y * self.width + x) * 3
        return tuple(self.data[o:o + 3])

    def region(self, x, y, w, h):
        return [[self.pixel(x + i, y + j) for i in range(w)] for j in range(h)]

    def save_png(self, path, desk):
        desk.run("import", "-window", "root", path)


class Desktop:
    WIDTH, HEIGHT = 1280, 1024

    def __init__(self, test):
        self.test = test
        self.procs = []
        self.files = []
        self.display = None
        self.tmp = tempfile.mkdtemp(prefix="deskwatch-e2e-")
        test.addCleanup(self.stop)

    @classmethod
    def start(cls, test, wm=True):
        d = cls(test)
        d._start_xvfb()
        if wm:
            d._start_openbox()
        return d

    # -- processes ---------------------------------------------------------------
    def _spawn(self, argv, env=None, **kw):
        e = dict(os.environ)
        e.update(TOOL_ENV)
        if self.display:
            e["DISPLAY"] = self.display
        if env:
            e.update(env)
        p = subprocess.Popen(argv, env=e, preexec_fn=_die_with_parent, **kw)
        self.procs.append(p)
        return p

    def stop(self):
        for p in reversed(self.procs):
            _stop(p)
        self.procs.clear()
        for f in self.files:
            f.close()
        self.files.clear()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def _start_xvfb(self):
        r, w = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(w), "-screen", "0",
                     "%dx%dx24" % (self.WIDTH, self.HEIGHT), "-retro", "-nolisten", "tcp"],
                    pass_fds=(w,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(w)
        number = b""
        deadline = time.time() + 15
        while not number.endswith(b"\n") and time.time() < deadline:
            chunk = os.read(r, 16)
            if not chunk:
                break
            number += chunk
        os.close(r)
        if not number.strip():
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def _start_openbox(self):
        log = open(os.path.join(self.tmp, "openbox.log"), "w+b")
        self.files.append(log)
        for _ in range(3):
            wm = self._spawn(["openbox", "--sm-disable"], stdout=log, stderr=log)
            deadline = time.time() + 20
            while time.time() < deadline and wm.poll() is None:
                out = self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False)
                if "window id" in out:
                    return
                time.sleep(0.05)
            _stop(wm)
        log.seek(0)
        raise RuntimeError("openbox did not start: " + log.read().decode(errors="replace"))

    def run(self, *argv, check=True, input=None):
        e = dict(os.environ)
        e.update(TOOL_ENV)
        e["DISPLAY"] = self.display
        r = subprocess.run(argv, env=e, capture_output=True, input=input, timeout=30)
        if check and r.returncode != 0:
            raise RuntimeError("%s failed: %s" % (argv[0], r.stderr.decode(errors="replace")))
        return r.stdout.decode("utf-8", errors="replace")

    tool = run

    # -- the widget --------------------------------------------------------------
    def start_widget(self, env=None, faketime=None, search_host="127.0.0.1:9", wait=True,
                     timeout=20):
        e = {"DESKWATCH_SEARCH_HOST": search_host,
             "XDG_STATE_HOME": os.path.join(self.tmp, "state"),
             "LSAN_OPTIONS": "suppressions=%s:print_suppressions=0"
                             % os.path.join(HERE, "lsan.supp")}
        if faketime:
            lib = "/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1"
            e.update({"LD_PRELOAD": lib, "FAKETIME": faketime, "DONT_FAKE_MONOTONIC": "1",
                      "FAKETIME_DONT_RESET": "1"})
        if env:
            e.update(env)
        err = open(os.path.join(self.tmp, "widget-%d.err" % len(self.procs)), "w+b")
        self.files.append(err)
        started = time.monotonic()
        proc = self._spawn([binary()], env=e, stdout=subprocess.DEVNULL, stderr=err)
        w = Widget(self, proc, err, started)
        if wait:
            w.wait_mapped(timeout)
        return w

    # -- input -------------------------------------------------------------------
    def move_to(self, x, y):
        self.run("xdotool", "mousemove", "--sync", str(x), str(y))

    def press(self, button=1):
        self.run("xdotool", "mousedown", str(button))

    def release(self, button=1):
        self.run("xdotool", "mouseup", str(button))

    def click(self, x, y, button=1):
        self.move_to(x, y)
        self.run("xdotool", "click", str(button))

    def drag(self, x0, y0, dx, dy, steps=8):
        self.move_to(x0, y0)
        self.press(1)
        time.sleep(0.1)
        for i in range(1, steps + 1):
            self.run("xdotool", "mousemove", str(x0 + dx * i // steps), str(y0 + dy * i // steps))
            time.sleep(0.03)
        time.sleep(0.1)
        self.release(1)
        time.sleep(0.2)

    def key(self, *names):
        for n in names:
            self.run("xdotool", "key", n)

    def screenshot(self):
        out = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                             env=dict(os.environ, DISPLAY=self.display, **TOOL_ENV),
                             capture_output=True, timeout=30, check=True).stdout
        return Image(self.WIDTH, self.HEIGHT, out)


class Widget:
    def __init__(self, desk, proc, err, started):
        self.desk, self.proc, self._err, self.started = desk, proc, err, started
        self.window = None
        self.mapped_after = None
        self._controls = None

    def _find_window(self):
        out = self.desk.run("xdotool", "search", "--classname", "^deskwatch$", check=False)
        ids = [int(x) for x in out.split()]
        return ids[0] if ids else None

    def wait_mapped(self, timeout=20):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                raise RuntimeError("deskwatch exited with %d: %s" % (self.proc.returncode,
                                                                    self.stderr()))
            w = self._find_window()
            if w and "IsViewable" in self.desk.run("xwininfo", "-id", str(w), check=False):
                self.window = w
                self.mapped_after = time.monotonic() - self.started
                return w
            time.sleep(0.02)
        raise RuntimeError("the deskwatch window did not appear")

    def stderr(self):
        self._err.flush()
        self._err.seek(0)
        return self._err.read().decode("utf-8", errors="replace")

    def wait_exit(self, timeout=10):
        return self.proc.wait(timeout)

    def geometry(self):
        out = self.desk.run("xwininfo", "-id", str(self.window))
        g = {k: int(v) for k, v in re.findall(
            r"(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", out)}
        return (g["Absolute upper-left X"], g["Absolute upper-left Y"], g["Width"], g["Height"])

    def prop(self, name, window=None):
        out = self.desk.run("xprop", "-id", str(window or self.window), name, check=False)
        m = re.match(r"^[^(=]*\([^)]*\)\s*=\s*(.*)$", out.strip(), re.S)
        if not m:
            return None
        value = m.group(1)
        if value.startswith('"') and value.endswith('"'):
            return _unescape(value[1:-1])
        return value

    def state(self):
        s = self.prop("_DESKWATCH_STATE")
        if s is None:
            return None
        d = {}
        for part in s.split():
            k, _, v = part.partition("=")
            d[k] = v if k == "alpha" else int(v)
        return d

    def focus(self):
        return self.prop("_DESKWATCH_FOCUS")

    def controls(self):
        if self._controls is None:
            out = self.desk.run("xwininfo", "-children", "-id", str(self.window))
            found = {}
            for wid in re.findall(r"^\s+(0x[0-9a-f]+)\s", out, re.M):
                name = self.prop("_NET_WM_NAME", int(wid, 16))
                if name:
                    found[name] = int(wid, 16)
            self._controls = found
        return self._controls

    def text(self, name):
        return self.prop("_DESKWATCH_TEXT", self.controls()[name])

    def tip(self, name):
        return self.prop("_DESKWATCH_TIP", self.controls()[name])

    def control_rect(self, name):
        out = self.desk.run("xwininfo", "-id", str(self.controls()[name]))
        g = {k: int(v) for k, v in re.findall(
            r"(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)", out)}
        return (g["Absolute upper-left X"], g["Absolute upper-left Y"], g["Width"], g["Height"])

    def centre_of(self, name):
        x, y, w, h = self.control_rect(name)
        return (x + w // 2, y + h // 2)

    def wait_for(self, predicate, timeout=5.0, interval=0.05):
        deadline = time.monotonic() + timeout
        value = predicate()
        while not value and time.monotonic() < deadline:
            time.sleep(interval)
            value = predicate()
        return value
