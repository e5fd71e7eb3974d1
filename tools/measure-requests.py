#!/usr/bin/env python3
"""How fast the running program answers while the simulated rig's Plus boxes animate.

    tools/measure-requests.py requests [--boxes 16] [--latency 2] [--count 50] [--upset]
    tools/measure-requests.py phone    [--boxes 4]  [--latency 2] [--count 50]
    tools/measure-requests.py start    [--boxes 16] [--latency 2] [--silent 15] [--runs 5]
    tools/measure-requests.py memory   [--boxes 16] [--latency 2] [--minutes 10]

Starts the Release program (BUILD_DIR, default build-rel) on a simulated rig in a throw-away home,
puts every port of every box in the cross through the mobile app link (command 0, light mode 15),
lets it settle and then:

requests  times `count` rig control commands (sent, "ok" read back) and `count` second-start
          hand-overs (the 12-byte "show" message on the instance socket, up to the running
          program's log line for it), median and worst; every fifth time also a whole second
          start. Meanwhile a second connection sends rig commands back to back: its longest round
          trip bounds the event loop's longest stall. With --upset, box 4 goes silent and box 6 is
          unplugged and plugged back while the requests run. The other boxes' lighting frames per
          port per second are counted from the trace.
phone     times `count` phone commands (command 0: port 1 of box 1 to blink, speed alternating)
          from the send to its lighting report in the trace (the port is kept out of the cross).
start     the "started in" figure of the log, and process start to that line, over `runs` starts
          (box `silent` counted from 0 answers nothing; -1: every box answers).
memory    the program's resident memory once a minute, without a trace (it would grow the disk).

KEEP_HOME=1 keeps the throw-away home (log, trace) for a look afterwards.
Every figure comes with /proc/loadavg: other processes share the CPU, so say it with the figure.
"""
import argparse
import base64
import datetime
import json
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LIGHT_CROSS = 15
LIGHT_BLINK = 3


def loadavg():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def plus_dev(box):
    return "264a:%04x" % (0x1FA5 + box)


def summary(values_ms):
    return "median %.2f ms, worst %.2f ms (of %d)" % (statistics.median(values_ms), max(values_ms), len(values_ms))


