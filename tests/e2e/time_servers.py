#!/usr/bin/env python3
"""The time and update servers on loopback for the end-to-end test: /cgi-bin/date answers a fixed clock line,
/x__c51/flash51.txt a short newsflash, anything else 404. Each request is logged as "HOST PATH" to the file
named by the second argument; the first argument is the port. Prints "ready" once it listens."""
import http.server
import sys

DATE_LINE = "Tue Dec  8 12:59:59 UTC 2026\n"
NEWSFLASH = "LOOPBACK NEWSFLASH\n"


class Handler(http.server.BaseHTTPRequestHandler):
    answers = {"/cgi-bin/date": DATE_LINE, "/x__c51/flash51.txt": NEWSFLASH}

    def do_GET(self):
        with open(sys.argv[2], "a", encoding="utf-8") as log:
            log.write(f"{self.headers.get('Host', '')} {self.path}\n")
        body = self.answers.get(self.path)
        self.send_response(200 if body is not None else 404)
        data = (body or "404 Not Found\n").encode()
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", int(sys.argv[1])), Handler)
print("ready", flush=True)
server.serve_forever()
