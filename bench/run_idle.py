"""Measures the real widget at rest beside `xclock -update 1`, on one private Xvfb with
openbox: time from exec to the window being mapped (median of 5 starts each), CPU
milliseconds per minute (all threads, and the GUI thread alone, which is the widget without
its animation) and resident memory after the measuring window. Run through run-idle.sh."""

import os
import statistics
import subprocess
import sys
import threading
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from deskwatch_e2e import Desktop  # noqa: E402


class Cleanups:
    def __init__(self):
        self.fns = []

    def addCleanup(self, fn):
        self.fns.append(fn)

    def run(self):
        for fn in reversed(self.fns):
            fn()


class MapWatch:
    """Notes when each top-level window is mapped, from the root's substructure events."""

    def __init__(self, desk, settle=0.3):
        self.proc = desk._spawn(["stdbuf", "-oL", "xev", "-root", "-event", "substructure"],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.maps = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()
        time.sleep(settle)

    def _read(self):
        for line in self.proc.stdout:
            if line.startswith("MapNotify"):
                with self.lock:
                    self.maps.append(time.monotonic())

    def first_after(self, t, timeout=10):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            with self.lock:
                later = [m for m in self.maps if m >= t]
            if later:
                return later[0]
            time.sleep(0.002)
        raise RuntimeError("no window was mapped")


def cpu_ns(pid, gui_only=False):
    tasks = [str(pid)] if gui_only else os.listdir("/proc/%d/task" % pid)
    total = 0
    for t in tasks:
        with open("/proc/%d/task/%s/schedstat" % (pid, t)) as f:
            total += int(f.read().split()[0])
    return total


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def start_ms(desk, watch, argv, env):
    t0 = time.monotonic()
    proc = desk._spawn(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = watch.first_after(t0)
    return proc, (mapped - t0) * 1000


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0
    settle = float(sys.argv[2]) if len(sys.argv) > 2 else 1.0
    binary = os.environ["DESKWATCH_BIN"]
    env = {"DESKWATCH_SEARCH_HOST": "127.0.0.1:9"}
    clean = Cleanups()
    try:
        desk = Desktop.start(clean)
        watch = MapWatch(desk)
        starts = {"deskwatch": [], "xclock": []}
        for _ in range(5):
            for name, argv in (("deskwatch", [binary]), ("xclock", ["xclock", "-update", "1"])):
                proc, ms = start_ms(desk, watch, argv, env)
                starts[name].append(ms)
                time.sleep(0.3)
                proc.terminate()
                proc.wait(5)
                time.sleep(0.2)
        widget, _ = start_ms(desk, watch, [binary], env)
        clock, _ = start_ms(desk, watch, ["xclock", "-update", "1"], env)
        time.sleep(settle)  # past start-up work
        c0 = {p.pid: (cpu_ns(p.pid), cpu_ns(p.pid, True)) for p in (widget, clock)}
        time.sleep(seconds)
        per_minute = 60.0 / seconds
        rows = []
        for name, p in (("deskwatch", widget), ("xclock -update 1", clock)):
            total = (cpu_ns(p.pid) - c0[p.pid][0]) / 1e6 * per_minute
            gui = (cpu_ns(p.pid, True) - c0[p.pid][1]) / 1e6 * per_minute
            rows.append((name, statistics.median(starts[name.split()[0]]), total, gui,
                         rss_kib(p.pid)))
        print("measured over %.0f s, %.0f s after start, on %s (Xvfb 1280x1024x24 + openbox)"
              % (seconds, settle, desk.display))
        print("%-18s %14s %16s %18s %10s" % ("program", "mapped (ms)", "CPU ms/min all",
                                             "CPU ms/min GUI", "RSS KiB"))
        for r in rows:
            print("%-18s %14.1f %16.1f %18.1f %10d" % r)
        w, x = rows
        print("start-up ratio deskwatch/xclock: %.2f (target <= 2, and <= 100 ms)" % (w[1] / x[1]))
        print("CPU ratio without animation (GUI thread) deskwatch/xclock: %.2f (target <= 1)"
              % (w[3] / x[2] if x[2] else float("inf")))
        print("starts (ms): deskwatch %s; xclock %s" % (
            ", ".join("%.1f" % v for v in starts["deskwatch"]),
            ", ".join("%.1f" % v for v in starts["xclock"])))
    finally:
        clean.run()


if __name__ == "__main__":
    main()
