"""Every speed and memory figure in one run, as one table.

Usage: python3 bench/report.py PATH/TO/torvex_bench
- load of a million bars (10 and 50 features), as a multiple of simdjson merely parsing
  the same text on one thread: with the default team and on one processor (the team
  follows the affinity mask), runs of the two interleaved, medians of five; a fresh
  environment's load besides; and the 50-feature load's speed-up from one processor to
  the whole team;
- indicators over the order book or funding: their share of a load beside their column
  loop alone (medians of five);
- ns per bar of every registry name over 50,000 bars: its column loop alone and what it
  adds to a load, both on one processor, beside TA-Lib's batch call for the names that
  compute what a TA-Lib function computes (where the `ta-lib` wheel is installed), and
  the thirty slowest names;
- native step time at 10 and 50 columns;
- how the order-statistic indicators grow: ns per bar at a long window ÷ a short one
  (and a NakedPoc load of a steady trend, 400,000 bars ÷ 100,000);
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


def growth(bench):
    """Each name of the Growth/ entries runs twice, the short case first."""
    pairs = {}
    for run_name, seconds in medians(bench, "^Growth/").items():
        pairs.setdefault(run_name.split("(")[0], []).append((run_name.removeprefix("Growth/"), seconds))
    for runs in pairs.values():
        (short, t_short), (long, t_long) = runs
        print(f"{long + ' ÷ ' + short:90} {t_long / t_short:6.2f}x")


def every_name(bench):
    sys.path.insert(0, HERE)
    import compare_talib

    # One processor (the last this process may use): the load's team of threads then
    # takes turns on it, and a load's figure is the work it did.
    cpu = max(os.sched_getaffinity(0))
    ours = compare_talib.bench_figures(bench, "^(column|load)/", cpu=cpu)
    try:
        theirs = compare_talib.talib_figures()
    except ImportError:
        theirs = {}
        print("TA-Lib comparison skipped: the ta-lib wheel is not installed")
    cases = sorted({k.split("/", 1)[1] for k in ours}, key=lambda c: -ours.get("column/" + c, 0.0))
    print(f"ns per bar over 50,000 bars on cpu {cpu}, slowest first (load: what the name adds to a load;"
          " -: a feed that a load does not offer)")
    print(f"{'indicator':44} {'column':>9} {'load':>9} {'TA-Lib':>8} {'ratio':>6}")
    ratios = []
    for case in cases:
        col, load = ours.get("column/" + case), ours.get("load/" + case)
        line = f"{case:44} {col:9.2f} " + (f"{load:9.2f}" if load is not None else f"{'-':>9}")
        if case in theirs:
            ratio = col / theirs[case]
            line += f" {theirs[case]:8.2f} {ratio:6.2f}"
            ratios.append(ratio)
        print(line)
    if ratios:
        print(f"pairs beside TA-Lib: {len(ratios)}, median ratio {statistics.median(ratios):.2f},"
              f" largest {max(ratios):.2f}")


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
    growth(bench)
    print()
    every_name(bench)
    print()
    subprocess.run([sys.executable, os.path.join(HERE, "load_memory.py")], check=True)


if __name__ == "__main__":
    main(sys.argv[1])
