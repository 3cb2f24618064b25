"""The installed program: `cmake --install` of this build into a temporary prefix, then what
a desktop sees of it. Uses the e2e helpers of tests/e2e for the private X display."""

import configparser
import filecmp
import gzip
import os
import shlex
import shutil
import stat
import struct
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.environ.get("DESKWATCH_SOURCE_DIR", os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
from deskwatch_e2e import Desktop  # noqa: E402

BUILD = os.environ.get("DESKWATCH_BUILD_DIR")
VERSION = os.environ.get("DESKWATCH_VERSION")
ENV = dict(os.environ, LC_ALL="C.UTF-8")


def setUpModule():
    global PREFIX, TMP
    if not BUILD:
        raise unittest.SkipTest("DESKWATCH_BUILD_DIR names the build to install")
    TMP = tempfile.mkdtemp(prefix="deskwatch-install-")
    PREFIX = os.path.join(TMP, "prefix")
    r = subprocess.run(["cmake", "--install", BUILD, "--prefix", PREFIX], capture_output=True,
                       text=True, timeout=120)
    if r.returncode != 0:
        raise RuntimeError("cmake --install failed:\n" + r.stdout + r.stderr)


def tearDownModule():
    shutil.rmtree(TMP, ignore_errors=True)


def installed(*parts):
    return os.path.join(PREFIX, *parts)


def desktop_entry(path):
    parser = configparser.RawConfigParser(interpolation=None)
    parser.optionxform = str  # keys are case-sensitive
    parser.read(path, encoding="utf-8")
    return parser["Desktop Entry"]


class InstalledFiles(unittest.TestCase):
    def test_tree_holds_every_file_with_its_mode(self):
        expected = {
            "bin/deskwatch": 0o755,
            "bin/deskwatch-calendar": 0o755,
            "share/deskwatch/fonts.conf": 0o644,
            "share/deskwatch/deskwatch-autostart.desktop": 0o644,
            "share/applications/deskwatch.desktop": 0o644,
            "share/icons/hicolor/scalable/apps/deskwatch.svg": 0o644,
            "share/icons/hicolor/48x48/apps/deskwatch.png": 0o644,
            "share/man/man1/deskwatch.1.gz": 0o644,
            "share/man/man1/deskwatch-calendar.1.gz": 0o644,
            "share/doc/deskwatch/copyright": 0o644,
            "share/doc/deskwatch/changelog.Debian.gz": 0o644,
        }
        for rel, mode in expected.items():
            with self.subTest(rel):
                self.assertEqual(stat.S_IMODE(os.stat(installed(rel)).st_mode), mode)
        with open(installed("share/icons/hicolor/48x48/apps/deskwatch.png"), "rb") as f:
            head = f.read(24)
        self.assertEqual(head[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", head[16:24]), (48, 48))
        self.assertTrue(filecmp.cmp(installed("share/deskwatch/fonts.conf"),
                                    os.path.join(SOURCE, "src/app/fonts.conf"), shallow=False))

    def test_menu_and_autostart_entries(self):
        for rel in ("share/applications/deskwatch.desktop",
                    "share/deskwatch/deskwatch-autostart.desktop"):
            with self.subTest(rel):
                if shutil.which("desktop-file-validate"):
                    r = subprocess.run(["desktop-file-validate", installed(rel)],
                                       capture_output=True, text=True)
                    self.assertEqual((r.returncode, r.stdout + r.stderr), (0, ""))
                entry = desktop_entry(installed(rel))
                self.assertEqual(entry["Type"], "Application")
                self.assertEqual(shlex.split(entry["Exec"])[0], "deskwatch")
                self.assertEqual(entry["Icon"], "deskwatch")
        menu = desktop_entry(installed("share/applications/deskwatch.desktop"))
        self.assertEqual(menu["Categories"], "Utility;Clock;")
        self.assertEqual(menu["StartupWMClass"], "deskwatch")
        self.assertIn("Comment[zh_CN]", menu)

    def test_manual_pages_render_cleanly(self):
        for page, must in (("deskwatch.1.gz", ["DESKWATCH_SEARCH_HOST", "DESKWATCH_CA_FILE",
                                               "DESKWATCH_INSECURE_TLS", "XDG_STATE_HOME",
                                               "cookies.txt", "Esc"]),
                           ("deskwatch-calendar.1.gz", ["YYYY-MM-DD", "闰六月"])):
            with self.subTest(page):
                path = installed("share/man/man1", page)
                with gzip.open(path, "rb") as f:
                    self.assertTrue(f.read().startswith(b".\\\""))
                r = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", path],
                                   capture_output=True, env=dict(ENV, MANWIDTH="80"),
                                   timeout=60)
                self.assertEqual(r.returncode, 0)
                self.assertEqual(r.stderr.decode(), "")
                text = r.stdout.decode()
                for word in must:
                    self.assertIn(word, text)

    def test_font_mapping_resolves_the_layout_faces(self):
        # The system configuration plus the installed snippet, the user's own left out.
        conf = os.path.join(TMP, "fonts-check.conf")
        with open(conf, "w") as f:
            f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">\n'
                    "<fontconfig>\n  <include>/etc/fonts/fonts.conf</include>\n"
                    "  <include>%s</include>\n</fontconfig>\n"
                    % installed("share/deskwatch/fonts.conf"))
        env = dict(ENV, FONTCONFIG_FILE=conf, HOME=TMP)
        for face, family in (("LcdD", "DSEG7 Classic"), ("黑体", "WenQuanYi Zen Hei"),
                             ("deskwatch\\-sans", "WenQuanYi Zen Hei")):  # '-' escaped
            with self.subTest(face):
                r = subprocess.run(["fc-match", "-f", "%{family}", face], capture_output=True,
                                   env=env, timeout=60)
                self.assertEqual(r.returncode, 0)
                self.assertIn(family, r.stdout.decode().split(","))
        # Without the snippet the LCD face is not found: the check above means something.
        r = subprocess.run(["fc-match", "-f", "%{family}", "LcdD"], capture_output=True,
                           env=dict(ENV, HOME=TMP), timeout=60)
        self.assertNotIn("DSEG7 Classic", r.stdout.decode())

    def test_app_icon_is_what_the_generator_draws(self):
        tool = os.environ.get("DESKWATCH_APP_ICON")
        if not tool:
            self.skipTest("DESKWATCH_APP_ICON names the icon generator")
        out = os.path.join(TMP, "icon-check")
        os.makedirs(out, exist_ok=True)
        subprocess.run([tool, out], check=True, capture_output=True, timeout=60)
        for name in ("deskwatch.svg", "deskwatch.png"):
            with self.subTest(name):
                self.assertTrue(filecmp.cmp(os.path.join(out, name),
                                            os.path.join(SOURCE, "packaging/icons", name),
                                            shallow=False),
                                "packaging/icons/%s is stale: run deskwatch-app-icon "
                                "packaging/icons" % name)


class CommandLine(unittest.TestCase):
    def run_installed(self, *argv):
        return subprocess.run([installed("bin", argv[0])] + list(argv[1:]), capture_output=True,
                              env={"PATH": "/usr/bin:/bin", "LC_ALL": "C.UTF-8"}, timeout=30)

    def test_help_and_version_print_to_stdout_and_exit_0(self):
        # No DISPLAY at all: these never touch the X server.
        r = self.run_installed("deskwatch", "--version")
        self.assertEqual((r.returncode, r.stdout.decode(), r.stderr), (0, "deskwatch %s\n" % VERSION, b""))
        r = self.run_installed("deskwatch", "ignored", "--help", "--version")
        self.assertEqual((r.returncode, r.stderr), (0, b""))
        help_text = r.stdout.decode()
        self.assertTrue(help_text.startswith("Usage: deskwatch"))
        for name in ("DESKWATCH_SEARCH_HOST", "DESKWATCH_CA_FILE", "DESKWATCH_INSECURE_TLS",
                     "XDG_STATE_HOME"):
            self.assertIn(name, help_text)

    def test_calendar_command_runs_from_the_tree(self):
        r = self.run_installed("deskwatch-calendar", "2025-01-29")
        self.assertEqual((r.returncode, r.stdout.decode()), (0, "2025-01-29\t正月\t初一\t3\n"))


class OnTheDesktop(unittest.TestCase):
    """The menu entry's command on a private display with openbox."""

    def setUp(self):
        self.desk = Desktop.start(self)
        exec0 = shlex.split(desktop_entry(installed("share/applications/deskwatch.desktop"))
                            ["Exec"])[0]
        # The menu runs Exec through PATH, where the installed bin/ comes first.
        self.program = shutil.which(exec0, path=installed("bin"))
        self.assertIsNotNone(self.program)
        os.environ["DESKWATCH_BIN"] = self.program

    def widgets(self):
        out = self.desk.run("xdotool", "search", "--class", "^deskwatch$", check=False)
        return [int(x) for x in out.split()]

    def active(self):
        out = self.desk.run("xprop", "-root", "_NET_ACTIVE_WINDOW")
        return int(out.split("#")[-1].split(",")[0].strip(), 16)

    def top_client(self):
        out = self.desk.run("xprop", "-root", "_NET_CLIENT_LIST_STACKING")
        return int(out.split("#")[-1].split(",")[-1].strip(), 16)

    def start_again(self):
        started = time.monotonic()
        r = subprocess.run([self.program], capture_output=True, timeout=20,
                           env=dict(ENV, DISPLAY=self.desk.display,
                                    DESKWATCH_SEARCH_HOST="127.0.0.1:9",
                                    XDG_STATE_HOME=os.path.join(self.desk.tmp, "state"),
                                    LSAN_OPTIONS="suppressions=%s" % os.path.join(
                                        SOURCE, "tests/e2e/lsan.supp")))
        return r, time.monotonic() - started

    def test_second_start_raises_the_running_widget_and_exits_0(self):
        w = self.desk.start_widget()
        self.assertEqual(self.widgets(), [w.window])
        self.assertEqual(w.prop("WM_CLASS"), 'deskwatch", "deskwatch')

        # Another window covers the widget and takes the focus.
        x, y, _, _ = w.geometry()
        self.desk._spawn(["xlogo", "-geometry", "400x400+%d+%d" % (x - 30, y - 30)],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        other = w.wait_for(lambda: self.desk.run("xdotool", "search", "--class", "^XLogo$",
                                                 check=False).split(), timeout=10)
        self.assertTrue(other, "xlogo did not appear")
        self.assertTrue(w.wait_for(lambda: self.active() != w.window and
                                   self.top_client() != w.window, timeout=10))

        r, seconds = self.start_again()
        self.assertEqual(r.returncode, 0, r.stderr.decode())
        self.assertLess(seconds, 10)  # it does not wait for a window of its own
        self.assertTrue(w.wait_for(lambda: self.active() == w.window, timeout=5),
                        "the running widget was not activated")
        self.assertEqual(self.top_client(), w.window)
        self.assertEqual(self.widgets(), [w.window])
        self.assertIsNone(w.proc.poll())

        # Closing the widget gives the display up: the next start is a widget of its own.
        self.desk.key("Escape")
        self.assertEqual(w.wait_exit(), 0)
        w2 = self.desk.start_widget()
        self.assertEqual(self.widgets(), [w2.window])
        self.assertIsNone(w2.proc.poll())

    def test_two_starts_at_once_give_one_widget(self):
        first = self.desk.start_widget(wait=False)
        second = self.desk.start_widget(wait=False)
        # One of the two leaves at once with 0; the other shows the widget.
        deadline = time.monotonic() + 20
        while first.proc.poll() is None and second.proc.poll() is None:
            self.assertLess(time.monotonic(), deadline, "neither start ended")
            time.sleep(0.05)
        ended, running = (first, second) if first.proc.poll() is not None else (second, first)
        self.assertEqual(ended.proc.returncode, 0, ended.stderr())
        running.wait_mapped()
        time.sleep(0.5)
        self.assertEqual(self.widgets(), [running.window])
        self.assertIsNone(running.proc.poll())


if __name__ == "__main__":
    unittest.main()
