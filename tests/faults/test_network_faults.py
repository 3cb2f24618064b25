"""A misbehaving network at the first weather refresh: the real widget against a local server
that refuses, resets, speaks no TLS or garbage, shows a certificate for another host, sends
too much, too slowly or nothing at all, or redirects forever.

Every case: the window appears within the network bound, the clock runs, the weather labels
keep what they had (here: the layout's texts, as no good refresh came first), memory stays
bounded, and Esc still ends the widget with 0.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from faults_support import (CONNECT, LAYOUT_WEATHER, STALL, TOTAL, Checks, Desktop,  # noqa: E402
                            FaultServer, GarbageServer, closed_port)

# Resident memory bound in MB. A 40 MiB answer must not be kept: the body cap is 32 MiB and
# the exchange is dropped once it is passed.
RSS_LIMIT_MB = 80


class NetworkFaultTest(Checks, unittest.TestCase):
    def setUp(self):
        self.desk = Desktop.start(self)

    def run_case(self, host, env, bound):
        w = self.desk.start_widget(search_host=host, env=env, timeout=bound + 20)
        self.assertMappedWithin(w, bound)
        self.assertClockMoves(w)
        self.assertWeather(w, LAYOUT_WEATHER)
        self.assertMemoryBounded(w, RSS_LIMIT_MB)
        return w

    def served_case(self, mode, bound, **server):
        srv = FaultServer.start(self, self.desk.tmp, **server)
        srv.set_mode(mode)
        w = self.run_case(srv.host(), srv.widget_env(), bound)
        return srv, w

    def test_connection_refused(self):
        srv = FaultServer.start(self, self.desk.tmp)  # only for the widget's environment
        w = self.run_case("127.0.0.1:%d" % closed_port(), srv.widget_env(), CONNECT)
        self.assertClosesCleanly(self.desk, w)

    def test_reset_in_the_middle_of_the_body(self):
        srv, w = self.served_case("reset", CONNECT)
        self.assertEqual(len(srv.gets()), 1)  # no icon request after a failed page
        self.assertClosesCleanly(self.desk, w)

    def test_plain_http_on_the_https_port(self):
        srv, w = self.served_case("normal", CONNECT, tls=False)
        self.assertEqual(srv.gets(), [])  # the server read a TLS hello, no request
        self.assertClosesCleanly(self.desk, w)

    def test_garbage_instead_of_a_tls_handshake(self):
        garbage = GarbageServer(self)
        srv = FaultServer.start(self, self.desk.tmp)
        w = self.run_case(garbage.host(), srv.widget_env(), CONNECT)
        self.assertGreaterEqual(garbage.connections, 1)
        self.assertClosesCleanly(self.desk, w)

    def test_certificate_for_another_host_is_rejected(self):
        # The widget trusts the certificate itself, yet it names "other.test", not 127.0.0.1.
        srv, w = self.served_case("normal", CONNECT, cert_host="other.test")
        self.assertEqual(srv.gets(), [], "a request went out over an unverified channel")
        self.assertClosesCleanly(self.desk, w)

    def test_body_over_the_cap(self):
        srv, w = self.served_case("huge", CONNECT)  # 40 MiB with its length announced
        self.assertClosesCleanly(self.desk, w)

    def test_one_byte_per_second(self):
        # Never stalls long enough for the stall time-out: the total time-out ends it.
        srv, w = self.served_case("trickle", TOTAL)
        self.assertGreater(w.mapped_after, TOTAL - 1)
        self.assertClosesCleanly(self.desk, w)

    def test_stall_after_the_headers(self):
        srv, w = self.served_case("stall", STALL)
        self.assertGreater(w.mapped_after, STALL - 1)
        self.assertClosesCleanly(self.desk, w)

    def test_redirect_loop(self):
        srv, w = self.served_case("loop", CONNECT)
        # Redirects are followed, but not forever.
        self.assertGreater(len(srv.gets()), 1)
        self.assertLess(len(srv.gets()), 100)
        self.assertClosesCleanly(self.desk, w)


if __name__ == "__main__":
    unittest.main()
