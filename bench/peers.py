"""The real widget side by side with `xclock -update 1` and `oclock`, on one private Xvfb with
openbox, the widget's weather answered at once by a local HTTPS server with the normal page.

For each program:
  - ms from exec to its window being mapped (median of 5 starts; the map is seen as the
    window manager's frame being mapped on the root, the same way for every program);
  - CPU ms per minute of the program (all threads, and the main thread alone: for the widget
    that is the clock without the animation) and of the X server, over SECONDS seconds:
    visible, iconified (xdotool windowminimize) and covered by a full-screen window;
  - peak and final resident memory (VmHWM, VmRSS), private memory (Private_Clean +
    Private_Dirty of smaps_rollup), threads and open descriptors.
The X server's figure is what it spent beyond an idle minute of its own (measured first).

Usage: DESKWATCH_BIN=build/release/src/app/deskwatch python3 bench/peers.py [SECONDS [WARMUP]]
WARMUP (default 2) is how long each program runs before the first phase is measured; 62
measures the widget once every seconds value has been laid out (its steady state).
Prints markdown tables.
"""

import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "faults"))
from faults_support import Desktop, FaultServer  # noqa: E402
from run_idle import MapWatch  # noqa: E402  (bench/ is the script's own folder)


class Cleanups:
    def __init__(self):
        self.fns = []

    def addCleanup(self, fn, *args):
        self.fns.append((fn, args))

    def run(self):
        for fn, args in reversed(self.fns):
            try:
                fn(*args)
            except Exception as e:
                print("cleanup: %s" % e, file=sys.stderr)


def cpu_ms(pid, main_only=False):
    """CPU time of a process so far (ms, nanosecond clock of the scheduler)."""
    tasks = [str(pid)] if main_only else os.listdir("/proc/%d/task" % pid)
    total = 0
    for t in tasks:
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, t)) as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:
            pass  # a thread that just ended
    return total / 1e6


def status(pid):
    out = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            k, _, v = line.partition(":")
            out[k] = v.split()[0] if v.split() else ""
    return out


def private_kb(pid):
    total = 0
    with open("/proc/%d/smaps_rollup" % pid) as f:
        for line in f:
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                total += int(line.split()[1])
    return total


def memory(pid):
    s = status(pid)
    return {"hwm": int(s["VmHWM"]), "rss": int(s["VmRSS"]), "private": private_kb(pid),
            "threads": int(s["Threads"]), "fds": len(os.listdir("/proc/%d/fd" % pid))}


def find_window(desk, classname, timeout=5):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        out = desk.run("xdotool", "search", "--onlyvisible", "--classname",
                       "^%s$" % classname, check=False).split()
        if out:
            return out[0]
        time.sleep(0.05)
    raise RuntimeError("no window of class %s" % classname)


