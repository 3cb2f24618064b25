"""The local HTTPS test server (tests/support/https_server.py) for end-to-end tests: serves a
fixture page as the search results page, with its icon placeholder pointing back at itself.

    srv = WeatherServer.start(test, desk.tmp, "normal.html", icon="/sun.png")
    w = desk.start_widget(**srv.widget_args())
    srv.requests()        # request heads received so far
    srv.set_page(html)    # replace the page;  srv.set_mode("down")
"""

import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SUPPORT = os.path.join(HERE, "..", "support")
FIXTURES = os.path.join(HERE, "..", "fixtures", "weather")


def _read(path):
    with open(path, "rb") as f:
        return f.read()


class WeatherServer:
    def __init__(self, tmp):
        self.dir = os.path.join(tmp, "server")
        os.makedirs(self.dir, exist_ok=True)
        self.page = os.path.join(self.dir, "page.html")
        self.log = os.path.join(self.dir, "requests.log")
        self.control = os.path.join(self.dir, "mode")
        self.port = None

    @classmethod
    def start(cls, test, tmp, fixture, icon="/sun.png"):
        s = cls(tmp)
        with open(s.page, "wb"):
            pass
        s.set_mode("normal")
        port_file = os.path.join(s.dir, "port")
        s.proc = subprocess.Popen(
            [sys.executable, os.path.join(SUPPORT, "https_server.py"), "--port", "0",
             "--port-file", port_file, "--cert-dir", s.dir, "--root", FIXTURES,
             "--page", s.page, "--log", s.log, "--control", s.control],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        test.addCleanup(s.stop)
        deadline = time.monotonic() + 20
        while not os.path.exists(port_file):
            if time.monotonic() > deadline or s.proc.poll() is not None:
                raise RuntimeError("the test server did not start")
            time.sleep(0.05)
        s.port = int(_read(port_file).decode().strip())
        s.set_page(_read(os.path.join(FIXTURES, fixture)).decode("utf-8"), icon)
        return s

    def url(self, path):
        return "https://127.0.0.1:%d%s" % (self.port, path)

    def set_page(self, html, icon="/sun.png"):
        html = html.replace("@ICON_URL@", self.url(icon))
        with open(self.page + ".tmp", "w", encoding="utf-8") as f:
            f.write(html)
        os.replace(self.page + ".tmp", self.page)

    def set_mode(self, mode):
        with open(self.control + ".tmp", "w") as f:
            f.write(mode)
        os.replace(self.control + ".tmp", self.control)

    def widget_args(self):
        return {"search_host": "127.0.0.1:%d" % self.port,
                "env": {"DESKWATCH_CA_FILE": os.path.join(self.dir, "cert.pem")}}

    def requests(self):
        if not os.path.exists(self.log):
            return []
        data = _read(self.log).decode("utf-8", "replace")
        return [r + "\r\n" for r in data.split("\r\n\r\n") if r]

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(5)
