"""Every speed and memory figure in one run, as one table.

Usage: python3 bench/report.py PATH/TO/torvex_bench
- load of a million bars (10 and 50 features), as a multiple of simdjson merely parsing
  the same text on one thread: with the default team and on one processor (the team
  follows the affinity mask), runs of the two interleaved, medians of five; a fresh
  environment's load besides; and the 50-feature load's speed-up from one processor to
  the whole team;
- indicators over the order book or funding: their share of a load beside their column
  loop alone (medians of five);
- ns per bar of ten indicators beside TA-Lib's batch call (where the `ta-lib` wheel is
  installed);
- native step time at 10 and 50 columns;
- peak memory of a million-bar load beyond the text and the matrix (needs the module).
"""

import json
import os
import statistics
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def medians(bench, pattern):
    run = subprocess.run([bench, f"--benchmark_filter={pattern}", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True)
    out = {}
    for b in json.loads(run.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            unit = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9}[b["time_unit"]]
            out[b["run_name"]] = b["real_time"] * unit
    return out


def runs(bench, pattern, cpus=None):
    """One run of each benchmark; `cpus` pins the process (taskset -c)."""
    cmd = [bench, f"--benchmark_filter={pattern}", "--benchmark_format=json"]
    if cpus is not None:
        cmd = ["taskset", "-c", cpus] + cmd
    run = subprocess.run(cmd, check=True, capture_output=True, text=True)
    out = {}
    for b in json.loads(run.stdout)["benchmarks"]:
        unit = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9}[b["time_unit"]]
        out[b["run_name"]] = b["real_time"] * unit
    return out


def interleaved(bench, pattern, rounds=5):
    """Medians of `rounds` runs with the default team and on one processor, alternating."""
    one_cpu = str(sorted(os.sched_getaffinity(0))[0])
    team, single = {}, {}
    for _ in range(rounds):
        for name, t in runs(bench, pattern).items():
            team.setdefault(name, []).append(t)
        for name, t in runs(bench, pattern, one_cpu).items():
            single.setdefault(name, []).append(t)
    med = lambda d: {k: statistics.median(v) for k, v in d.items()}
    return med(team), med(single)


def main(bench):
    team, single = interleaved(bench, "^BM_(LoadMillionBars|LoadMillionBars50Features|SimdjsonParseOnly)$")
    t = medians(bench, "^BM_(LoadMillionBarsFresh|Step10Columns|Step50Columns)$")
    parse = team["BM_SimdjsonParseOnly"]  # one thread in either run; each ratio takes its own run's
    print(f"{'measure (medians of interleaved runs)':52} {'figure':>10}")
    print(f"{'simdjson reading the million bars, one thread':52} {parse * 1e3:8.1f} ms")
    for name, label in [("BM_LoadMillionBars", "load, 10 features"),
                        ("BM_LoadMillionBars50Features", "load, 50 features")]:
        for run, where in [(team, "default team"), (single, "one processor")]:
            ratio = run[name] / run["BM_SimdjsonParseOnly"]
            print(f"{label + ', ' + where + ' ÷ simdjson':52} {ratio:9.2f}x  ({run[name] * 1e3:.0f} ms)")
    print(f"{'load, 10 features, fresh environment ÷ simdjson':52} "
          f"{t['BM_LoadMillionBarsFresh'] / parse:9.2f}x  ({t['BM_LoadMillionBarsFresh'] * 1e3:.0f} ms)")
    speedup = single["BM_LoadMillionBars50Features"] / team["BM_LoadMillionBars50Features"]
    print(f"{'load, 50 features, one processor ÷ default team':52} {speedup:9.2f}x "
          f"({len(os.sched_getaffinity(0))} processors)")
    book = subprocess.run([bench, "--benchmark_filter=^LoadBook/", "--benchmark_repetitions=5",
                           "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                          check=True, capture_output=True, text=True)
    print(f"{'book and funding indicators':32} {'in a load':>12} {'loop alone':>12} {'ratio':>8}")
    for b in json.loads(book.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            print(f"{b['run_name'].split('/')[1]:32} {b['load_ns_per_bar']:9.1f} ns {b['loop_ns_per_bar']:9.1f} ns "
                  f"{b['load_per_loop']:7.2f}x")
    for name, label in [("BM_Step10Columns", "step, 10 columns"), ("BM_Step50Columns", "step, 50 columns")]:
        print(f"{label:44} {t[name] * 1e6:8.2f} us")
    print()
    try:
        import talib  # noqa: F401
    except ImportError:
        print("TA-Lib comparison skipped: the ta-lib wheel is not installed")
    else:
        subprocess.run([sys.executable, os.path.join(HERE, "compare_talib.py"), bench], check=True)
    print()
    subprocess.run([sys.executable, os.path.join(HERE, "load_memory.py")], check=True)


if __name__ == "__main__":
    main(sys.argv[1])
