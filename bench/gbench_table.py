"""Runs every Google Benchmark program of a build (bench/*/bench_*) one after the other and
prints their figures as one markdown table.

Usage: python3 bench/gbench_table.py [BUILD_DIR] [extra benchmark flags]
       (default build/release; e.g. --benchmark_repetitions=3 reports the medians)
"""

import glob
import json
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "release")
    flags = sys.argv[2:]
    programs = sorted(p for p in glob.glob(os.path.join(build, "bench", "*", "bench_*"))
                      if os.access(p, os.X_OK) and os.path.isfile(p))
    if not programs:
        sys.exit("no bench_* programs under %s/bench" % build)
    rows = []
    context = None
    for program in programs:
        out = subprocess.run([program, "--benchmark_format=json"] + flags, check=True,
                             capture_output=True, text=True).stdout
        data = json.loads(out)
        context = context or data["context"]
        repeated = any(b.get("run_type") == "aggregate" for b in data["benchmarks"])
        iterations = {b.get("run_name", b["name"]): b["iterations"] for b in data["benchmarks"]
                      if b.get("run_type") != "aggregate"}
        for b in data["benchmarks"]:
            if repeated and b.get("aggregate_name") != "median":
                continue
            b["iterations"] = iterations.get(b.get("run_name", b["name"]), b["iterations"])
            extra = []
            if "bytes_per_second" in b:
                extra.append("%.1f MB/s" % (b["bytes_per_second"] / 1e6))
            if "items_per_second" in b:
                extra.append("%.3g items/s" % b["items_per_second"])
            rows.append((os.path.basename(program), b["name"], b["real_time"], b["cpu_time"],
                         b["time_unit"], b["iterations"], ", ".join(extra)))
    print("%s, %d CPUs at %s MHz, library build %s\n"
          % (context.get("host_name", "?"), context.get("num_cpus", 0),
             context.get("mhz_per_cpu", "?"), context.get("library_build_type", "?")))
    print("| program | benchmark | real time | CPU time | iterations | throughput |")
    print("|---|---|---|---|---|---|")
    for program, name, real, cpu, unit, iterations, extra in rows:
        print("| %s | %s | %.3g %s | %.3g %s | %d | %s |"
              % (program, name, real, unit, cpu, unit, iterations, extra))


if __name__ == "__main__":
    main()
