#!/usr/bin/python3
"""A local HTTP(S) server for the update tests (the standard library's http.server).

Serves the files under --dir on 127.0.0.1 on a free port, which it writes to --port-file once
it listens, and writes each request line to --log. A file that is missing gets a 404 page of
2 KB, so that an error page is as long as a file the update would accept. A few paths behave
badly on purpose: /bad/status-<code> (that answer with a 2 KB page), /bad/no-length (a body
without Content-Length), /bad/short (less body than announced), /bad/endless (a body without
end, announced as 1 GB), /bad/redirect (302 to /Downloads/Zorvane.xml). With --cert/--key it
speaks HTTPS only; with --rate it sends files at that many bytes a second; with --silent it
accepts connections and never says a word. Ends on SIGTERM.
"""
import argparse
import functools
import http.server
import os
import signal
import socket
import ssl
import threading
import time

PAGE = b"<html><body>" + b"x" * 2048 + b"</body></html>"


class Handler(http.server.SimpleHTTPRequestHandler):
    log_file = None
    rate = 0

    def copyfile(self, source, outputfile):
        if not self.rate:
            return super().copyfile(source, outputfile)
        while True:
            block = source.read(256)
            if not block:
                break
            outputfile.write(block)
            outputfile.flush()
            time.sleep(len(block) / self.rate)

    def log_request(self, code="-", size="-"):
        with open(self.log_file, "a") as f:
            f.write(self.requestline + "\n")

    def log_message(self, format, *args):
        pass

    def send_page(self, code, headers=(), length=True):
        self.send_response(code)
        for name, value in headers:
            self.send_header(name, value)
        if length:
            self.send_header("Content-Length", str(len(PAGE)))
        self.end_headers()
        self.wfile.write(PAGE)

    def send_error(self, code, message=None, explain=None):
        self.send_page(code)

    def do_GET(self):
        path = self.path
        if path.startswith("/bad/status-"):
            self.send_page(int(path[len("/bad/status-"):]))
        elif path == "/bad/no-length":
            self.send_page(200, length=False)
        elif path == "/bad/short":
            self.send_response(200)
            self.send_header("Content-Length", str(2 * len(PAGE)))
            self.end_headers()
            self.wfile.write(PAGE)
        elif path == "/bad/endless":
            self.send_response(200)
            self.send_header("Content-Length", str(1 << 30))
            self.end_headers()
            try:
                while True:
                    self.wfile.write(PAGE)
            except OSError:
                pass
        elif path == "/bad/redirect":
            self.send_page(302, [("Location", "/Downloads/Zorvane.xml")])
        else:
            super().do_GET()


def serve_silently(listener, stop):
    listener.settimeout(0.2)
    held = []
    while not stop.is_set():
        try:
            held.append(listener.accept()[0])
        except socket.timeout:
            pass


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--dir", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--log", required=True)
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--silent", action="store_true")
    p.add_argument("--rate", type=int, default=0)
    a = p.parse_args()

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    Handler.log_file = a.log
    Handler.rate = a.rate
    open(a.log, "a").close()
    handler = functools.partial(Handler, directory=a.dir)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    if a.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    if a.silent:
        threading.Thread(target=serve_silently, args=(server.socket, stop), daemon=True).start()
    else:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    port = server.server_address[1]
    with open(a.port_file + ".tmp", "w") as f:
        f.write(str(port))
    os.rename(a.port_file + ".tmp", a.port_file)
    while not stop.wait(0.2):
        pass
    if not a.silent:
        server.shutdown()


if __name__ == "__main__":
    main()
