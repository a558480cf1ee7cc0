#!/usr/bin/env python3
"""The update server of the lab's phone side, for "./vantrel.sh run": it
offers the running Vantrel.exe a newer version of itself and answers the
desk side's name lookups for the update host with its own address.

  lab_update_server.py --exe Vantrel.exe --address 10.77.0.1 [--seconds N]

HTTP on port 80: the control file /download/ulvex_updates/vantrel/Vantrel.INF
(the program's own version with the build number one higher), a what's-new
text, and the program itself as the new version ("Vantrel.exe_NEW", which
the updater copies over Vantrel.exe). DNS on port 53 (UDP): an A record for
the update host, nothing for anything else. Every request is printed.
"""

import argparse
import http.server
import socket
import socketserver
import struct
import sys
import threading
import time

HOST = "www.vantrel.com"
FOLDER = "/download/ulvex_updates/vantrel/"


def say(text):
    print("update server: " + text, flush=True)


def exe_version(path):
    """The file version of a PE file's version information."""
    with open(path, "rb") as f:
        data = f.read()
    # The fixed record: its signature, then its structure version 1.0.
    marker = struct.pack("<II", 0xFEEF04BD, 0x00010000)
    at = data.rfind(marker)
    if at < 0:
        return (1, 0, 0, 0)
    ms, ls = struct.unpack("<II", data[at + 8:at + 16])
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def control_file(version):
    newer = "%d.%d.%d.%d" % (version[0], version[1], version[2], version[3] + 1)
    url = "http://" + HOST + FOLDER
    lines = [
        "[update]",
        "newversion=" + newer,
        "localversion={APP}\\Vantrel.exe",
        "descr=A newer build of Vantrel from the lab's update server.",
        "[application]",
        "appupdate=1",
        "appname=Vantrel.exe",
        "appcomps=Vantrel.exe_NEW",
        "[whatsnew]",
        "file=" + url + "whatsnew.txt",
        "[files]",
        "count=1",
        "[file1]",
        "url=" + url + "Vantrel.exe_NEW",
        "descr=Vantrel " + newer,
        "mandatory=1",
    ]
    return newer, ("\r\n".join(lines) + "\r\n").encode()


class Handler(http.server.BaseHTTPRequestHandler):
    files = {}

    def log_message(self, *args):
        pass

    def do_GET(self):
        say("%s asks %s %s" % (self.client_address[0], self.command, self.path))
        body = self.files.get(self.path)
        if body is None:
            self.send_response(404)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def dns_answer(query, address):
    """The answer to one DNS query: the address for the update host's A
    record, an empty answer for its other records, "no such name" else."""
    if len(query) < 12:
        return None
    ident, _flags, qdcount = struct.unpack(">HHH", query[:6])
    if qdcount != 1:
        return None
    labels, i = [], 12
    while i < len(query) and query[i] != 0:
        n = query[i]
        labels.append(query[i + 1:i + 1 + n].decode("ascii", "replace"))
        i += 1 + n
    question_end = i + 5
    if question_end > len(query):
        return None
    qtype = struct.unpack(">H", query[i + 1:i + 3])[0]
    name = ".".join(labels).lower()
    question = query[12:question_end]
    if name != HOST:
        return struct.pack(">HHHHHH", ident, 0x8183, 1, 0, 0, 0) + question
    if qtype != 1:
        return struct.pack(">HHHHHH", ident, 0x8180, 1, 0, 0, 0) + question
    answer = struct.pack(">HHHLH", 0xC00C, 1, 1, 60, 4) + socket.inet_aton(address)
    return struct.pack(">HHHHHH", ident, 0x8180, 1, 1, 0, 0) + question + answer


def serve_dns(address, stop):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.bind((address, 53))
    s.settimeout(0.5)
    while not stop.is_set():
        try:
            query, peer = s.recvfrom(512)
        except socket.timeout:
            continue
        reply = dns_answer(query, address)
        if reply:
            s.sendto(reply, peer)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--address", required=True)
    ap.add_argument("--seconds", type=int, default=3600)
    args = ap.parse_args()
    with open(args.exe, "rb") as f:
        program = f.read()
    newer, control = control_file(exe_version(args.exe))
    Handler.files = {
        FOLDER + "Vantrel.INF": control,
        FOLDER + "whatsnew.txt": ("Vantrel " + newer + "\r\n\r\nThe lab's newer build.\r\n").encode(),
        FOLDER + "Vantrel.exe_NEW": program,
    }
    stop = threading.Event()
    threading.Thread(target=serve_dns, args=(args.address, stop), daemon=True).start()
    server = Server((args.address, 80), Handler)
    threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.5}, daemon=True).start()
    say("offers version %s at http://%s%sVantrel.INF; %s resolves to %s" % (newer, HOST, FOLDER, HOST, args.address))
    try:
        time.sleep(args.seconds)
    except KeyboardInterrupt:
        pass
    stop.set()
    server.shutdown()
    return 0


if __name__ == "__main__":
    sys.exit(main())
