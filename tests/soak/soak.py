"""Soak: the real widget for MINUTES minutes with its weather refreshed every minute against a
local server whose answer rotates through a good page, the verification page, a stalled
exchange, a good page with an icon that does not decode, and a server that is down.

Samples the widget's resident memory, open descriptors and threads every few seconds and the
lag of its seconds label behind the real clock several times a second; at the end prints the
figures and checks them:
  - no crash, and Esc still ends the widget with exit code 0;
  - resident memory grows by at most 1 MB from the end of the warm-up (the first refresh of
    the timer) to the end (not checked for sanitizer builds);
  - descriptors and threads at the end as after the warm-up; while an exchange runs, at most
    three more descriptors (its socket and the transfer's wake-up pair) and no more threads;
  - the seconds label never more than the stall time-out (+2 s) behind the real clock;
  - the weather labels keep the good page's weather through every bad answer.

Usage: soak.py MINUTES   (DESKWATCH_BIN names the binary; SOAK_CSV=file keeps the samples)
The run lasts MINUTES minutes after the click plus half a minute, so that the last timed
refresh (about MINUTES minutes after the click) is over when the final figures are taken.
"""

import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "faults"))
from faults_support import (NORMAL_WEATHER, WEATHER_FIXTURES, Desktop,  # noqa: E402
                            FaultServer, normal_page, rss_kb, sanitized)

CONNECT, STALL, TOTAL = 5, 5, 20
DOWN = "超级按钮_时钟_减"


class Session:
    """Stands in for a TestCase: collects the clean-ups of the helpers and runs them."""

    def __init__(self):
        self.cleanups = []

    def addCleanup(self, fn, *args):
        self.cleanups.append((fn, args))

    def close(self):
        for fn, args in reversed(self.cleanups):
            try:
                fn(*args)
            except Exception as e:  # keep closing the rest
                print("cleanup: %s" % e, file=sys.stderr)


def verification_page():
    with open(os.path.join(WEATHER_FIXTURES, "verification.html"), encoding="utf-8") as f:
        return f.read()


# What the server answers at each refresh, in turn.
ROTATION = [
    ("good page", lambda s: (s.set_page(normal_page(), "/good.png"), s.set_mode("normal"))),
    ("verification page", lambda s: (s.set_page(verification_page()), s.set_mode("normal"))),
    ("stalled", lambda s: s.set_mode("stall")),
    ("icon that does not decode",
     lambda s: (s.set_page(normal_page(), "/truncated.gif"), s.set_mode("normal"))),
    ("down", lambda s: s.set_mode("down")),
]


def status_field(pid, name):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(name + ":"):
                return int(line.split()[1])
    return None