class Program:
    """The program on a rig of `boxes` Plus boxes, in a home of its own."""

    def __init__(self, exe, boxes, latency, silent=None, trace=True):
        self.home = tempfile.mkdtemp(prefix="zyne-measure-")
        for folder in ("config", "runtime", "tmp"):
            os.makedirs(os.path.join(self.home, folder), mode=0o700)
        rig = {"plus": [{"index": i, "latency_ms": latency} for i in range(boxes)]}
        if silent is not None:
            rig["plus"][silent]["behaviour"] = "silent"
        with open(os.path.join(self.home, "rig.json"), "w") as f:
            json.dump(rig, f)
        self.control = os.path.join(self.home, "control.sock")
        self.trace = os.path.join(self.home, "trace.jsonl") if trace else None
        self.log = os.path.join(self.home, "config", "Vx", "RGBZynePlus", "ZynePlus.log")
        self.mobile_port = free_port()
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                        XDG_RUNTIME_DIR=os.path.join(self.home, "runtime"), TMPDIR=os.path.join(self.home, "tmp"),
                        USER="zyne-measure", QT_QPA_PLATFORM="offscreen", ZYNE_HID_BACKEND="sim",
                        ZYNE_SIM_RIG=os.path.join(self.home, "rig.json"), ZYNE_SIM_CONTROL=self.control,
                        ZYNE_MOBILE_PORT=str(self.mobile_port), ZYNE_PSU_APP_PORT=str(free_port()))
        if self.trace:
            self.env["ZYNE_SIM_TRACE"] = self.trace
        self.exe = exe
        self.launched = time.time()
        self.process = subprocess.Popen([exe, "--hidden"], env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=open(os.path.join(self.home, "stderr.log"), "w"))
        self.started_line = self.wait_for_log(r"started in (\d+) ms", 30)
        self.app = None

    def wait_for_log(self, pattern, seconds, after=0):
        """The first log line past offset `after` matching `pattern`, waiting up to `seconds`."""
        deadline = time.time() + seconds
        while time.time() < deadline:
            if os.path.exists(self.log):
                with open(self.log, errors="replace") as f:
                    f.seek(after)
                    for line in f:
                        if re.search(pattern, line):
                            return line
            if self.process.poll() is not None:
                break
            time.sleep(0.0002)
        sys.exit("no log line matching %r; see %s" % (pattern, self.home))

    def log_size(self):
        return os.path.getsize(self.log) if os.path.exists(self.log) else 0

    def rss_kib(self):
        with open("/proc/%d/status" % self.process.pid) as f:
            return int(next(line for line in f if line.startswith("VmRSS:")).split()[1])

    def command(self, text):
        """One rig control command; its answer and the round trip in ms."""
        begun = time.perf_counter()
        with socket.socket(socket.AF_UNIX) as s:
            s.settimeout(10)
            s.connect(self.control)
            s.sendall(text.encode() + b"\n")
            answer = b""
            while not answer.endswith(b"\n"):
                chunk = s.recv(256)
                if not chunk:
                    break
                answer += chunk
        return answer.decode().strip(), (time.perf_counter() - begun) * 1000

    def hand_over(self):
        """A second start's "show" message, sent as it sends it; ms until the running program logs taking it."""
        offset = self.log_size()
        begun = time.perf_counter()
        with socket.socket(socket.AF_UNIX) as s:
            s.connect(os.path.join(self.home, "runtime", "zyne-plus-rgb.socket"))
            s.sendall((0x8101).to_bytes(4, "big") + (1).to_bytes(4, "big") + (1).to_bytes(4, "big"))
        self.wait_for_log(r"msgType: 0x8101", 10, offset)
        return (time.perf_counter() - begun) * 1000

    def second_start(self):
        """A whole second start of the program; ms until the running program logs taking its message."""
        offset = self.log_size()
        begun = time.perf_counter()
        subprocess.run([self.exe], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
        self.wait_for_log(r"msgType: 0x8101", 10, offset)
        return (time.perf_counter() - begun) * 1000

    def connect_app(self):
        self.app = socket.create_connection(("127.0.0.1", self.mobile_port), timeout=10)
        greeting = self.app.recv(256)
        assert b"&" in greeting, greeting

    def phone(self, command):
        self.app.sendall(base64.b64encode(json.dumps(command).encode()) + b"&")

    def light(self, boxes, ports, mode, speed=0):
        self.phone({"command": 0, "Data": {"BoxNum": boxes, "FanNum": ports, "LightMode": mode,
                                           "ColorMode": 0, "Speed": speed}})

    def lighting_per_port(self, since_ms, until_ms):
        """Lighting reports each (device, wire port) got in a span of the trace's clock."""
        counts = {}
        with open(self.trace) as f:
            for line in f:
                if '"dir":"out"' not in line or '"hex":"003252' not in line:
                    continue
                entry = json.loads(line)
                if since_ms <= entry["t_ms"] < until_ms:
                    key = (entry["dev"], entry["hex"][6:8])
                    counts[key] = counts.get(key, 0) + 1
        return counts

    def trace_clock(self):
        """The trace's clock now (ms), read from its last line."""
        with open(self.trace, "rb") as f:
            f.seek(max(0, os.path.getsize(self.trace) - 4096))
            return json.loads(f.read().splitlines()[-1])["t_ms"]

    def stop(self):
        if self.app:
            self.app.close()
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        if os.environ.get("KEEP_HOME"):
            print("home kept: " + self.home)
        else:
            shutil.rmtree(self.home, ignore_errors=True)


def all_boxes(boxes):
    return "1" * boxes + "0" * (16 - boxes)


def animate(program, boxes):
    program.connect_app()
    program.light(all_boxes(boxes), "11111", LIGHT_CROSS)
    time.sleep(3)


def run_requests(args, exe):
    program = Program(exe, args.boxes, args.latency)
    try:
        animate(program, args.boxes)
        print("rig: %d boxes at latency_ms %d, every port in the cross%s" %
              (args.boxes, args.latency, "; box 4 silent, box 6 unplugged and plugged back" if args.upset else ""))
        since = program.trace_clock()
        commands, hand_overs, second_starts = [], [], []
        # Back-to-back commands on a second connection: the longest round trip bounds the longest stall.
        pings, pinging = [], threading.Event()
        pinging.set()

        def ping():
            while pinging.is_set():
                pings.append(program.command("rpm plus 0 0 1200")[1])
                time.sleep(0.002)

        pinger = threading.Thread(target=ping)
        pinger.start()
        upsets = {args.count // 5: "behave plus 3 silent", args.count // 2: "unplug plus 5",
                  (3 * args.count) // 4: "plug plus 5"} if args.upset else {}
        for i in range(args.count):
            if i in upsets:
                answer, _ = program.command(upsets[i])
                assert answer == "ok", answer
            answer, ms = program.command("rpm plus 0 0 1200")
            assert answer == "ok", answer
            commands.append(ms)
            hand_overs.append(program.hand_over())
            if i % 5 == 0:
                second_starts.append(program.second_start())
            time.sleep(0.2)
        pinging.clear()
        pinger.join()
        until = program.trace_clock()
        print("load during the run: %s" % loadavg())
        print("back-to-back rig commands (%d), the longest: %.2f ms" % (len(pings), max(pings)))
        print("rig control command: " + summary(commands))
        print("second start's hand-over (its message on the socket): " + summary(hand_overs))
        print("whole second start, its own start-up included: " + summary(second_starts))
        counts = program.lighting_per_port(since, until)
        span = (until - since) / 1000
        upset = {3, 5} if args.upset else set()
        rates = [counts.get((plus_dev(b), "%02x" % (p + 1)), 0) / span for b in range(args.boxes) if b not in upset
                 for p in range(5)]
        print("lighting frames per port per second over %.1f s, %s: %.2f on average, %.2f on the slowest port" %
              (span, "the other boxes" if args.upset else "every box", statistics.mean(rates), min(rates)))
        for b in sorted(upset):
            print("  box %d: %.2f per port per second" %
                  (b + 1, sum(counts.get((plus_dev(b), "%02x" % (p + 1)), 0) for p in range(5)) / 5 / span))
    finally:
        program.stop()


def run_phone(args, exe):
    program = Program(exe, args.boxes, args.latency)
    try:
        animate(program, args.boxes)
        port = "10000"
        latencies = []
        for i in range(args.count):
            speed = i % 2
            expected = '"hex":"00325201%02x' % (4 * LIGHT_BLINK + speed)
            offset = os.path.getsize(program.trace)
            begun = time.perf_counter()
            program.light("1" + "0" * 15, port, LIGHT_BLINK, speed)
            deadline = begun + 5
            seen = False
            with open(program.trace) as f:
                f.seek(offset)
                pending = ""
                while not seen and time.perf_counter() < deadline:
                    pending += f.read()
                    lines = pending.split("\n")
                    pending = lines.pop()
                    seen = any(plus_dev(0) in line and '"dir":"out"' in line and expected in line for line in lines)
                    if not seen:
                        time.sleep(0.0002)
            if not seen:
                sys.exit("command %d: no lighting report for it within 5 s" % i)
            latencies.append((time.perf_counter() - begun) * 1000)
            time.sleep(0.1)
        print("rig: %d boxes at latency_ms %d, every other port in the cross" % (args.boxes, args.latency))
        print("load during the run: %s" % loadavg())
        print("phone command 0 to its report on the wire: " + summary(latencies))
        print("  slowest five: " + ", ".join("#%d %.2f ms" % (i + 1, ms) for ms, i in sorted(((ms, i) for i, ms in enumerate(latencies)), reverse=True)[:5]))
    finally:
        program.stop()


def run_start(args, exe):
    inside, total = [], []
    for _ in range(args.runs):
        program = Program(exe, args.boxes, args.latency, silent=args.silent if args.silent >= 0 else None, trace=False)
        line = program.started_line
        inside.append(int(re.search(r"started in (\d+) ms", line).group(1)))
        stamp = datetime.datetime.fromisoformat(line.split()[0]).timestamp()
        total.append((stamp - program.launched) * 1000)
        program.stop()
    silent = "box %d silent" % (args.silent + 1) if args.silent >= 0 else "none silent"
    print("rig: %d boxes at latency_ms %d, %s; load: %s" % (args.boxes, args.latency, silent, loadavg()))
    print("\"started in\" (inside main): " + summary(inside))
    print("process start to that line: " + summary(total))


def run_memory(args, exe):
    program = Program(exe, args.boxes, args.latency, trace=False)
    try:
        animate(program, args.boxes)
        print("rig: %d boxes at latency_ms %d, every port in the cross" % (args.boxes, args.latency))
        for minute in range(args.minutes + 1):
            if minute:
                time.sleep(60)
            print("minute %2d: resident %.1f MB, load %s" % (minute, program.rss_kib() / 1024, loadavg()), flush=True)
    finally:
        program.stop()


def main():
    # A terminated run still stops its program and clears its home.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("what", choices=["requests", "phone", "start", "memory"])
    parser.add_argument("--boxes", type=int)
    parser.add_argument("--latency", type=int, default=2)
    parser.add_argument("--count", type=int, default=50)
    parser.add_argument("--upset", action="store_true")
    parser.add_argument("--silent", type=int, default=15, help="the silent box's index, -1 for none (start)")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--minutes", type=int, default=10)
    args = parser.parse_args()
    if args.boxes is None:
        args.boxes = 4 if args.what == "phone" else 16
    exe = os.path.join(ROOT, os.environ.get("BUILD_DIR", "build-rel"), "app", "vx-zyne-plus-rgb")
    if not os.access(exe, os.X_OK):
        sys.exit("no %s: build it first (Release, see the header)" % exe)
    {"requests": run_requests, "phone": run_phone, "start": run_start, "memory": run_memory}[args.what](args, exe)


if __name__ == "__main__":
    main()
