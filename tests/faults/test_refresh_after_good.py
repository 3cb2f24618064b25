"""A good refresh first, then a faulty one. The second refresh comes one minute after a click
on 天气↓ (the shortest period), so each case takes a little over a minute.

- stalled: the weather labels keep the good weather, the clock falls behind by no more than
  the stall time-out and catches up, and the widget stays small;
- a page whose title runs over 100 000 start markers: the captions already on screen are
  laid out anew with megabytes of text, and the clock must not stand still for it.
"""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faults_support import (NORMAL_WEATHER, STALL, Checks, Desktop, FaultServer,  # noqa: E402
                            clock_lag, normal_page)

DOWN = "超级按钮_时钟_减"


TITLE = "<span class=\"op_weather4_twoicon_shishi_title\">"


class RefreshAfterGoodTest(Checks, unittest.TestCase):
    def good_then_one_minute(self):
        desk = Desktop.start(self)
        srv = FaultServer.start(self, desk.tmp)
        w = desk.start_widget(search_host=srv.host(), env=srv.widget_env())
        self.assertWeather(w, NORMAL_WEATHER)
        self.assertEqual(len(srv.gets()), 2)
        # Past the first tick: until then the seconds label shows the layout's "59".
        self.assertTrue(w.wait_for(lambda: abs(clock_lag(w)) <= 1, 3))
        desk.click(*w.centre_of(DOWN))
        self.assertTrue(w.wait_for(lambda: w.state()["weather_period_ms"] == 60000, 5),
                        w.state())
        return desk, srv, w, time.monotonic()

    def watch_next_refresh(self, srv, w, clicked, settle):
        """The clock's worst lag behind the real clock from the click until `settle` seconds
        after the next page request; and when that request came."""
        worst = 0
        requested = None
        deadline = clicked + 80
        while time.monotonic() < deadline:
            lag = clock_lag(w)
            if lag is not None:
                worst = max(worst, lag)
            if requested is None and len(srv.gets()) > 2:
                requested = time.monotonic()
            if requested and time.monotonic() > requested + settle:
                break
            time.sleep(0.1)
        self.assertIsNotNone(requested, "no refresh within 80 s of the click")
        self.assertGreater(requested - clicked, 55)
        return worst

    def test_page_of_start_markers_after_a_good_page(self):
        desk, srv, w, clicked = self.good_then_one_minute()
        srv.set_page(normal_page().replace(TITLE, TITLE * 100000, 1))
        worst = self.watch_next_refresh(srv, w, clicked, 4)
        self.figure("clock at most %d s behind the real clock" % worst)
        self.assertLessEqual(worst, 3, "the clock fell %d s behind" % worst)
        self.assertTrue(w.wait_for(lambda: len(w.text("标签_天气1")) > 100000, 5))
        self.assertClockMoves(w, 2)
        self.assertMemoryBounded(w, 120)
        self.assertClosesCleanly(desk, w)

    def test_stalled_refresh_keeps_the_last_good_weather(self):
        desk, srv, w, clicked = self.good_then_one_minute()
        srv.set_mode("stall")

        # The clock may stand still while the exchange blocks, but never longer than the
        # stall time-out.
        worst = self.watch_next_refresh(srv, w, clicked, STALL + 3)
        self.figure("clock at most %d s behind the real clock" % worst)
        self.assertLessEqual(worst, STALL + 1, "the clock fell %d s behind" % worst)
        self.assertGreaterEqual(worst, STALL - 1, "the refresh did not block as expected")
        self.assertLessEqual(abs(clock_lag(w)), 1)

        self.assertWeather(w, NORMAL_WEATHER)
        self.assertEqual(len(srv.gets()), 3)  # no icon request after the failed page
        self.assertMemoryBounded(w, 80)
        self.assertClosesCleanly(desk, w)


if __name__ == "__main__":
    unittest.main()