def seconds_lag(w):
    shown = w.text("标签_time1")
    real = time.localtime().tm_sec
    if not shown or not shown.isdigit():
        return None
    lag = (real - int(shown)) % 60
    return lag - 60 if lag > 30 else lag


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 3
    session = Session()
    failures = []
    try:
        desk = Desktop.start(session)
        srv = FaultServer.start(session, desk.tmp)
        ROTATION[0][1](srv)  # the start-up refresh gets the good page too
        env = srv.widget_env()
        env.update({"DESKWATCH_NET_CONNECT_SECONDS": str(CONNECT),
                    "DESKWATCH_NET_STALL_SECONDS": str(STALL),
                    "DESKWATCH_NET_TOTAL_SECONDS": str(TOTAL)})
        w = desk.start_widget(search_host=srv.host(), env=env)
        pid = w.proc.pid
        if {n: w.text(n) for n in NORMAL_WEATHER} != NORMAL_WEATHER:
            failures.append("the first refresh did not show the good page")
        # Past the first tick: until then the seconds label shows the layout's "59".
        w.wait_for(lambda: abs(seconds_lag(w) or 9) <= 1, 3)
        desk.click(*w.centre_of(DOWN))
        if not w.wait_for(lambda: w.state()["weather_period_ms"] == 60000, 5):
            failures.append("the period did not become one minute: %s" % w.state())
        started = time.monotonic()
        # Half a minute past the last refresh, so that the run never ends inside one.
        end = started + minutes * 60 + 30
        # The answer for the k-th timed refresh (about k minutes after the click) is put in
        # place half a minute before it; a server that is down logs nothing to go by.
        turn = 1
        ROTATION[turn][1](srv)
        answers = []
        samples = []  # (seconds since the click, rss kB, fds, threads)
        lags = []
        weather_lost = 0
        warm = 60 + STALL + 5  # the first timed refresh is over
        next_sample = started
        next_turn = started + 90
        while time.monotonic() < end:
            now = time.monotonic()
            if w.proc.poll() is not None:
                failures.append("the widget ended with %s after %.0f s"
                                % (w.proc.returncode, now - started))
                break
            lag = seconds_lag(w)
            if lag is not None:
                lags.append(lag)
            if now >= next_turn:
                next_turn += 60
                answers.append(ROTATION[turn][0])
                turn = (turn + 1) % len(ROTATION)
                ROTATION[turn][1](srv)
            if now >= next_sample:
                next_sample += 5
                samples.append((now - started, status_field(pid, "VmRSS"),
                                len(os.listdir("/proc/%d/fd" % pid)),
                                status_field(pid, "Threads")))
                if {n: w.text(n) for n in NORMAL_WEATHER} != NORMAL_WEATHER:
                    weather_lost += 1
            time.sleep(0.25)

        alive = w.proc.poll() is None
        if alive:
            # Settle: past a refresh that may still be blocking, then one last sample.
            w.wait_for(lambda: abs(seconds_lag(w) or 0) <= 1, STALL + 2)
            samples.append((time.monotonic() - started, status_field(pid, "VmRSS"),
                            len(os.listdir("/proc/%d/fd" % pid)), status_field(pid, "Threads")))
        report(minutes, samples, lags, answers, warm, weather_lost, failures)
        timed = len([g for g in srv.gets() if g.startswith("GET /s?")]) - 1
        print("page requests by the timer: %d" % timed)
        if minutes >= 2 and timed < 1:
            failures.append("the timer never refreshed the weather")

        if alive:
            ok = w.wait_for(lambda: desk.run("xdotool", "getwindowfocus", check=False).strip()
                            == str(w.window), 5)
            if not ok:
                desk.run("xdotool", "windowactivate", "--sync", str(w.window), check=False)
            desk.key("Escape")
            try:
                code = w.wait_exit(10)
            except Exception:
                code = None
            if code != 0:
                failures.append("Esc ended the widget with %s" % code)
        err = w.stderr()
        for word in ("AddressSanitizer", "LeakSanitizer", "runtime error:"):
            if word in err:
                failures.append("sanitizer report: %s" % err[-2000:])
                break
    finally:
        session.close()
    if failures:
        print("SOAK FAILED:\n  " + "\n  ".join(failures))
        return 1
    print("SOAK PASSED")
    return 0


def report(minutes, samples, lags, answers, warm, weather_lost, failures):
    csv = os.environ.get("SOAK_CSV")
    if csv:
        with open(csv, "w") as f:
            f.write("seconds,rss_kb,fds,threads\n")
            for s in samples:
                f.write("%.1f,%d,%d,%d\n" % s)
    if not samples:
        failures.append("no samples")
        return
    after = [s for s in samples if s[0] >= warm] or samples[-1:]
    base, last = after[0], samples[-1]
    rss_all = [s[1] for s in samples]
    growth = last[1] - base[1]
    print("soak: %.1f min planned, %.1f min run, timed refreshes answered: %d (%s)"
          % (minutes, samples[-1][0] / 60, len(answers), ", ".join(answers)))
    print("| figure | start (after warm-up) | end | min | max |")
    print("|---|---|---|---|---|")
    print("| RSS kB | %d | %d | %d | %d |" % (base[1], last[1], min(rss_all), max(rss_all)))
    print("| open fds | %d | %d | %d | %d |" % (base[2], last[2], min(s[2] for s in samples),
                                             max(s[2] for s in samples)))
    print("| threads | %d | %d | %d | %d |" % (base[3], last[3], min(s[3] for s in samples),
                                             max(s[3] for s in samples)))
    if lags:
        print("| seconds label behind the clock, s | median %g | | min %d | max %d |"
              % (statistics.median(lags), min(lags), max(lags)))
    print("RSS growth after warm-up: %+d kB; weather lost in %d samples; %d lag readings"
          % (growth, weather_lost, len(lags)))
    if sanitized():
        print("(sanitizer build: the RSS bound is not checked)")
    elif growth > 1024:
        failures.append("resident memory grew by %d kB after warm-up" % growth)
    if last[2] != base[2] or max(s[2] for s in after) > base[2] + 3:
        failures.append("open descriptors changed: %d after warm-up, %d at the end, max %d"
                        % (base[2], last[2], max(s[2] for s in after)))
    if last[3] != base[3] or max(s[3] for s in after) > base[3]:
        failures.append("threads changed: %d after warm-up, %d at the end, max %d"
                        % (base[3], last[3], max(s[3] for s in after)))
    # The label shows whole seconds and the exchange notices a stall within a second of the
    # time-out: two seconds of slack.
    if lags and max(lags) > STALL + 2:
        failures.append("the seconds label fell %d s behind" % max(lags))
    if weather_lost:
        failures.append("the good weather was lost in %d samples" % weather_lost)


if __name__ == "__main__":
    sys.exit(main())