def measure(seconds, pids, xserver):
    """CPU ms per minute of each pid (all, main thread) and the X server over `seconds`."""
    before = {p: (cpu_ms(p), cpu_ms(p, True)) for p in pids}
    x0 = cpu_ms(xserver)
    time.sleep(seconds)
    scale = 60.0 / seconds
    result = {p: ((cpu_ms(p) - before[p][0]) * scale, (cpu_ms(p, True) - before[p][1]) * scale)
              for p in pids}
    return result, (cpu_ms(xserver) - x0) * scale


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0
    warmup = float(sys.argv[2]) if len(sys.argv) > 2 else 2.0
    binary = os.path.abspath(os.environ.get(
        "DESKWATCH_BIN", os.path.join(ROOT, "build", "release", "src", "app", "deskwatch")))
    clean = Cleanups()
    try:
        desk = Desktop.start(clean)
        xserver = desk.procs[0].pid
        srv = FaultServer.start(clean, desk.tmp)
        srv.set_page(open(os.path.join(ROOT, "tests", "fixtures", "weather", "normal.html"),
                          encoding="utf-8").read(), "/good.png")
        widget_env = dict(srv.widget_env(), DESKWATCH_SEARCH_HOST=srv.host())
        programs = [("deskwatch", [binary], "deskwatch", widget_env),
                    ("xclock -update 1", ["xclock", "-update", "1"], "xclock", {}),
                    ("oclock", ["oclock"], "oclock", {})]
        watch = MapWatch(desk, settle=0.5)

        starts = {name: [] for name, *_ in programs}
        for _ in range(5):
            for name, argv, _, env in programs:
                t0 = time.monotonic()
                p = desk._spawn(argv, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
                starts[name].append((watch.first_after(t0, timeout=15) - t0) * 1000)
                time.sleep(0.5)
                p.terminate()
                p.wait(5)
                desk.procs.remove(p)
                time.sleep(0.3)

        _, x_idle = measure(seconds, [], xserver)
        rows = []
        for name, argv, cls, env in programs:
            p = desk._spawn(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wid = find_window(desk, cls)
            time.sleep(warmup)  # past start-up work
            row = {"name": name, "map": statistics.median(starts[name]),
                   "starts": starts[name]}
            shown, x_shown = measure(seconds, [p.pid], xserver)
            row["shown"], row["shown_main"] = shown[p.pid]
            row["x_shown"] = x_shown - x_idle

            desk.run("xdotool", "windowminimize", "--sync", wid, check=False)
            time.sleep(1.0)
            row["iconic_state"] = desk.run("xwininfo", "-id", wid).split("Map State:")[1] \
                .split()[0]
            hidden, x_hidden = measure(seconds, [p.pid], xserver)
            row["iconified"] = hidden[p.pid][0]
            row["x_iconified"] = x_hidden - x_idle
            desk.run("xdotool", "windowmap", "--sync", wid, check=False)
            desk.run("xdotool", "windowactivate", "--sync", wid, check=False)
            time.sleep(1.0)

            cover = desk._spawn(["xlogo", "-geometry", "%dx%d+0+0" % (Desktop.WIDTH,
                                                                       Desktop.HEIGHT)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            cover_wid = find_window(desk, "xlogo")
            desk.run("xdotool", "windowraise", cover_wid, check=False)
            time.sleep(1.5)
            covered, x_covered = measure(seconds, [p.pid], xserver)
            row["covered"] = covered[p.pid][0]
            row["x_covered"] = x_covered - x_idle
            cover.terminate()
            cover.wait(5)
            row.update(memory(p.pid))
            p.terminate()
            p.wait(5)
            rows.append(row)
            time.sleep(0.5)
        report(rows, seconds, warmup, x_idle, desk.display)
    finally:
        clean.run()


def report(rows, seconds, warmup, x_idle, display):
    print("Measured over %.0f s per phase after %.0f s of warm-up on %s (Xvfb 1280x1024x24 "
          "-retro, openbox); the X server idles at %.1f ms/min, subtracted below.\n"
          % (seconds, warmup, display, x_idle))
    print("| program | mapped after exec, ms (median of 5) | CPU ms/min visible | main thread "
          "| X server added | iconified | X added | covered | X added | VmHWM KiB | VmRSS KiB "
          "| private KiB | threads | fds |")
    print("|---|" + "---|" * 14)
    for r in rows:
        print("| %s | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %.1f | %d | %d | %d | %d "
              "| %d |" % (r["name"], r["map"], r["shown"], r["shown_main"], r["x_shown"],
                          r["iconified"], r["x_iconified"], r["covered"], r["x_covered"],
                          r["hwm"], r["rss"], r["private"], r["threads"], r["fds"]))
    w, x = rows[0], rows[1]

    def ratio(a, b):
        return a / b if b else float("inf")
    print("\nRatios deskwatch / xclock: mapped %.2f, CPU visible %.2f, clock alone (main "
          "thread) %.2f, X server added %.2f, VmHWM %.2f, private %.2f"
          % (ratio(w["map"], x["map"]), ratio(w["shown"], x["shown"]),
             ratio(w["shown_main"], x["shown"]), ratio(w["x_shown"], x["x_shown"]),
             ratio(w["hwm"], x["hwm"]), ratio(w["private"], x["private"])))
    print("Iconified map state: " + ", ".join("%s %s" % (r["name"], r["iconic_state"])
                                              for r in rows))
    print("Starts (ms): " + "; ".join("%s %s" % (r["name"], ", ".join("%.1f" % v
                                                                      for v in r["starts"]))
                                      for r in rows))


if __name__ == "__main__":
    main()
