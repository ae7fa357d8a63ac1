#!/usr/bin/env python3
"""Sends the simulator's full datagram (every key, in its order) to Kalveo at a given rate.

Two flights:
  crossings N  -- N times 1.5 s well below the alarm speed, then 0.5 s above it, so that each
                  crossing starts the alarm from silence (for the alarm-latency probe); prints
                  the time (s since the epoch) each first datagram over the speed was sent;
  glide S      -- S seconds of a glide whose speed and bank change all the time.
"""
import math
import random
import socket
import sys
import time

SAMPLE = sys.argv[1]
PORT = int(sys.argv[2])
RATE = float(sys.argv[3])
KIND = sys.argv[4]
AMOUNT = float(sys.argv[5])


def template():
    lines = []
    with open(SAMPLE, encoding="ascii") as f:
        for line in f.read().splitlines():
            if "=" in line:
                key, value = line.split("=", 1)
                lines.append([key, value])
    return lines


def datagram(lines, values):
    return "".join(f"{k}={values.get(k, v)}\r\n" for k, v in lines).encode("ascii")


def speeds():
    """Indicated airspeed (m/s) and bank (rad) at time t (s) of the flight."""
    if KIND == "crossings":
        def at(t):
            phase = t % 2.0
            return (150.0 if phase < 1.5 else 285.0) / 3.6, 0.0
        return at, AMOUNT * 2.0
    def at(t):
        return (110.0 + 40.0 * math.sin(t / 6.0)) / 3.6, 0.5 * math.sin(t / 4.0)
    return at, AMOUNT


def main():
    lines = template()
    at, duration = speeds()
    out = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    period = 1.0 / RATE
    start = time.monotonic()
    n = 0
    over = False
    while True:
        t = n * period
        if t > duration:
            break
        ias, bank = at(t)
        values = {"time": f"{12.0 + t / 3600.0:.7f}", "airspeed": f"{ias:.3f}",
                  "bank": f"{bank:.5f}", "vz": f"{-0.8 - 0.01 * ias:.3f}"}
        if KIND == "crossings" and ias * 3.6 > 200.0 and not over:
            # The simulator's clock owes nothing to Kalveo's timer: each crossing lands at a
            # random point of its 25 ms tick.
            shift = random.uniform(0.0, 0.025)
            time.sleep(shift)
            start += shift
        sent = time.time()
        out.sendto(datagram(lines, values), ("127.0.0.1", PORT))
        if KIND == "crossings" and (ias * 3.6 > 200.0) != over:
            over = not over
            if over:
                print(f"{sent:.6f}", flush=True)  # the first datagram over the alarm speed
        n += 1
        delay = start + n * period - time.monotonic()
        if delay > 0:
            time.sleep(delay)


main()
