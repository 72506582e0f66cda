"""ns per bar of ten indicators beside TA-Lib's batch C call over the same million bars.

Usage: python3 bench/compare_talib.py PATH/TO/torvex_bench
Needs the `ta-lib` wheel (pip install ta-lib) and numpy; the C++ figures come from
torvex_bench, which runs each indicator over one million bars the way a load does.
"""

import json
import math
import subprocess
import sys
import time

import numpy as np
import talib

# (torvex benchmark name, TA-Lib call over the closes)
CASES = [
    ("Sma(20)", lambda c: talib.SMA(c, 20)),
    ("Ema(20)", lambda c: talib.EMA(c, 20)),
    ("Rsi(14)", lambda c: talib.RSI(c, 14)),
    ("Wma(20)", lambda c: talib.WMA(c, 20)),
    ("Kama(10,2,30)", lambda c: talib.KAMA(c, 10)),
    ("BollingerBands(20,2)", lambda c: talib.BBANDS(c, 20, 2, 2)),
    ("StdDev(20)", lambda c: talib.STDDEV(c, 20)),
    ("MacdHistogram(12,26,9)", lambda c: talib.MACD(c, 12, 26, 9)),
    ("Tema(10)", lambda c: talib.TEMA(c, 10)),
    ("T3(5,0.7)", lambda c: talib.T3(c, 5, 0.7)),
]


def closes(n=1_000_000):
    # The same series as the C++ benchmark's bars.
    out = np.empty(n)
    price = 100.0
    for i in range(n):
        price *= 1.0 + 0.001 * math.sin(i * 0.37) + 0.0005 * math.cos(i * 0.011)
        spread = 0.2 + 0.1 * math.sin(i * 0.13)
        out[i] = price + 0.3 * spread * math.sin(i * 0.7)
    return out


def talib_ns(call, c, repeats=7):
    best = math.inf
    for _ in range(repeats):
        start = time.perf_counter()
        call(c)
        best = min(best, time.perf_counter() - start)
    return best / len(c) * 1e9


def main(bench):
    names = "|".join(name.replace("(", r"\(").replace(")", r"\)") for name, _ in CASES)
    run = subprocess.run([bench, f"--benchmark_filter=^({names})$", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True)
    # The counter is a rate inverted: seconds per bar.
    ours = {b["name"]: b["ns_per_bar"] * 1e9 for b in json.loads(run.stdout)["benchmarks"]}
    c = closes()
    print(f"{'indicator':26} {'torvex ns':>10} {'TA-Lib ns':>10} {'ratio':>7}")
    for name, call in CASES:
        theirs = talib_ns(call, c)
        print(f"{name:26} {ours[name]:10.2f} {theirs:10.2f} {ours[name] / theirs:7.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
