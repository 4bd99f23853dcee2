#!/usr/bin/python3
"""An SFTP server on 127.0.0.1 for the tests: one account, a folder as its
root, a host key from a file (made when missing). Prints "port N" once it
listens.

sftpserver.py ROOT HOSTKEY USER PASSWORD [--no-overwrite-rename]
--no-overwrite-rename: renaming onto an existing file fails, as with
OpenSSH's server speaking SFTP version 3.
"""
import os
import socket
import sys
import threading

import paramiko
from paramiko.sftp import SFTP_FAILURE, SFTP_NO_SUCH_FILE, SFTP_OK

root, host_key_path, user, password = sys.argv[1:5]
overwrite_rename = "--no-overwrite-rename" not in sys.argv[5:]


def local(path):
    parts = [p for p in path.replace("\\", "/").split("/") if p not in ("", ".", "..")]
    return os.path.join(root, *parts)


def error(exc):
    return paramiko.SFTPServer.convert_errno(exc.errno)


class Handle(paramiko.SFTPHandle):
    pass


class Files(paramiko.SFTPServerInterface):
    def list_folder(self, path):
        try:
            result = []
            for name in os.listdir(local(path)):
                attr = paramiko.SFTPAttributes.from_stat(os.lstat(os.path.join(local(path), name)))
                attr.filename = name
                result.append(attr)
            return result
        except OSError as exc:
            return error(exc)

    def stat(self, path):
        try:
            return paramiko.SFTPAttributes.from_stat(os.stat(local(path)))
        except OSError as exc:
            return error(exc)

    lstat = stat

    def open(self, path, flags, attr):
        try:
            fd = os.open(local(path), flags, 0o644)
            mode = "wb" if flags & os.O_WRONLY else "r+b" if flags & os.O_RDWR else "rb"
            f = os.fdopen(fd, mode)
        except OSError as exc:
            return error(exc)
        handle = Handle(flags)
        handle.filename = local(path)
        handle.readfile = f
        handle.writefile = f
        return handle

    def remove(self, path):
        try:
            os.remove(local(path))
        except OSError as exc:
            return error(exc)
        return SFTP_OK

    def rename(self, oldpath, newpath):
        if not overwrite_rename and os.path.exists(local(newpath)):
            return SFTP_FAILURE
        try:
            os.rename(local(oldpath), local(newpath))
        except OSError as exc:
            return error(exc)
        return SFTP_OK

    def mkdir(self, path, attr):
        try:
            os.mkdir(local(path))
        except OSError as exc:
            return error(exc)
        return SFTP_OK

    def chattr(self, path, attr):
        return SFTP_OK


class Login(paramiko.ServerInterface):
    def check_auth_password(self, username, pw):
        ok = username == user and pw == password
        return paramiko.AUTH_SUCCESSFUL if ok else paramiko.AUTH_FAILED

    def get_allowed_auths(self, username):
        return "password"

    def check_channel_request(self, kind, chanid):
        return paramiko.OPEN_SUCCEEDED if kind == "session" else paramiko.OPEN_FAILED_ADMINISTRATIVELY_PROHIBITED_OPEN_FAILED


def host_key():
    if not os.path.exists(host_key_path):
        paramiko.ECDSAKey.generate().write_private_key_file(host_key_path)
    return paramiko.ECDSAKey(filename=host_key_path)


def serve(conn, key):
    transport = paramiko.Transport(conn)
    transport.add_server_key(key)
    transport.set_subsystem_handler("sftp", paramiko.SFTPServer, Files)
    try:
        transport.start_server(server=Login())
        while transport.is_active():
            transport.join(1)
    except Exception:
        pass


def main():
    key = host_key()
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    print("port %d" % listener.getsockname()[1], flush=True)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve, args=(conn, key), daemon=True).start()


main()
