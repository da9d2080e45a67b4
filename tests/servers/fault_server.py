#!/usr/bin/env python3
"""An HTTP server that misbehaves on purpose, for the downloader's tests.

    fault_server.py PACKAGE PORT_FILE

Listens on an ephemeral port of 127.0.0.1, writes the port number to
PORT_FILE once it accepts connections, and serves PACKAGE in the ways a real
server or network can go wrong. One request per connection, then close.

  /echo             200, the body is the request head exactly as received
  /ignore-range     200 with the whole package, whatever Range asks for
  /status?code=N    status N with a short HTML body
  /close-early      states the package's length, sends 25000 bytes, closes
  /reset            sends 25000 bytes, waits, then resets the connection
  /chunked          the package in chunks, with no Content-Length
  /empty?status=N&range=R
                    status N (default 200), Content-Length: 0, and with R
                    "Content-Range: R"
  /range?first=N    206 with the package from byte N on, whatever Range asks
                    for, and its Content-Range
  /416?size=N       to a Range request 416, with "Content-Range: bytes */N"
                    (none without N); to any other the package with 200
"""
import os
import socket
import socketserver
import struct
import sys
import time
import urllib.parse

CUT_AT = 25000
REASONS = {200: "OK", 206: "Partial Content", 404: "Not Found", 416: "Range Not Satisfiable",
           500: "Internal Server Error"}


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.settimeout(10)
        head = b""
        while b"\r\n\r\n" not in head and len(head) < 65536:
            data = self.request.recv(4096)
            if not data:
                return
            head += data
        head = head[: head.index(b"\r\n\r\n") + 4]
        target = head.split(b"\r\n", 1)[0].split(b" ")[1].decode("latin-1")
        url = urllib.parse.urlsplit(target)
        query = urllib.parse.parse_qs(url.query)
        package = self.server.package
        path = url.path

        if path == "/echo":
            self.respond(200, head)
        elif path == "/ignore-range":
            self.respond(200, package)
        elif path == "/status":
            code = int(query["code"][0])
            self.respond(code, b"<html><body>%d</body></html>" % code)
        elif path == "/close-early":
            self.send_head(200, [("Content-Length", str(len(package)))])
            self.request.sendall(package[:CUT_AT])
        elif path == "/reset":
            self.send_head(200, [("Content-Length", str(len(package)))])
            self.request.sendall(package[:CUT_AT])
            time.sleep(0.3)  # let the client read what was sent before the reset
            # SO_LINGER with a zero timeout turns close() into a reset.
            self.request.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.request.close()
        elif path == "/chunked":
            self.send_head(200, [("Transfer-Encoding", "chunked")])
            for start in range(0, len(package), 7000):
                piece = package[start:start + 7000]
                self.request.sendall(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.request.sendall(b"0\r\n\r\n")
        elif path == "/empty":
            headers = [("Content-Range", query["range"][0])] if "range" in query else []
            self.respond(int(query.get("status", ["200"])[0]), b"", headers)
        elif path == "/range":
            first = int(query["first"][0])
            span = "bytes %d-%d/%d" % (first, len(package) - 1, len(package))
            self.respond(206, package[first:], [("Content-Range", span)])
        elif path == "/416":
            if not self.has_header(head, b"range"):
                self.respond(200, package)
            elif "size" in query:
                size = "bytes */%s" % query["size"][0]
                self.respond(416, b"<html>416</html>", [("Content-Range", size)])
            else:
                self.respond(416, b"<html>416</html>")
        else:
            self.respond(404, b"")

    def send_head(self, status, headers):
        lines = ["HTTP/1.1 %d %s" % (status, REASONS.get(status, "Status"))]
        lines += ["%s: %s" % h for h in headers + [("Connection", "close")]]
        self.request.sendall(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1"))

    def respond(self, status, body, headers=()):
        self.send_head(status, [("Content-Length", str(len(body)))] + list(headers))
        self.request.sendall(body)

    @staticmethod
    def has_header(head, name):
        return any(line.split(b":", 1)[0].strip().lower() == name
                   for line in head.split(b"\r\n")[1:] if b":" in line)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    package_path, port_file = sys.argv[1], sys.argv[2]
    with open(package_path, "rb") as f:
        package = f.read()
    with Server(("127.0.0.1", 0), Handler) as server:
        server.package = package
        with open(port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        # Renamed into place so that a reader never sees a half-written number.
        os.replace(port_file + ".tmp", port_file)
        server.serve_forever()


if __name__ == "__main__":
    main()
