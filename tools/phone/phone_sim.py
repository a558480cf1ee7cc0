#!/usr/bin/env python3
"""The phone side of Vantrel's UDP link, for the lab network.

Listens on the phone's port (43000) and answers as the companion app does:
discovery with "AT+PHONE_IP=", the heartbeat with "+HEART:", "AT+GET_CONTACTS"
with a phone book, "AT+SEND_SMS=" with the send OK and per-part status and
delivery lines, "AT+ANALYZE_TEXT~" with the part count. Every datagram is
printed as it passes, both ways.

A control port (43099 by default, same address) takes one command per
datagram and answers the sender:
  pass CODE        forward a passcode ("AT+PASS=" CODE) to the desktop
  sms NUMBER~BODY  forward an incoming SMS ("AT+NEWSMS=")
  raw TEXT         send TEXT as it is to the desktop
  silent on|off    stop or resume answering the heartbeat
  parts N|auto     count the next texts (analysis and SMS) as N parts (N may
                   be 0), or by their length again (160 characters a part)
  fail N [TEXT]    part N of the next SMS fails: its status is "0" with TEXT
                   (default "network error")
  hold on|off      with hold on, an SMS gets only its send OK; its statuses
                   and reports wait for "release"
  release          sends the statuses and reports held back
  mute on|off      stop or resume answering anything at all
  log              the datagrams received from the desktop, one per line
                   ("<ip>:<port> <text>"), oldest first; clears the log
  getip            send "AT+GETIP" from a socket of its own; answers the reply
  bench N [HOST [PORT]]
                   N requests "AT+GETIP" one after another (at most 10,000,
                   each waiting at most 2 s) to HOST's PORT (default the
                   desktop's, 43011), answers "n median_us p99_us lost"
  times N [HOST [PORT]]
                   as bench with N at most 1,000, answers "lost t1 t2 ..."
                   (each answer's round trip in microseconds, in order)
  ping             answers "pong"
From another shell in the phone namespace, `phone_sim.py --send "pass 4711"`
sends one such command and prints the answer. With --demo-pass CODE the
simulator forwards CODE once by itself, on the third heartbeat it answers.
Everything is bounded: the program ends after --seconds (default 3600).
"""
import argparse
import os
import select
import socket
import sys
import time

PHONE_PORT = 43000
DESK_PORT = 43011
CONTROL_PORT = 43099
MAX_PARTS = 255

PHONE_BOOK = [("Ann Lee", "+48 600 100 200"), ("Bob", "456"), ("Celina", "+48 601 300 400")]


QUIET = False


def say(text):
    if not QUIET:
        print(text, flush=True)


