#!/usr/bin/python3
"""A web server on 127.0.0.1 for the feed import and media tests: serves the files of a
folder (GET and HEAD) and a few addresses that misbehave. Prints its port, then serves until killed.

  feedhttpserver.py FOLDER

/moved/NAME answers 302 to /NAME, /loop to itself, /silent never answers, /huge sends
more than 20 MB."""
import http.server
import socketserver
import sys
import time

folder = sys.argv[1]


class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *args, **kwargs):
        super().__init__(*args, directory=folder, **kwargs)

    def log_message(self, *args):
        pass

    def redirect(self, to):
        self.send_response(302)
        self.send_header("Location", to)
        self.send_header("Content-Length", "0")
        self.end_headers()

    def misbehaved(self):
        if self.path.startswith("/moved/"):
            self.redirect(self.path[len("/moved"):])
        elif self.path == "/loop":
            self.redirect("/loop")
        elif self.path == "/silent":
            time.sleep(60)
        else:
            return False
        return True

    def do_HEAD(self):
        if not self.misbehaved():
            super().do_HEAD()

    def do_GET(self):
        if self.misbehaved():
            return None
        if self.path == "/huge":
            self.send_response(200)
            self.send_header("Content-Type", "application/rss+xml")
            self.end_headers()
            block = b"<!-- " + b"x" * (1 << 20) + b" -->\n"
            try:
                for _ in range(21):
                    self.wfile.write(block)
            except (BrokenPipeError, ConnectionResetError):
                pass
            return None
        return super().do_GET()


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
