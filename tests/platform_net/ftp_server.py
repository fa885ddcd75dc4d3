"""A small FTP server for the client tests, on 127.0.0.1.

It serves ROOT to the anonymous user, only in active mode (PASV and EPSV
are refused), and answers LIST in the MS-DOS form
("01-15-24  02:05PM              1234567 NAME"). It binds a free port and
writes that port as the first line of its output, then serves until it is
killed.

  ftp_server.py ROOT [--refuse-login] [--extra-lines FILE] [--stall-after N]

--refuse-login   no anonymous user: every login gets 530
--extra-lines    lines of FILE are added as they are to every listing
--stall-after    a download sends N bytes and then stops answering
"""

import argparse
import logging
import os
import sys
import time

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def ms_dos_line(path, name):
    st = os.stat(path)
    t = time.localtime(st.st_mtime)
    hour = t.tm_hour % 12 or 12
    head = "%02d-%02d-%02d  %02d:%02d%s " % (
        t.tm_mon, t.tm_mday, t.tm_year % 100, hour, t.tm_min,
        "AM" if t.tm_hour < 12 else "PM")
    if os.path.isdir(path):
        kind = "%-20s" % "      <DIR>"
    else:
        kind = "%20d" % st.st_size
    return head + kind + " " + name + "\r\n"


class StallingFile:
    """A file that gives its first `limit` bytes and then never returns."""

    def __init__(self, f, limit):
        self._f = f
        self._left = limit
        self.name = f.name
        self.closed = False

    def read(self, n=-1):
        if self._left <= 0:
            time.sleep(3600)
        data = self._f.read(min(n, self._left) if n >= 0 else self._left)
        self._left -= len(data)
        return data

    def close(self):
        self.closed = True
        self._f.close()


def make_filesystem(extra_lines, stall_after):
    class MsDosFS(AbstractedFS):
        def format_list(self, basedir, listing, ignore_err=True):
            for name in listing:
                yield ms_dos_line(os.path.join(basedir, name), name).encode("latin-1")
            for line in extra_lines:
                yield (line + "\r\n").encode("latin-1")

        def open(self, filename, mode):
            f = AbstractedFS.open(self, filename, mode)
            if stall_after is None:
                return f
            return StallingFile(f, stall_after)

    return MsDosFS


class ActiveOnlyHandler(FTPHandler):
    """Refuses passive mode, so that a client must open active connections."""

    def ftp_PASV(self, line):
        self.respond("502 Passive mode not allowed.")

    def ftp_EPSV(self, line):
        self.respond("502 Passive mode not allowed.")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("root")
    parser.add_argument("--refuse-login", action="store_true")
    parser.add_argument("--extra-lines")
    parser.add_argument("--stall-after", type=int)
    args = parser.parse_args()

    extra = []
    if args.extra_lines:
        with open(args.extra_lines, encoding="latin-1") as f:
            extra = [line.rstrip("\r\n") for line in f]

    logging.basicConfig(level=logging.ERROR)
    authorizer = DummyAuthorizer()
    if not args.refuse_login:
        authorizer.add_anonymous(args.root)
    handler = ActiveOnlyHandler
    handler.authorizer = authorizer
    handler.abstracted_fs = make_filesystem(extra, args.stall_after)
    handler.encoding = "latin-1"
    handler.auth_failed_timeout = 0  # answer a refused login at once
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
