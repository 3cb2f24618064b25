#!/usr/bin/env python3
"""Local HTTP(S) server for the web tests: serves pages and misbehaves on request.

Usage:
  https_server.py --port-file F [--port 0] [--cert-dir D] [--plain-port-file F2]
                  [--root DIR] [--page FILE] [--log FILE] [--control FILE]

  --cert-dir D       serve HTTPS with D/cert.pem and D/key.pem; both are made with openssl
                     (self-signed, for 127.0.0.1 and localhost) when missing. Trust D/cert.pem
                     in the client (DESKWATCH_CA_FILE). Without --cert-dir: plain HTTP.
  --cert-host NAME   make the certificate for NAME only (a name check that must fail).
  --port N           port of the main listener (0: any free one), bound to 127.0.0.1.
  --port-file F      the chosen port is written there (atomically) once the server listens.
  --plain-port-file  also listen for plain HTTP on a free port and write it there.
  --root DIR         files served by path ("/a/b.png" is DIR/a/b.png; the query is ignored).
  --page FILE        the file served for the path "/s" (the search results page).
  --log FILE         every request's request line and header lines, byte for byte as
                     received, each request ended by its empty line (CR LF CR LF).
  --control FILE     a mode word read at every request; the test may rewrite it at any time.

Modes (control file, else "normal"); every mode but "normal" answers every path alike:
  normal    route by path (below)         stall     headers, 10 body bytes, then silence
  trickle   one body byte per second      reset     1000 body bytes, then a TCP reset
  redirect  302 to /redirected<path>      loop      302 to the same path, forever
  cookies   Set-Cookie a=1 (path), b=2    huge      40 MiB body with Content-Length
  404       Not Found                     down      connection closed at once, no answer

Paths in mode normal (the same behaviours, chosen per request):
  /s                    the --page file
  /stall /trickle /reset /loop /404 /down   as the modes above
  /huge?mb=N[&chunked=1]  N MiB of "x" (chunked=1: no length, ends when the server closes)
  /redirect?to=T[&code=C] C (default 302) to T      /redirected/P  serves P
  /set-cookie?c=V&c=W   one Set-Cookie line per c (URL-decoded), body "ok"
  /echo                 the request body back, "X-Method" names the verb
  anything else         the file under --root, else 404
Requests in absolute form (through a proxy: "GET http://host/p") are routed by their path.
Every answer closes its connection. The server exits when its parent process ends.
"""

import argparse
import os
import socket
import ssl
import struct
import subprocess
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LOG_LOCK = threading.Lock()


def write_atomically(path, text):
    temp = path + ".tmp"
    with open(temp, "w") as f:
        f.write(text)
    os.replace(temp, path)


def make_certificate(directory, host):
    cert = os.path.join(directory, "cert.pem")
    key = os.path.join(directory, "key.pem")
    if not (os.path.exists(cert) and os.path.exists(key)):
        subprocess.run(
            ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
             "-nodes", "-keyout", key, "-out", cert, "-days", "2", "-subj", "/CN=" + (host or "localhost"),
             "-addext", "subjectAltName=" + ("DNS:" + host if host else
                                             "DNS:localhost,IP:127.0.0.1")],
            check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


