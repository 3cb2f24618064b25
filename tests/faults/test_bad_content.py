"""Bad content at the first weather refresh: pages with malformed UTF-8, NUL bytes or a flood
of start markers, and icons that claim absurd sizes or end early. The exchange succeeds, so
the labels take what the page reading gives; the widget must stay up, responsive and small,
and an icon that does not decode leaves its box in its background colour.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faults_support import (CONNECT, NORMAL_WEATHER, Checks, Desktop, FaultServer,  # noqa: E402
                            closed_port, normal_page, uniform_colour)

RSS_LIMIT_MB = 80
TITLE = "<span class=\"op_weather4_twoicon_shishi_title\">"
RED, BLUE = (0xD0, 0x20, 0x20), (0x20, 0x40, 0xD0)


def near(a, b, tolerance=40):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


class BadContentTest(Checks, unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.start(self)

    def show(self, page, icon="/good.gif", mapped_within=CONNECT):
        srv = FaultServer.start(self, self.desk.tmp, "server%d" % len(self.desk.procs))
        srv.set_page(page, icon)
        w = self.desk.start_widget(search_host=srv.host(), env=srv.widget_env())
        self.assertMappedWithin(w, mapped_within)
        self.assertClockMoves(w)
        self.assertMemoryBounded(w, RSS_LIMIT_MB)
        return srv, w

    def finish(self, w):
        self.assertClosesCleanly(self.desk, w)

    def test_malformed_utf8_and_nul_bytes(self):
        page = normal_page().encode("utf-8")
        cases = [
            # A stray byte, an overlong slash, a lone continuation: one "?" per maximal part.
            ("malformed title",
             page.replace(b">7\xe2\x84\x83</span>", b">\xff7\xc0\xaf\xe2\x84\x83</span>"),
             dict(NORMAL_WEATHER, 标签_天气1="?7??℃")),
            # A character beyond the basic plane has no GBK form: two "?".
            ("astral subtitle",
             page.replace("晴 多云 (实时)".encode(), "晴 \U0001F600 (实时)".encode()),
             dict(NORMAL_WEATHER, 标签_实时="晴??")),
            # A NUL ends the page: the real-time fields after it are missing, the others stay.
            ("NUL before the real-time fields",
             page.replace(b"<div class=\"op_weather4_twoicon_realtime\">",
                          b"\x00<div class=\"op_weather4_twoicon_realtime\">"),
             dict(NORMAL_WEATHER, 标签_天气1="", 标签_实时="")),
        ]
        for name, body, expected in cases:
            with self.subTest(name):
                srv, w = self.show(body)
                self.assertWeather(w, expected)
                self.finish(w)

    def test_a_flood_of_start_markers(self):
        flood = TITLE * 100000
        # Nothing but start markers: no end marker follows, every field is empty.
        with self.subTest("markers only"):
            srv, w = self.show(flood)
            self.assertWeather(w, {"标签_天气1": "", "标签_实时": "", "标签_天气2": ""})
            self.assertEqual(len(srv.gets()), 1)  # an empty icon URL reaches no server
            self.finish(w)
        # Before a real page: the title runs from the first marker to the first end marker,
        # a caption of several megabytes that the label must draw without stalling the clock.
        with self.subTest("markers before the real title"):
            srv, w = self.show(normal_page().replace(TITLE, flood + TITLE, 1))
            # (xprop reads only the head of so long a property.)
            title = w.text("标签_天气1")
            self.assertTrue(title.startswith("<spanclass='op_weather4_twoicon_shishi_title'>"),
                            title[:60])
            self.assertGreater(len(title), 100000)
            self.assertWeather(w, {"标签_实时": "晴多云", "标签_天气2": "3°△\r\n-5°▽"})
            self.finish(w)

    def icon_colours(self, icon):
        srv, w = self.show(normal_page(), icon)
        self.assertWeather(w, NORMAL_WEATHER)
        self.assertIn("GET %s HTTP/1.1" % icon, srv.gets())
        rect = w.control_rect("图片框2")
        img = self.desk.screenshot()
        x, y, bw, bh = rect
        result = (uniform_colour(img, rect), img.pixel(x + 3, y + bh // 2),
                  img.pixel(x + bw - 3, y + bh // 2))
        self.finish(w)
        return result

    def test_icons_that_do_not_decode_leave_the_background(self):
        # The box as the layout leaves it: no refresh reached the icon.
        w = self.desk.start_widget(search_host="127.0.0.1:%d" % closed_port())
        background = uniform_colour(self.desk.screenshot(), w.control_rect("图片框2"))
        self.assertIsNotNone(background)
        self.finish(w)
        # A good icon shows (blue left, red right), so the box does show what decodes.
        uniform, left, right = self.icon_colours("/good.gif")
        self.assertIsNone(uniform)
        self.assertTrue(near(left, BLUE) and near(right, RED), (left, right))
        for icon in ("/giant.png",          # header: 100000 x 100000
                     "/giant.bmp",          # header: 100000 x 100000
                     "/truncated.gif",      # ends inside the first frame's data
                     "/huge?mb=40&chunked=1"):  # past the body cap, no length announced
            with self.subTest(icon):
                uniform, _, _ = self.icon_colours(icon)
                self.assertEqual(uniform, background)


if __name__ == "__main__":
    unittest.main()
