#!/usr/bin/python3
"""A local SMTP server for the mail tests (Debian's aiosmtpd).

Listens on 127.0.0.1 on a free port, which it writes to --port-file once it accepts mail.
Requires AUTH LOGIN (or PLAIN) with --user/--password; with --cert/--key it offers STARTTLS and
refuses a login before it. Every message received is stored as a directory msg-<n> under --dir:
raw.eml, envelope.txt (sender, then the recipients), login.txt, and what an independent reader
makes of it: from-name.txt, from-address.txt, to.txt, reply-to.txt, subject.txt, body.txt (the
text part, decoded, UTF-8), body-type.txt and attach/<file name> with the decoded bytes.
With --silent it accepts connections and never says a word; with --stall it falls silent after
the first recipient; with --rate it reads what a client sends at that many bytes a second, as a
server behind a slow line does. Ends on SIGTERM.
"""
import argparse
import asyncio
import email
import email.policy
import os
import signal
import socket
import ssl
import threading
import time

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def write(path, data):
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))


class Store:
    def __init__(self, directory, stall):
        self.directory = directory
        self.stall = stall
        self.count = 0
        self.lock = threading.Lock()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.stall:
            await asyncio.sleep(3600)
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            self.count += 1
            n = self.count
        tmp = os.path.join(self.directory, "tmp-%d" % n)
        os.makedirs(os.path.join(tmp, "attach"))
        raw = envelope.original_content or envelope.content
        write(os.path.join(tmp, "raw.eml"), raw)
        write(os.path.join(tmp, "envelope.txt"),
              "\n".join([envelope.mail_from] + list(envelope.rcpt_tos)))
        login = session.login_data
        write(os.path.join(tmp, "login.txt"),
              login.decode() if isinstance(login, bytes) else str(login or ""))
        msg = email.message_from_bytes(raw, policy=email.policy.default)
        sender = msg["From"].addresses[0] if msg["From"] else None
        write(os.path.join(tmp, "from-name.txt"), sender.display_name if sender else "")
        write(os.path.join(tmp, "from-address.txt"), sender.addr_spec if sender else "")
        write(os.path.join(tmp, "to.txt"), str(msg["To"] or ""))
        write(os.path.join(tmp, "reply-to.txt"), str(msg["Reply-To"] or ""))
        write(os.path.join(tmp, "subject.txt"), str(msg["Subject"] or ""))
        body = msg.get_body(preferencelist=("plain",))
        if body is not None:
            write(os.path.join(tmp, "body.txt"), body.get_content())
            write(os.path.join(tmp, "body-type.txt"), body.get_content_type() + "; charset="
                  + str(body.get_content_charset()))
        for part in msg.iter_attachments():
            write(os.path.join(tmp, "attach", part.get_filename()), part.get_payload(decode=True))
        os.rename(tmp, os.path.join(self.directory, "msg-%d" % n))
        return "250 OK"


def authenticator(user, password):
    def check(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login == user.encode()
              and auth_data.password == password.encode())
        return AuthResult(success=ok, handled=False, auth_data=auth_data)
    return check


def serve_silently(port, stop):
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen()
    listener.settimeout(0.2)
    held = []
    while not stop.is_set():
        try:
            held.append(listener.accept()[0])
        except socket.timeout:
            pass


def relay_slowly(port, inner_port, rate, stop):
    """Forwards each connection on `port` to `inner_port`, reading from the client at `rate`
    bytes a second through a small receive buffer, so that the client feels the pace."""
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 16384)
    listener.bind(("127.0.0.1", port))
    listener.listen()
    listener.settimeout(0.2)

    def pump(source, target, pace):
        block = 4096
        try:
            while True:
                data = source.recv(block)
                if not data:
                    break
                target.sendall(data)
                if pace:
                    time.sleep(len(data) / pace)
        except OSError:
            pass
        for s in (source, target):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass

    while not stop.is_set():
        try:
            client = listener.accept()[0]
        except socket.timeout:
            continue
        server = socket.create_connection(("127.0.0.1", inner_port))
        threading.Thread(target=pump, args=(client, server, rate), daemon=True).start()
        threading.Thread(target=pump, args=(server, client, 0), daemon=True).start()


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--dir", required=True)
    p.add_argument("--port-file", required=True)
    p.add_argument("--user", default="user")
    p.add_argument("--password", default="secret")
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--silent", action="store_true")
    p.add_argument("--rate", type=int, default=0)
    p.add_argument("--stall", action="store_true")
    a = p.parse_args()

    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    port = free_port()
    controller = None
    if a.silent:
        threading.Thread(target=serve_silently, args=(port, stop), daemon=True).start()
    else:
        options = dict(auth_required=True, auth_require_tls=False,
                       authenticator=authenticator(a.user, a.password))
        if a.cert:
            context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
            context.load_cert_chain(a.cert, a.key)
            options.update(tls_context=context, require_starttls=True, auth_require_tls=True)
        inner = free_port() if a.rate else port
        controller = Controller(Store(a.dir, a.stall), hostname="127.0.0.1", port=inner, **options)
        controller.start()
        if a.rate:
            threading.Thread(target=relay_slowly, args=(port, inner, a.rate, stop),
                             daemon=True).start()
    write(a.port_file + ".tmp", str(port))
    os.rename(a.port_file + ".tmp", a.port_file)
    while not stop.wait(0.2):
        pass
    if controller:
        controller.stop()


if __name__ == "__main__":
    main()
