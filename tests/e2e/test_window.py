"""The main window on a real X server with openbox: place, frame, automation surface,
hover captions, tips, keys, dragging and the exit code."""

import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deskwatch_e2e import Desktop, binary  # noqa: E402

FACE = (223, 230, 240)  # 0xF0E6DF


def dark_pixels(img, rect):
    x, y, w, h = rect
    return sum(1 for row in img.region(x, y, w, h) for p in row if max(p) < 90)


class WindowTest(unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.start(self)
        self.w = self.desk.start_widget()

    def wait_active(self):
        ok = self.w.wait_for(lambda: self.desk.run("xdotool", "getwindowfocus", check=False)
                             .strip() == str(self.w.window))
        self.assertTrue(ok, "the widget did not become the active window")

    def test_window_is_centred_undecorated_shaped_and_off_the_taskbar(self):
        self.assertEqual(self.w.geometry(), ((1280 - 340) // 2, (1024 - 341) // 2, 340, 341))
        self.assertEqual(self.w.prop("_NET_FRAME_EXTENTS"), "0, 0, 0, 0")
        self.assertTrue(self.w.prop("_MOTIF_WM_HINTS").startswith("0x2, 0x0"))
        states = self.w.prop("_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", states)
        self.assertIn("_NET_WM_STATE_SKIP_PAGER", states)
        self.assertEqual(self.w.prop("WM_CLASS"), '"deskwatch", "deskwatch"'[1:-1])
        # The disc of the shape picture: 319 across, from (13, 16) of the outer rectangle.
        shape = self.desk.run("xwininfo", "-shape", "-id", str(self.w.window))
        extents = re.search(r"Window shape extents:\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)", shape)
        self.assertEqual(tuple(int(v) for v in extents.groups()), (319, 319, 13, 16))
        self.assertEqual(self.w.state(), {"refresh_minutes": 2, "transparency_level": 255,
                                          "weather_period_ms": 120000, "clock_period_ms": 1000,
                                          "alpha": "none"})
        self.assertIsNone(self.w.prop("_NET_WM_WINDOW_OPACITY"))
        # Outside the disc the screen behind shows; inside, the watch face.
        x, y, _, _ = self.w.geometry()
        img = self.desk.screenshot()
        self.assertNotEqual(img.pixel(x + 1, y + 1), (240, 240, 240))
        self.assertEqual(img.pixel(x + 170, y + 60), FACE)

    def test_layout_captions_show_until_the_first_tick(self):
        # Read at once after the window is mapped: the first tick comes about a second after
        # the clock timer got its period, before the window was shown.
        self.assertEqual(self.w.text("标签_time"), "11:11")
        self.assertEqual(self.w.text("标签_time1"), "59")
        self.assertEqual(self.w.text("标签_day"), "标签")
        self.assertEqual(self.w.text("标签_天气2"), "N°△\r\nN°△")
        self.assertEqual(self.w.text("超级按钮_时钟_增"), "天气↑")
        self.assertEqual(self.w.tip("超级按钮_时钟_减"), "降低时钟周期,当前:2分钟刷新一次")
        self.assertEqual(self.w.tip("超级按钮_透明度_增加"), "增加透明度")
        self.assertEqual(sorted(self.w.controls()), sorted([
            "超级按钮_时钟_增", "超级按钮_时钟_减", "图片框2", "标签_实时", "标签_天气2",
            "标签_天气1", "标签_day2", "标签_day1", "超级按钮_透明度_增加",
            "超级按钮_透明度_降低", "标签_time", "标签_time1", "标签_day", "图片框1"]))
        ticked = self.w.wait_for(lambda: re.fullmatch(r"\d\d:\d\d", self.w.text("标签_time")), 3)
        self.assertTrue(ticked, self.w.text("标签_time"))
        self.assertRegex(self.w.text("标签_time1"), r"^\d\d$")

    def test_hover_shows_the_caption_in_black_and_its_tip(self):
        self.wait_active()
        rect = self.w.control_rect("超级按钮_时钟_增")
        self.assertEqual(dark_pixels(self.desk.screenshot(), rect), 0)
        cx, cy = self.w.centre_of("超级按钮_时钟_增")
        self.desk.move_to(cx - 5, cy)
        self.desk.move_to(cx, cy)
        shown = self.w.wait_for(lambda: dark_pixels(self.desk.screenshot(), rect) > 20, 2)
        self.assertTrue(shown, "the caption did not show while pointed at")
        # After resting, the tip shows below and right of the pointer in tooltip colours.
        tip = self.w.wait_for(lambda: any(
            p == (255, 255, 225) for row in self.desk.screenshot().region(cx, cy + 15, 80, 30)
            for p in row), 3)
        self.assertTrue(tip, "no tip")
        # Leaving hides the caption and the tip.
        self.desk.move_to(cx + 150, cy - 120)
        hidden = self.w.wait_for(lambda: dark_pixels(self.desk.screenshot(), rect) == 0, 2)
        self.assertTrue(hidden, "the caption stayed after the pointer left")
        img = self.desk.screenshot()
        self.assertFalse(any(p == (255, 255, 225) for row in img.region(cx, cy + 15, 80, 30)
                             for p in row))
        self.assertTrue(all(p == FACE for row in img.region(*rect) for p in row))

    def test_escape_closes_with_exit_code_zero(self):
        self.wait_active()
        self.desk.key("Escape")
        self.assertEqual(self.w.wait_exit(10), 0, self.w.stderr())

    def test_closing_by_the_window_manager_exits_with_zero(self):
        # openbox's close (Alt+F4) sends WM_DELETE_WINDOW.
        self.wait_active()
        self.desk.key("alt+F4")
        # On a loaded machine openbox can miss the first chord; the widget's part is to exit
        # with 0 once the close request comes.
        for _ in range(3):
            if self.w.wait_for(lambda: self.w.proc.poll() is not None, timeout=3):
                break
            self.wait_active()
            self.desk.key("alt+F4")
        self.assertEqual(self.w.wait_exit(10), 0, self.w.stderr())

    def test_dragging_the_face_moves_the_window_a_button_does_not(self):
        self.wait_active()
        x0, y0, _, _ = self.w.geometry()
        bx, by = self.w.centre_of("超级按钮_透明度_增加")
        self.desk.drag(bx, by, 40, 30)
        self.assertEqual(self.w.geometry()[:2], (x0, y0))
        tx, ty = self.w.centre_of("标签_time")
        self.desk.drag(tx, ty, 40, 30)
        moved = self.w.wait_for(lambda: self.w.geometry()[:2] == (x0 + 40, y0 + 30), 3)
        self.assertTrue(moved, self.w.geometry())
        # The label got no click: its caption is still the clock's.
        self.assertRegex(self.w.text("标签_time"), r"^(11:11|\d\d:\d\d)$")

    def test_tab_cycles_the_tab_stops_and_enter_clicks_the_default_button(self):
        self.wait_active()
        self.assertEqual(self.w.focus(), "")
        order = ["超级按钮_时钟_增", "超级按钮_时钟_减", "超级按钮_透明度_增加",
                 "超级按钮_透明度_降低", "农历月历1", "超级按钮_时钟_增"]
        for name in order:
            self.desk.key("Tab")
            self.assertTrue(self.w.wait_for(lambda: self.w.focus() == name, 2),
                            "%s != %s" % (self.w.focus(), name))
        self.desk.key("shift+Tab")
        self.assertTrue(self.w.wait_for(lambda: self.w.focus() == "农历月历1", 2))
        self.desk.key("shift+Tab")
        self.assertTrue(self.w.wait_for(lambda: self.w.focus() == "超级按钮_透明度_降低", 2))
        # Enter clicks 天气↑ whatever has the focus, and the focus stays.
        self.desk.key("Return")
        self.assertTrue(self.w.wait_for(lambda: self.w.state()["refresh_minutes"] == 3, 3),
                        self.w.state())
        self.assertEqual(self.w.focus(), "超级按钮_透明度_降低")
        # Space clicks the focused button.
        self.desk.key("space")
        self.assertTrue(self.w.wait_for(lambda: self.w.state()["alpha"] == "230", 3),
                        self.w.state())
        self.assertEqual(self.w.state()["transparency_level"], 230)


class ClockTimerTest(unittest.TestCase):
    def test_every_second_shows_once_just_after_it_turns(self):
        desk = Desktop.start(self)
        w = desk.start_widget()
        w.wait_for(lambda: w.text("标签_time1") != "59" or None, 3)
        seen = []
        deadline = time.monotonic() + 6
        while time.monotonic() < deadline:
            value = w.text("标签_time1")
            now = time.time()
            if not seen or seen[-1][0] != value:
                seen.append((value, now))
            time.sleep(0.03)
        values = [int(v) for v, _ in seen if re.fullmatch(r"\d\d", v)]
        self.assertGreaterEqual(len(values), 5, seen)
        for a, b in zip(values, values[1:]):
            self.assertEqual(b, (a + 1) % 60, seen)
        # Each new value is the wall clock's second, seen soon after that second began.
        for v, at in seen[1:]:
            self.assertEqual(int(v), int(at) % 60, seen)
            self.assertLess(at % 1, 0.25, seen)


class NoWindowManagerTest(unittest.TestCase):
    def test_window_moves_by_its_own_grab_without_a_window_manager(self):
        desk = Desktop.start(self, wm=False)
        w = desk.start_widget()
        self.assertEqual(w.geometry(), ((1280 - 340) // 2, (1024 - 341) // 2, 340, 341))
        x0, y0, _, _ = w.geometry()
        tx, ty = w.centre_of("标签_time")
        desk.drag(tx, ty, 40, 30)
        moved = w.wait_for(lambda: w.geometry()[:2] == (x0 + 40, y0 + 30), 3)
        self.assertTrue(moved, w.geometry())
        bx, by = w.centre_of("超级按钮_时钟_减")
        desk.drag(bx, by, -50, 20)
        self.assertEqual(w.geometry()[:2], (x0 + 40, y0 + 30))


class StartFailureTest(unittest.TestCase):
    def test_no_display_is_a_message_and_exit_code_255(self):
        env = dict(os.environ, DISPLAY=":65000", DESKWATCH_SEARCH_HOST="127.0.0.1:9")
        r = subprocess.run([binary()], env=env, capture_output=True, timeout=30)
        self.assertEqual(r.returncode, 255)
        lines = r.stderr.decode().strip().splitlines()
        self.assertEqual(len(lines), 1, lines)
        self.assertIn("display", lines[0])


if __name__ == "__main__":
    unittest.main()