class Phone:
    def __init__(self, args):
        self.args = args
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
        self.sock.bind(("0.0.0.0", args.port))
        self.ctl = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        self.ctl.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.ctl.bind(("0.0.0.0", args.control_port))
        self.desk = (args.desk, DESK_PORT)
        self.silent = False
        self.mute = False
        self.log = []
        self.next_id = 1
        self.heartbeats = 0
        self.demo_pass = args.demo_pass
        self.parts = None      # forced part count, or None to count
        self.fail_part = 0     # the part of the next SMS that fails, 0: none
        self.fail_text = ""
        self.hold = False
        self.held = []         # (text, addr) waiting for "release"

    def send(self, text, addr=None):
        addr = addr or self.desk
        data = text.encode("cp1250", errors="replace")
        self.sock.sendto(data, addr)
        say(f"phone -> {addr[0]}:{addr[1]}  {text}")

    def on_datagram(self, data, addr):
        text = data.decode("cp1250", errors="replace")
        say(f"phone <- {addr[0]}:{addr[1]}  {text}")
        self.log.append(f"{addr[0]}:{addr[1]} {text}")
        del self.log[:-500]
        if addr[1] == DESK_PORT:
            self.desk = addr
        if self.mute:
            return
        if text == "AT+GET_PHONE_IP":
            self.send("AT+PHONE_IP=" + self.args.address, addr)
        elif text == "AT+HEART":
            if not self.silent:
                self.send("+HEART:", addr)
                self.heartbeats += 1
                if self.demo_pass and self.heartbeats == 3:
                    self.send("AT+PASS=" + self.demo_pass, addr)
        elif text == "AT+GET_CONTACTS":
            self.send("AT+NEW_CONTACTS", addr)
            for name, number in PHONE_BOOK:
                self.send(f"AT+CONTACT={name};{number}^", addr)
            self.send("AT+CONTACT_END", addr)
        elif text.startswith("AT+SEND_SMS="):
            number, _, body = text[len("AT+SEND_SMS="):].partition("~")
            parts = self.count_parts(body)
            sms_id = self.next_id
            self.next_id += 1
            self.send(f"AT+SMS_SEND_OK={number}~{sms_id}~{parts}~{body}", addr)
            answers = []
            for part in range(1, max(parts, 1) + 1):
                if part == self.fail_part:
                    answers.append(f"AT+SMS_SEND_STATUS={number},{sms_id},0,{self.fail_text}")
                else:
                    answers.append(f"AT+SMS_SEND_STATUS={number},{sms_id},1,")
            for part in range(1, max(parts, 1) + 1):
                if part != self.fail_part:
                    answers.append(f"AT+SMS_DELIVERED_OK={number},{sms_id}")
            self.fail_part = 0
            for answer in answers:
                if self.hold:
                    self.held.append((answer, addr))
                else:
                    self.send(answer, addr)
        elif text.startswith("AT+ANALYZE_TEXT~"):
            body = text[len("AT+ANALYZE_TEXT~"):]
            self.send(f"AT+SMS_PARTS_CNT={self.count_parts(body)}", addr)
        # "+HEART:" is the desktop's reply to ours; calls need no answer.

    def count_parts(self, body):
        # A long message has at most 255 parts; the count bounds the answers.
        if self.parts is not None:
            return min(self.parts, MAX_PARTS)
        return min(MAX_PARTS, max(1, (len(body) + 159) // 160))

    def round_trips(self, count, host, port):
        """Times COUNT requests "AT+GETIP" one after another; (times_us, lost)."""
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        s.bind((self.args.address if self.args.address != "0.0.0.0" else "", 0))
        times, lost = [], 0
        target = (host, port)
        try:
            for _ in range(count):
                start = time.perf_counter_ns()
                s.sendto(b"AT+GETIP", target)
                deadline = start + 2_000_000_000
                while True:
                    left = (deadline - time.perf_counter_ns()) / 1e9
                    if left <= 0:
                        lost += 1
                        break
                    r, _, _ = select.select([s], [], [], left)
                    if not r:
                        continue
                    data, _ = s.recvfrom(2048)
                    if data.startswith(b"+GETIP:"):
                        times.append((time.perf_counter_ns() - start) // 1000)
                        break
        finally:
            s.close()
        return times, lost

    def bench(self, count, host, port):
        times, lost = self.round_trips(max(1, min(count, 10000)), host, port)
        if not times:
            return f"0 0 0 {lost}"
        times.sort()
        median = times[len(times) // 2]
        p99 = times[min(len(times) - 1, (len(times) * 99) // 100)]
        return f"{len(times)} {median} {p99} {lost}"

    def times(self, count, host, port):
        times, lost = self.round_trips(max(1, min(count, 1000)), host, port)
        return " ".join(str(t) for t in [lost] + times)

    def getip(self):
        s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        try:
            s.sendto(b"AT+GETIP", self.desk)
            say(f"phone -> {self.desk[0]}:{self.desk[1]}  AT+GETIP")
            r, _, _ = select.select([s], [], [], 2.0)
            if not r:
                return ""
            data, addr = s.recvfrom(2048)
            text = data.decode("cp1250", errors="replace")
            say(f"phone <- {addr[0]}:{addr[1]}  {text}")
            return text
        finally:
            s.close()

    def on_control(self, data, addr):
        line = data.decode("utf-8", errors="replace").strip()
        cmd, _, rest = line.partition(" ")
        answer = "ok"
        if cmd == "pass":
            self.send("AT+PASS=" + rest)
        elif cmd == "sms":
            self.send("AT+NEWSMS=" + rest)
        elif cmd == "raw":
            self.send(rest)
        elif cmd == "silent":
            self.silent = rest == "on"
        elif cmd == "parts":
            self.parts = int(rest) if rest.strip().lstrip("-").isdigit() else None
        elif cmd == "fail":
            number, _, text = rest.partition(" ")
            self.fail_part = int(number) if number.isdigit() else 0
            self.fail_text = text or "network error"
        elif cmd == "hold":
            self.hold = rest == "on"
        elif cmd == "release":
            held, self.held = self.held[:1000], []
            for text, addr in held:
                self.send(text, addr)
        elif cmd == "mute":
            self.mute = rest == "on"
        elif cmd == "log":
            answer = "\n".join(self.log)
            self.log = []
        elif cmd == "getip":
            answer = self.getip()
        elif cmd in ("bench", "times"):
            words = rest.split()
            count = int(words[0]) if words and words[0].isdigit() else 100
            host = words[1] if len(words) > 1 else self.desk[0]
            port = DESK_PORT
            if len(words) > 2:
                port = int(words[2]) if words[2].isdigit() else 0
            if not 0 < port < 65536:
                answer = "bad port"
            elif cmd == "bench":
                answer = self.bench(count, host, port)
            else:
                answer = self.times(count, host, port)
        elif cmd == "ping":
            answer = "pong"
        else:
            answer = "unknown command"
        self.ctl.sendto(answer.encode("utf-8")[:60000], addr)

    def run(self):
        say(f"phone simulator on port {self.args.port}, control port {self.args.control_port}")
        end = time.monotonic() + self.args.seconds
        while time.monotonic() < end:
            r, _, _ = select.select([self.sock, self.ctl], [], [], 0.5)
            for s in r:
                try:
                    data, addr = s.recvfrom(65535)
                except OSError:
                    continue
                if s is self.sock:
                    self.on_datagram(data, addr)
                else:
                    self.on_control(data, addr)


def send_command(args):
    s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    s.settimeout(5)
    host = "127.0.0.1" if args.address == "0.0.0.0" else args.address
    s.sendto(args.send.encode("utf-8"), (host, args.control_port))
    try:
        print(s.recvfrom(65535)[0].decode("utf-8", errors="replace"))
    except socket.timeout:
        print("no answer", file=sys.stderr)
        return 1
    return 0


def main():
    p = argparse.ArgumentParser(description="Vantrel phone simulator")
    p.add_argument("--address", default=os.environ.get("VANTREL_LAB_PHONE_IP", "0.0.0.0"))
    p.add_argument("--desk", default=os.environ.get("VANTREL_LAB_DESK_IP", "127.0.0.1"))
    p.add_argument("--port", type=int, default=PHONE_PORT)
    p.add_argument("--control-port", type=int, default=CONTROL_PORT)
    p.add_argument("--seconds", type=float, default=3600)
    p.add_argument("--quiet", action="store_true", help="print nothing")
    p.add_argument("--demo-pass", default="", help="forward this passcode once, on the third heartbeat")
    p.add_argument("--send", metavar="COMMAND", help="send one command to a running simulator's control port")
    args = p.parse_args()
    if args.send:
        return send_command(args)
    global QUIET
    QUIET = args.quiet
    try:
        Phone(args).run()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
