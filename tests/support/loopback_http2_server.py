#!/usr/bin/env python3
"""An HTTP/2 server over TLS on 127.0.0.1 for the stream faults no stock server produces: it answers every request
with status 200 and the start of a body without a length, then resets the stream instead of finishing it.

Usage: loopback_http2_server.py TLS_FOLDER ERROR_CODE, with the certificate TLS_FOLDER/server.pem and its key
server.key; the reset carries ERROR_CODE (2, INTERNAL_ERROR; or 0, NO_ERROR, which only a finished stream may take).
Prints the port it listens on, then "answered" for each request.
"""
import socket
import ssl
import struct
import sys
import threading
import time

DATA, HEADERS, RST_STREAM, SETTINGS = 0, 1, 3, 4
ACK, END_HEADERS = 0x1, 0x4
STATUS_200 = b"\x88"  # ":status: 200", entry 8 of the header compression's static table


def frame(kind, flags, stream, payload=b""):
    return struct.pack(">I", len(payload))[1:] + bytes([kind, flags]) + struct.pack(">I", stream) + payload


def receive(connection, count):
    data = b""
    while len(data) < count:
        data += connection.recv(count - len(data)) or sys.exit()
    return data


def serve(connection, error):
    connection.sendall(frame(SETTINGS, 0, 0))
    receive(connection, 24)  # the client's preface
    while True:
        length, kind, flags, stream = struct.unpack(">IBBI", b"\0" + receive(connection, 9))
        receive(connection, length)
        if kind == SETTINGS and not flags & ACK:
            connection.sendall(frame(SETTINGS, ACK, 0))
        elif kind == HEADERS:
            stream &= 0x7FFFFFFF
            print("answered", flush=True)
            connection.sendall(frame(HEADERS, END_HEADERS, stream, STATUS_200)
                               + frame(DATA, 0, stream, b"Sun Mar 29 01:00"))
            # The reset comes a moment later, once the client has taken the body's start as a body.
            time.sleep(0.2)
            connection.sendall(frame(RST_STREAM, 0, stream, struct.pack(">I", error)))


tls = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
tls.load_cert_chain(f"{sys.argv[1]}/server.pem", f"{sys.argv[1]}/server.key")
tls.set_alpn_protocols(["h2"])
listener = tls.wrap_socket(socket.create_server(("127.0.0.1", 0)), server_side=True)
print(listener.getsockname()[1], flush=True)
while True:
    threading.Thread(target=serve, args=(listener.accept()[0], int(sys.argv[2])), daemon=True).start()
