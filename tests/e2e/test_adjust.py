"""The four buttons with real clicks: the refresh period, its captions and tips, the weather
timer, Enter as a click on 天气↑, and the window's alpha on the top-level."""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deskwatch_e2e import Desktop  # noqa: E402

DOWN, UP = "超级按钮_时钟_减", "超级按钮_时钟_增"
ALPHA_DOWN, ALPHA_UP = "超级按钮_透明度_降低", "超级按钮_透明度_增加"


class AdjustTest(unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.start(self)
        self.w = self.desk.start_widget()

    def click(self, name):
        # "mousemove --sync" waits for a motion that never comes when the pointer is
        # already there, so a repeated click on the same button only clicks.
        where = self.w.centre_of(name)
        if where != getattr(self, "pointer", None):
            self.desk.move_to(*where)
            self.pointer = where
        self.desk.run("xdotool", "click", "1")

    def wait_state(self, **expected):
        def matches():
            s = self.w.state()
            return all(s.get(k) == v for k, v in expected.items())
        ok = self.w.wait_for(matches, timeout=5)
        self.assertTrue(ok, "state %s, wanted %s" % (self.w.state(), expected))

    def test_refresh_period_buttons_and_enter(self):
        self.wait_state(refresh_minutes=2, weather_period_ms=120000)
        self.click(DOWN)
        self.wait_state(refresh_minutes=1, weather_period_ms=60000)
        self.assertEqual(self.w.text(DOWN), "1分")
        self.assertEqual(self.w.text(UP), "1分")
        self.assertEqual(self.w.tip(DOWN), "降低时钟周期,当前:1分钟刷新一次")
        self.assertEqual(self.w.tip(UP), "增加时钟周期,当前:1分钟刷新一次")

        self.click(DOWN)  # the lower end: a beep, nothing else moves
        self.click(UP)
        self.wait_state(refresh_minutes=2, weather_period_ms=120000)
        self.click(UP)
        self.wait_state(refresh_minutes=3, weather_period_ms=180000)
        self.assertEqual(self.w.text(DOWN), "3分")
        self.assertEqual(self.w.tip(DOWN), "降低时钟周期,当前:3分钟刷新一次")

        # Enter clicks 天气↑ whatever has the focus, here the transparency button just clicked.
        self.click(ALPHA_UP)  # at 255 already: changes nothing, but takes the focus
        self.w.wait_for(lambda: self.w.focus() == ALPHA_UP)
        self.assertEqual(self.w.focus(), ALPHA_UP)
        self.desk.key("Return")
        self.wait_state(refresh_minutes=4, weather_period_ms=240000, transparency_level=255,
                        alpha="none")

    def test_transparency_buttons_set_the_window_opacity(self):
        self.assertIsNone(self.w.prop("_NET_WM_WINDOW_OPACITY"))
        self.click(ALPHA_UP)  # would leave the range: no alpha turned on
        self.click(ALPHA_DOWN)
        self.wait_state(transparency_level=230, alpha="230")
        self.assertEqual(int(self.w.prop("_NET_WM_WINDOW_OPACITY")), 0xE6E6E6E6)
        self.click(ALPHA_UP)
        self.wait_state(transparency_level=255, alpha="255")
        self.assertEqual(int(self.w.prop("_NET_WM_WINDOW_OPACITY")), 0xFFFFFFFF)
        for _ in range(10):
            self.click(ALPHA_DOWN)
        self.wait_state(transparency_level=30, alpha="30")
        self.assertEqual(int(self.w.prop("_NET_WM_WINDOW_OPACITY")), 30 * 0x01010101)


if __name__ == "__main__":
    unittest.main()
