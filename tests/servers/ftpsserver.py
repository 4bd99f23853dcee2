#!/usr/bin/python3
"""An FTPS server (explicit TLS, "AUTH TLS", protected data channel required)
on 127.0.0.1 for the tests, with a self-signed certificate from a file (made
when missing). Prints "port N" once it listens.

ftpsserver.py ROOT CERTFILE USER PASSWORD
"""
import os
import sys

from OpenSSL import crypto
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer

root, cert_path, user, password = sys.argv[1:5]


def make_certificate():
    key = crypto.PKey()
    key.generate_key(crypto.TYPE_RSA, 2048)
    cert = crypto.X509()
    cert.get_subject().CN = "127.0.0.1"
    cert.set_serial_number(int.from_bytes(os.urandom(8), "big"))
    cert.gmtime_adj_notBefore(-3600)
    cert.gmtime_adj_notAfter(3600 * 24 * 30)
    cert.set_issuer(cert.get_subject())
    cert.set_pubkey(key)
    cert.sign(key, "sha256")
    with open(cert_path, "wb") as f:
        f.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, key))
        f.write(crypto.dump_certificate(crypto.FILETYPE_PEM, cert))


class EarlyDataConnection(TLS_DTPHandler):
    """libcurl opens the data connection and starts its TLS handshake before
    it sends STOR. pyftpdlib's data channel takes a connection that is
    readable before a transfer command for a dropped one and closes it, so
    until the command comes only the handshake is read."""

    def readable(self):
        if not self._initialized:
            return self._ssl_accepting
        return super().readable()


if not os.path.exists(cert_path):
    make_certificate()

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm="elradfmwMT")
handler = TLS_FTPHandler
handler.certfile = cert_path
handler.authorizer = authorizer
handler.tls_control_required = True
handler.tls_data_required = True
handler.passive_ports = None
handler.dtp_handler = EarlyDataConnection
server = FTPServer(("127.0.0.1", 0), handler)
print("port %d" % server.socket.getsockname()[1], flush=True)
server.serve_forever()