class RecordingReader:
    """Passes reads through and keeps the lines read, which are the request head."""

    def __init__(self, stream):
        self.stream = stream
        self.head = bytearray()

    def readline(self, *args):
        line = self.stream.readline(*args)
        self.head += line
        return line

    def read(self, *args):
        return self.stream.read(*args)

    def __getattr__(self, name):
        return getattr(self.stream, name)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    config = None  # set by main
    tls_context = None  # per listener, via subclass

    def setup(self):
        if self.current_mode() == "down":
            self.request.close()
            raise ConnectionAbortedError
        if self.tls_context is not None:
            self.request.settimeout(30)
            self.request = self.tls_context.wrap_socket(self.request, server_side=True)
        super().setup()
        self.rfile = RecordingReader(self.rfile)

    def log_message(self, *args):
        pass

    def current_mode(self):
        path = self.config.control
        if not path:
            return "normal"
        try:
            with open(path) as f:
                words = f.read().split()
            return words[0] if words else "normal"
        except OSError:
            return "normal"

    def parse_request(self):
        ok = super().parse_request()
        if self.config.log:
            with LOG_LOCK, open(self.config.log, "ab") as f:
                f.write(bytes(self.rfile.head))
        self.rfile.head = bytearray()
        return ok

    # --- answers -------------------------------------------------------------------------
    def send_head(self, code, headers, length=None):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True

    def answer(self, code, body=b"", headers=(("Content-Type", "text/html; charset=utf-8"),)):
        self.send_head(code, headers, len(body))
        if self.command != "HEAD":
            self.wfile.write(body)

    def hold(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            time.sleep(0.2)

    def stall(self):
        self.send_head(200, (("Content-Type", "text/plain"),), 1000)
        self.wfile.write(b"x" * 10)
        self.wfile.flush()
        self.hold(300)

    def trickle(self):
        self.send_head(200, (("Content-Type", "text/plain"),), 100000)
        self.wfile.flush()
        for _ in range(100000):
            self.wfile.write(b"x")
            self.wfile.flush()
            time.sleep(1)

    def reset(self):
        self.send_head(200, (("Content-Type", "text/plain"),), 100000)
        self.wfile.write(b"x" * 1000)
        self.wfile.flush()
        self.request.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.drop_connection()

    def drop_connection(self):
        # close() would wait for the file objects of the handler; closing the descriptor
        # itself ends the connection now (with SO_LINGER 0: a reset).
        os.close(self.request.detach())

    def huge(self, megabytes, chunked):
        total = megabytes << 20
        self.send_head(200, (("Content-Type", "application/octet-stream"),),
                       None if chunked else total)
        block = b"x" * 65536
        sent = 0
        while sent < total:
            n = min(len(block), total - sent)
            self.wfile.write(block[:n])
            sent += n

    def redirect(self, target, code=302):
        self.answer(code, b"moved", (("Location", target), ("Content-Type", "text/plain")))

    def set_cookies(self, values):
        headers = [("Set-Cookie", v) for v in values] + [("Content-Type", "text/plain")]
        self.answer(200, b"ok", headers)

    def serve_file(self, path):
        root = os.path.realpath(self.config.root) if self.config.root else None
        if root:
            full = os.path.realpath(os.path.join(root, path.lstrip("/")))
            if full.startswith(root + os.sep) and os.path.isfile(full):
                with open(full, "rb") as f:
                    self.answer(200, f.read(), (("Content-Type", content_type(full)),))
                return
        self.answer(404, b"not found")

    def dispatch(self):
        target = self.path
        if "://" in target.split("?", 1)[0]:  # absolute form, as sent to a proxy
            target = "/" + target.split("://", 1)[1].partition("/")[2]
        path, _, query = target.partition("?")
        params = urllib.parse.parse_qs(query, keep_blank_values=True)
        mode = self.current_mode()
        if path.startswith("/redirected/"):
            mode, path = "normal", path[len("/redirected"):]
        if mode == "normal":
            mode = path.lstrip("/") if path in ("/stall", "/trickle", "/reset", "/loop", "/404",
                                                 "/down") else "route"
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length > 0 else b""

        if mode == "route":
            if path == "/s" and self.config.page:
                with open(self.config.page, "rb") as f:
                    self.answer(200, f.read())
            elif path == "/huge":
                self.huge(int(params.get("mb", ["40"])[0]), params.get("chunked") == ["1"])
            elif path == "/redirect":
                self.redirect(params.get("to", ["/"])[0], int(params.get("code", ["302"])[0]))
            elif path == "/set-cookie":
                self.set_cookies(params.get("c", []))
            elif path == "/echo":
                self.answer(200, body, (("Content-Type", "application/octet-stream"),
                                        ("X-Method", self.command)))
            else:
                self.serve_file(path)
        elif mode == "stall":
            self.stall()
        elif mode == "trickle":
            self.trickle()
        elif mode == "reset":
            self.reset()
        elif mode == "redirect":
            self.redirect("/redirected" + target)
        elif mode == "loop":
            self.redirect(target)
        elif mode == "cookies":
            self.set_cookies(["a=1; path=/", "b=2"])
        elif mode == "huge":
            self.huge(40, False)
        elif mode == "down":
            self.drop_connection()
        else:
            self.answer(404, b"not found")

    do_GET = do_POST = do_HEAD = do_PUT = do_DELETE = do_OPTIONS = do_TRACE = dispatch
    do_CONNECT = do_PATCH = dispatch


def content_type(path):
    ext = os.path.splitext(path)[1].lower()
    return {".png": "image/png", ".jpg": "image/jpeg", ".gif": "image/gif",
            ".html": "text/html; charset=utf-8"}.get(ext, "application/octet-stream")


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def handle_error(self, request, client_address):
        pass  # clients that give up (time-outs, rejected certificates) are expected


def listen(port, handler_class):
    server = Server(("127.0.0.1", port), handler_class)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    parser = argparse.ArgumentParser(description="local HTTP(S) test server")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--plain-port-file")
    parser.add_argument("--cert-dir")
    parser.add_argument("--cert-host")
    parser.add_argument("--root")
    parser.add_argument("--page")
    parser.add_argument("--log")
    parser.add_argument("--control")
    config = parser.parse_args()
    Handler.config = config

    parent = os.getppid()
    servers = []
    if config.plain_port_file:
        plain = listen(0, type("PlainHandler", (Handler,), {"tls_context": None}))
        servers.append(plain)
        write_atomically(config.plain_port_file, str(plain.server_address[1]))
    context = None
    if config.cert_dir:
        cert, key = make_certificate(config.cert_dir, config.cert_host)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
    main_server = listen(config.port, type("MainHandler", (Handler,), {"tls_context": context}))
    servers.append(main_server)
    write_atomically(config.port_file, str(main_server.server_address[1]))

    while os.getppid() == parent:
        time.sleep(0.5)


if __name__ == "__main__":
    main()
