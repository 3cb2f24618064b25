"""The weather of a local HTTPS server on the real widget: captions, the icon on screen,
the two requests, the verification page, and a server that is down at start."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deskwatch_e2e import Desktop  # noqa: E402
from weather_server import WeatherServer  # noqa: E402

FACE = (223, 230, 240)
SUN = (0xF5, 0xA6, 0x23)


def near(a, b, tolerance=40):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


class WeatherTest(unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.start(self)

    def test_normal_page_is_shown_with_its_icon(self):
        srv = WeatherServer.start(self, self.desk.tmp, "normal.html")
        w = self.desk.start_widget(**srv.widget_args())
        self.assertEqual(w.text("标签_天气1"), "7℃")
        self.assertEqual(w.text("标签_实时"), "晴多云")
        self.assertEqual(w.text("标签_天气2"), "3°△\r\n-5°▽")
        reqs = srv.requests()
        self.assertEqual(len(reqs), 2, reqs)
        self.assertTrue(reqs[0].startswith("GET /s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8 HTTP/1.1\r\n"))
        self.assertIn("\r\nReferer: %s\r\nAccept-Language: zh-cn\r\n"
                      % srv.url("/s?wd=%E5%A4%A9%E6%B0%94&ie=UTF-8"), reqs[0])
        self.assertTrue(reqs[1].startswith("GET /sun.png HTTP/1.1\r\n"))
        self.assertIn("\r\nAccept: */*\r\nReferer: %s\r\nAccept-Language: zh-cn\r\n"
                      % srv.url("/sun.png"), reqs[1])
        # The icon: the sun in the middle of its box, the face colour where it is transparent.
        x, y, bw, bh = w.control_rect("图片框2")
        img = self.desk.screenshot()
        self.assertTrue(near(img.pixel(x + bw // 2, y + bh // 2), SUN),
                        img.pixel(x + bw // 2, y + bh // 2))
        self.assertEqual(img.pixel(x, y), FACE)

    def icon_centre(self, w):
        x, y, bw, bh = w.control_rect("图片框2")
        return self.desk.screenshot().pixel(x + bw // 2, y + bh // 2)

    def test_jpeg_icon_is_shown(self):
        srv = WeatherServer.start(self, self.desk.tmp, "normal.html", icon="/rain.jpg")
        w = self.desk.start_widget(**srv.widget_args())
        self.assertTrue(near(self.icon_centre(w), (0x20, 0x60, 0xD0), 12), self.icon_centre(w))

    def test_animated_gif_icon_plays(self):
        # Two frames of 200 ms: red, then green.
        srv = WeatherServer.start(self, self.desk.tmp, "normal.html", icon="/blink.gif")
        w = self.desk.start_widget(**srv.widget_args())
        seen = set()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline and len(seen) < 2:
            p = self.icon_centre(w)
            if near(p, (0xD0, 0x20, 0x20), 12):
                seen.add("red")
            elif near(p, (0x20, 0xA0, 0x40), 12):
                seen.add("green")
            time.sleep(0.05)
        self.assertEqual(seen, {"red", "green"})

    def test_verification_page_changes_nothing_and_fetches_no_icon(self):
        srv = WeatherServer.start(self, self.desk.tmp, "verification.html")
        w = self.desk.start_widget(**srv.widget_args())
        self.assertEqual(w.text("标签_天气1"), "NN℃")
        self.assertEqual(w.text("标签_实时"), "NNNN")
        self.assertEqual(len(srv.requests()), 1)

    def test_server_down_at_start_still_shows_the_window_promptly(self):
        srv = WeatherServer.start(self, self.desk.tmp, "normal.html")
        srv.set_mode("down")
        started = time.monotonic()
        w = self.desk.start_widget(**srv.widget_args())
        self.assertLess(time.monotonic() - started, 5)
        self.assertEqual(w.text("标签_天气1"), "NN℃")
        self.assertEqual(w.text("标签_天气2"), "N°△\r\nN°△")
        # The clock runs regardless.
        self.assertTrue(w.wait_for(lambda: w.text("标签_time") != "11:11", timeout=5))


if __name__ == "__main__":
    unittest.main()
