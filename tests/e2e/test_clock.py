"""The clock labels of the real widget under libfaketime: the turn into the lunar New Year
2027 (2027-02-06) at midnight, and a seconds label that shows every second once, in order."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from deskwatch_e2e import Desktop  # noqa: E402

EVE = "腊月廿九\r\n\r\n周五 02-05\r\n"
NEW_YEAR = "正月初一\r\n\r\n周六 02-06\r\n"


def dark_pixels(img, rect):
    x, y, w, h = rect
    return [p for row in img.region(x, y, w, h) for p in row if max(p) < 90]


class ClockTest(unittest.TestCase):
    def start(self, faketime):
        self.desk = Desktop.start(self)
        # A fixed zone, so the fake start time is the local time the widget reads. In a
        # sanitizer build the preloaded libfaketime comes before the ASan runtime.
        asan = os.environ.get("ASAN_OPTIONS", "")
        env = {"TZ": "UTC", "ASAN_OPTIONS": (asan + ":" if asan else "") +
               "verify_asan_link_order=0"}
        return self.desk.start_widget(env=env, faketime=faketime)

    def test_lunar_names_and_weekday_turn_at_midnight_into_new_year(self):
        w = self.start("@2027-02-05 23:59:50")
        # A tick well before midnight: the eve's names, weekday and date.
        before = w.wait_for(lambda: w.text("标签_time") == "23:59" and
                            w.text("标签_time1") in {"%d" % s for s in range(50, 58)}, 8)
        self.assertTrue(before, (w.text("标签_time"), w.text("标签_time1")))
        self.assertEqual(w.text("标签_day"), EVE)
        day_rect = w.control_rect("标签_day")
        eve_pixels = dark_pixels(self.desk.screenshot(), day_rect)
        self.assertGreater(len(eve_pixels), 30, "no text drawn in the date label")

        after = w.wait_for(lambda: w.text("标签_time") == "00:00", 15)
        self.assertTrue(after, w.text("标签_time"))
        self.assertTrue(w.wait_for(lambda: w.text("标签_day") == NEW_YEAR, 2),
                        repr(w.text("标签_day")))
        self.assertRegex(w.text("标签_time1"), r"^0\d$")
        # The screen follows: the label is drawn anew with other characters.
        new_pixels = w.wait_for(lambda: (lambda p: p if p != eve_pixels else None)(
            dark_pixels(self.desk.screenshot(), day_rect)), 2)
        self.assertTrue(new_pixels, "the date label on screen did not change at midnight")
        self.assertGreater(len(new_pixels), 30)

    def test_seconds_label_shows_each_second_once_in_order(self):
        w = self.start("@2027-02-05 23:59:53")
        self.assertTrue(w.wait_for(lambda: w.text("标签_time") != "11:11", 5))
        seconds = w.controls()["标签_time1"]
        shown = []  # the values in the order they appeared
        samples = 0
        end = time.monotonic() + 10
        while time.monotonic() < end:
            value = w.prop("_DESKWATCH_TEXT", seconds)
            samples += 1
            if not shown or shown[-1] != value:
                shown.append(value)
            time.sleep(0.1)
        self.assertGreater(samples, 50)
        # Ten seconds of ticks, across the turn of the minute, hour and day.
        self.assertIn(len(shown), (10, 11, 12), shown)
        for a, b in zip(shown, shown[1:]):
            self.assertEqual(int(b), (int(a) + 1) % 60, shown)
        self.assertIn("00", shown)


if __name__ == "__main__":
    unittest.main()
