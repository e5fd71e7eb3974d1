#!/usr/bin/env python3
"""A stand-in update service for the tests.

update_service.py REPLIES REQUEST_LOG [BIND_ADDRESS]

REPLIES is a JSON list; request n gets entry n (the last one again once the list is used up):
  {"body": "text"}    answered with this text (Content-Length set)
  {"big": N}          N bytes of "x" without Content-Length, until the client hangs up
  {"silent": true}    the request is read and never answered
Each request is appended to REQUEST_LOG as one JSON line (path, content type, body); a "big"
answer adds {"big_sent": bytes written, "complete": whether all N went out}.
Prints "PORT <n>" once it listens.
"""
import json
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

replies = json.load(open(sys.argv[1]))
log_path = sys.argv[2]
bind = sys.argv[3] if len(sys.argv) > 3 else "127.0.0.1"
lock = threading.Lock()
count = [0]


def log(entry):
    with lock, open(log_path, "a") as out:
        out.write(json.dumps(entry) + "\n")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length).decode("latin-1")
        with lock:
            reply = replies[min(count[0], len(replies) - 1)]
            count[0] += 1
        log({"path": self.path, "content_type": self.headers.get("Content-Type"), "body": body})
        if reply.get("silent"):
            time.sleep(120)
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        if "big" in reply:
            self.end_headers()
            total, sent, chunk = reply["big"], 0, b"x" * 65536
            try:
                while sent < total:
                    self.wfile.write(chunk)
                    self.wfile.flush()
                    sent += len(chunk)
            except OSError:
                pass
            log({"big_sent": sent, "complete": sent >= total})
            return
        data = reply["body"].encode("utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)


server = ThreadingHTTPServer((bind, 0), Handler)
server.daemon_threads = True
print("PORT", server.server_address[1], flush=True)
server.serve_forever()
