#!/usr/bin/env python3
"""The phone side of the socket layer's lab test: answers every datagram on
UDP port 43000 with "echo:" and the datagram, to its sender. Bounded: ends
after 300 seconds or 1000 datagrams."""
import socket
import time

sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
sock.bind(("0.0.0.0", 43000))
sock.settimeout(1.0)
deadline = time.monotonic() + 300
answered = 0
while time.monotonic() < deadline and answered < 1000:
    try:
        data, sender = sock.recvfrom(65536)
    except socket.timeout:
        continue
    sock.sendto(b"echo:" + data, sender)
    answered += 1
