#!/usr/bin/env python3
"""A local HTTPS server for the update download's tests and benchmark.

    https_test_server.py ROOT CERTIFICATES

Serves the files under ROOT on 127.0.0.1, on ports of its own: one listener per server certificate
that make_test_certificates made in CERTIFICATES (good, wronghost, expired, selfsigned, unknownca)
and one of plain http (plain). Prints the ports as one line of JSON, {"good": 40123, ...}, then
serves until its standard input ends (the test closed it or ended), it is ended by its process id,
or ten minutes have passed.

A file ROOT/.behaviour, read afresh for every request, changes the answer for a request path (as
the client sent it, percent-encoding included):

    {"/KivSoftware/Update/Upd.ex_": {"status": 500}}
    status    the status sent with the file's bytes (a missing file is 404 with a long error page)
    length    the Content-Length announced instead of the true one; null announces none
    send      how many of the body's bytes are sent before the connection ends
    stall     true: after the bytes sent, the connection stays open and silent
    location  a 302 redirect to this address, with no body

Every request is appended to ROOT/.requests as one line of JSON: {"path": ..., "headers": {...}}.
"""

import http.server
import json
import os
import ssl
import sys
import threading
import time
import urllib.parse

LIFETIME_SECONDS = 600
STALL_SECONDS = 120
CHUNK_BYTES = 1 << 20
ERROR_PAGE = b"<html><body>Not found</body></html>\n" * 5000
CERTIFICATES = ("good", "wronghost", "expired", "selfsigned", "unknownca")

log_lock = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *arguments):
        pass

    def do_GET(self):
        root = self.server.root
        with log_lock, open(os.path.join(root, ".requests"), "a") as log:
            log.write(json.dumps({"path": self.path, "headers": dict(self.headers)}) + "\n")
        behaviour = self.behaviour(root).get(self.path, {})
        if "location" in behaviour:
            self.send_response(302)
            self.send_header("Location", behaviour["location"])
            self.send_header("Content-Length", "0")
            self.send_header("Connection", "close")
            self.end_headers()
            return
        name = os.path.join(root, urllib.parse.unquote(self.path).lstrip("/"))
        status = behaviour.get("status", 200)
        if os.path.isfile(name):
            size = os.path.getsize(name)
            body = open(name, "rb")
        else:
            status, size = 404, len(ERROR_PAGE)
            body = None
        self.send_response(status)
        length = behaviour.get("length", size)
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.send_header("Connection", "close")
        self.end_headers()
        left = min(size, behaviour.get("send", size))
        offset = 0
        while left > 0:
            piece = body.read(min(left, CHUNK_BYTES)) if body else ERROR_PAGE[offset:offset + left]
            self.wfile.write(piece)
            offset += len(piece)
            left -= len(piece)
        if body:
            body.close()
        if behaviour.get("stall"):
            time.sleep(STALL_SECONDS)

    @staticmethod
    def behaviour(root):
        try:
            with open(os.path.join(root, ".behaviour")) as source:
                return json.load(source)
        except FileNotFoundError:
            return {}


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, root, context):
        super().__init__(("127.0.0.1", 0), Handler)
        self.root = root
        self.context = context

    def get_request(self):
        connection, address = self.socket.accept()
        if self.context:
            # The handshake runs in the request's own thread, so that a client that refuses the
            # certificate never holds up the next one.
            connection = self.context.wrap_socket(
                connection, server_side=True, do_handshake_on_connect=False)
        return connection, address

    def handle_error(self, request, client_address):
        # Refused handshakes and clients that hang up are what many tests are about; anything else
        # is a fault of this server.
        if not isinstance(sys.exc_info()[1], (ssl.SSLError, ConnectionError)):
            super().handle_error(request, client_address)


def context_for(certificates, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(certificates, name + ".pem"),
                            os.path.join(certificates, "server.key"))
    return context


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server.server_address[1]


def main():
    root, certificates = sys.argv[1], sys.argv[2]
    ports = {name: serve(Server(root, context_for(certificates, name))) for name in CERTIFICATES}
    ports["plain"] = serve(Server(root, None))
    print(json.dumps(ports), flush=True)
    # Ends when the test closes our standard input, or when the test itself ends and with it the
    # pipe's other end.
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    time.sleep(LIFETIME_SECONDS)
    os._exit(0)


if __name__ == "__main__":
    main()
