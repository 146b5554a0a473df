#!/usr/bin/env python3
"""Load on tundrix-server: concurrent clients POST the selection of the largest tab (every level
and brand of condensing units, R404A/R507) for a fixed time, on loopback only.

    bench/server_load.py [--server build/bin/tundrix-server] [--data DIR] [--clients 32]
                         [--seconds 20] [--warmup 2] [--threads N]

Starts its own server on a free loopback port (or uses --port of one already running on
127.0.0.1) and reports selections per second, p50/p99 latency, errors, the server's resident
memory over the run and the load average. Clients and time are bounded (at most 64 clients,
60 seconds).
"""
import argparse
import http.client
import json
import os
import re
import subprocess
import sys
import threading
import time

BODY = json.dumps({"tab": "out", "evaporate": -10, "ambient": 30, "ambientMode": True,
                   "required": 10, "refrigerant": "R404A", "level": 0,
                   "brands": [1, 2, 3, 4]}).encode()
HEADERS = {"Content-Type": "application/json"}


def rss_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def client(port, until, reference, out, lock):
    latencies, errors = [], 0
    conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    while time.monotonic() < until:
        t = time.monotonic()
        try:
            conn.request("POST", "/api/v1/select", BODY, HEADERS)
            resp = conn.getresponse()
            body = resp.read()
            ok = resp.status == 200 and body == reference
        except (OSError, http.client.HTTPException):
            ok = False
            conn.close()
            conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
        latencies.append(time.monotonic() - t)
        errors += not ok
    conn.close()
    with lock:
        out["latencies"].extend(latencies)
        out["errors"] += errors


def run(port, pid, clients, seconds, warmup):
    conn = http.client.HTTPConnection("127.0.0.1", port, timeout=30)
    conn.request("POST", "/api/v1/select", BODY, HEADERS)
    resp = conn.getresponse()
    reference = resp.read()
    # An idle connection kept open holds one of the server's request threads until its
    # keep-alive time (5 s) runs out: a client of the run then waited for it.
    conn.close()
    if resp.status != 200:
        sys.exit(f"select failed: {resp.status} {reference[:200]!r}")
    units = json.loads(reference)["count"]

    # Warm-up: every catalogue of the pool started.
    warm = {"latencies": [], "errors": 0}
    lock = threading.Lock()
    threads = [threading.Thread(target=client, args=(port, time.monotonic() + warmup, reference,
                                                     warm, lock)) for _ in range(clients)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()

    load_before = os.getloadavg()
    out = {"latencies": [], "errors": 0}
    memory = []
    start = time.monotonic()
    until = start + seconds
    threads = [threading.Thread(target=client, args=(port, until, reference, out, lock))
               for _ in range(clients)]
    for t in threads:
        t.start()
    while time.monotonic() < until:
        memory.append(rss_kib(pid))
        time.sleep(0.5)
    for t in threads:
        t.join()
    elapsed = time.monotonic() - start
    memory.append(rss_kib(pid))
    load_after = os.getloadavg()

    lat = sorted(out["latencies"])
    n = len(lat)
    mean_mem = sum(memory) / len(memory)
    report = {
        "units": units,
        "clients": clients,
        "seconds": round(elapsed, 1),
        "selections": n,
        "per_second": round(n / elapsed, 1),
        "p50_ms": round(lat[n // 2] * 1000, 1),
        "p99_ms": round(lat[min(n - 1, int(n * 0.99))] * 1000, 1),
        "max_ms": round(lat[-1] * 1000, 1),
        "errors": out["errors"],
        "rss_mib": {"first": round(memory[0] / 1024, 1), "min": round(min(memory) / 1024, 1),
                    "max": round(max(memory) / 1024, 1), "last": round(memory[-1] / 1024, 1)},
        "rss_spread_percent": round((max(memory) - min(memory)) / mean_mem * 100, 1),
        # Flat: no sample further than 10 % from the first one.
        "rss_drift_percent": round(max(abs(m - memory[0]) for m in memory) / memory[0] * 100, 1),
        "loadavg_before": [round(x, 2) for x in load_before],
        "loadavg_after": [round(x, 2) for x in load_after],
        "cpus": os.cpu_count(),
    }
    print(json.dumps(report, indent=2))
    targets = (report["per_second"] >= 300 and report["p99_ms"] < 100 and report["errors"] == 0
               and report["rss_drift_percent"] <= 10)
    print("targets (>= 300/s, p99 < 100 ms, 0 errors, memory within +-10 % of its first sample):",
          "met" if targets else "NOT met")
    return 0 if targets else 1


def main():
    top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--server", default=os.path.join(top, "build", "bin", "tundrix-server"))
    p.add_argument("--data", help="catalogue folder (default: the server's own)")
    p.add_argument("--port", type=int, help="use a server already running on 127.0.0.1:PORT")
    p.add_argument("--pid", type=int, help="its process id, for the memory figures")
    p.add_argument("--threads", type=int, help="the server's --threads")
    p.add_argument("--clients", type=int, default=32)
    p.add_argument("--seconds", type=float, default=20)
    p.add_argument("--warmup", type=float, default=2)
    a = p.parse_args()
    if not 1 <= a.clients <= 64 or not 0 < a.seconds <= 60 or not 0 <= a.warmup <= 10:
        sys.exit("clients 1..64, seconds up to 60, warm-up up to 10")
    if a.port:
        if not a.pid:
            sys.exit("--port needs --pid (the server's process, for its memory)")
        return run(a.port, a.pid, a.clients, a.seconds, a.warmup)
    cmd = [a.server, "--listen", "127.0.0.1:0"]
    if a.data:
        cmd += ["--data", a.data]
    if a.threads:
        cmd += ["--threads", str(a.threads)]
    server = subprocess.Popen(cmd, stderr=subprocess.PIPE, text=True,
                              env=dict(os.environ, LC_ALL="C"))
    try:
        # Qt may say something first (no XDG_RUNTIME_DIR, for one): the address line is looked
        # for among the first few.
        m, lines = None, []
        while not m and len(lines) < 20:
            line = server.stderr.readline()
            if not line:
                break
            lines.append(line)
            m = re.search(r"listening on http://127\.0\.0\.1:(\d+)/", line)
        if not m:
            sys.exit("tundrix-server did not start: " + "".join(lines))
        # The request log is read away so that the server never waits on a full pipe.
        threading.Thread(target=lambda: [None for _ in server.stderr], daemon=True).start()
        return run(int(m.group(1)), server.pid, a.clients, a.seconds, a.warmup)
    finally:
        server.terminate()
        server.wait(timeout=30)


if __name__ == "__main__":
    sys.exit(main())
