"""ns per bar of the names that compute what a TA-Lib function computes, beside that
function's batch C call over the same bars.

Usage: python3 bench/compare_talib.py PATH/TO/torvex_bench
Needs the `ta-lib` wheel (pip install ta-lib) and numpy. The torvex figure is the
column loop alone (column/NAME(PARAMS) of torvex_bench); bench/report.py prints the
same pairs inside its table of every name.
"""

import json
import math
import os
import statistics
import subprocess
import sys
import time

import numpy as np

# (torvex case, TA-Lib function, its input columns (open, high, low, close, volume),
# its other arguments). Only pairs of one definition: the same window and the same
# quantity. Cmo is not paired: TA-Lib's CMO smooths its gains and losses the Wilder way
# (up to 68 points from a plain window sum). Obv is the same line up to a constant:
# ours starts at 0 on the first bar, TA-Lib's at that bar's volume.
PAIRS = [
    ("Sma(20)", "SMA", "c", (20,)),
    ("Sma(2000)", "SMA", "c", (2000,)),
    ("Ema(20)", "EMA", "c", (20,)),
    ("Wma(20)", "WMA", "c", (20,)),
    ("Dema(20)", "DEMA", "c", (20,)),
    ("Tema(10)", "TEMA", "c", (10,)),
    ("Trima(15)", "TRIMA", "c", (15,)),
    ("Kama(10,2,30)", "KAMA", "c", (10,)),
    ("T3(5,0.7)", "T3", "c", (5, 0.7)),
    ("Rsi(14)", "RSI", "c", (14,)),
    ("Mom(10)", "MOM", "c", (10,)),
    ("Roc(10)", "ROC", "c", (10,)),
    ("Rocp(10)", "ROCP", "c", (10,)),
    ("Rocr(10)", "ROCR", "c", (10,)),
    ("Rocr100(10)", "ROCR100", "c", (10,)),
    ("Trix(15)", "TRIX", "c", (15,)),
    ("Apo(12,26)", "APO", "c", (12, 26, 1)),
    ("Ppo(12,26)", "PPO", "c", (12, 26, 1)),
    ("MacdHistogram(12,26,9)", "MACD", "c", (12, 26, 9)),
    ("MacdIndicator(12,26,9)", "MACD", "c", (12, 26, 9)),
    ("StdDev(20)", "STDDEV", "c", (20,)),
    ("Variance(20)", "VAR", "c", (20,)),
    ("BollingerBands(20,2)", "BBANDS", "c", (20, 2, 2)),
    ("MidPoint(14)", "MIDPOINT", "c", (14,)),
    ("StochRsi(14,14)", "STOCHRSI", "c", (14, 14, 1)),
    ("Tsf(14)", "TSF", "c", (14,)),
    ("LinearRegression(14)", "LINEARREG", "c", (14,)),
    ("LinRegSlope(14)", "LINEARREG_SLOPE", "c", (14,)),
    ("LinRegIntercept(14)", "LINEARREG_INTERCEPT", "c", (14,)),
    ("LinRegAngle(14)", "LINEARREG_ANGLE", "c", (14,)),
    ("Atr(14)", "ATR", "hlc", (14,)),
    ("Natr(14)", "NATR", "hlc", (14,)),
    ("TrueRange()", "TRANGE", "hlc", ()),
    ("MedianPrice()", "MEDPRICE", "hl", ()),
    ("TypicalPrice()", "TYPPRICE", "hlc", ()),
    ("WeightedClose()", "WCLPRICE", "hlc", ()),
    ("AvgPrice()", "AVGPRICE", "ohlc", ()),
    ("BalanceOfPower()", "BOP", "ohlc", ()),
    ("MidPrice(14)", "MIDPRICE", "hl", (14,)),
    ("WilliamsR(14)", "WILLR", "hlc", (14,)),
    ("Cci(20)", "CCI", "hlc", (20,)),
    ("Mfi(14)", "MFI", "hlcv", (14,)),
    ("Obv()", "OBV", "cv", ()),
    ("ChaikinOscillator(3,10)", "ADOSC", "hlcv", (3, 10)),
    ("Adx(14)", "ADX", "hlc", (14,)),
    ("Adxr(14)", "ADXR", "hlc", (14,)),
    ("Dx(14)", "DX", "hlc", (14,)),
    ("PlusDi(14)", "PLUS_DI", "hlc", (14,)),
    ("MinusDi(14)", "MINUS_DI", "hlc", (14,)),
    ("PlusDm(14)", "PLUS_DM", "hl", (14,)),
    ("MinusDm(14)", "MINUS_DM", "hl", (14,)),
    ("Aroon(14)", "AROON", "hl", (14,)),
    ("AroonOscillator(25)", "AROONOSC", "hl", (25,)),
    ("Stochastic(14,3)", "STOCH", "hlc", (14, 3, 0, 3, 0)),
    ("UltimateOscillator(7,14,28)", "ULTOSC", "hlc", (7, 14, 28)),
]

BARS = 50_000


def series(n=BARS):
    """The bars of torvex_bench (bar_at in indicators_bench.cpp), as numpy columns."""
    o, h, l, c, v = (np.empty(n) for _ in range(5))
    price = 100.0
    for i in range(n):
        price *= 1.0 + 0.001 * math.sin(i * 0.37) + 0.0005 * math.cos(i * 0.011)
        spread = 0.2 + 0.1 * math.sin(i * 0.13)
        o[i], h[i], l[i] = price, price + spread, price - spread
        c[i] = price + 0.3 * spread * math.sin(i * 0.7)
        v[i] = 10.0 + (i % 13)
    return o, h, l, c, v


def talib_figures(repeats=41):
    """ns per bar of every pair's TA-Lib call: the median of `repeats` timed calls."""
    import talib

    cols = dict(zip("ohlcv", series()))
    out = {}
    for name, function, inputs, args in PAIRS:
        call = getattr(talib, function)
        columns = [cols[k] for k in inputs]
        call(*columns, *args)  # warm
        times = []
        for _ in range(repeats):
            start = time.perf_counter()
            call(*columns, *args)
            times.append(time.perf_counter() - start)
        out[name] = statistics.median(times) / BARS * 1e9
    return out


def bench_figures(bench, pattern, cpu=None):
    """ns per bar of the benchmarks matching `pattern`, by benchmark name (up to its
    closing parenthesis); run on the one processor `cpu` when given."""
    pin = (lambda: os.sched_setaffinity(0, {cpu})) if cpu is not None else None
    run = subprocess.run([bench, f"--benchmark_filter={pattern}", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True, preexec_fn=pin)
    # The counter is ns per bar (load/) or a rate inverted, seconds per bar (column/).
    out = {}
    for b in json.loads(run.stdout)["benchmarks"]:
        if "ns_per_bar" not in b:
            continue
        name = b["name"][: b["name"].rfind(")") + 1]
        out[name] = b["ns_per_bar"] * 1e9 if name.startswith("column/") else b["ns_per_bar"]
    return out


def main(bench):
    names = "|".join(name.replace("(", r"\(").replace(")", r"\)").replace(".", r"\.") for name, *_ in PAIRS)
    ours = bench_figures(bench, f"^column/({names})")
    theirs = talib_figures()
    ratios = []
    print(f"{'indicator':30} {'torvex ns':>10} {'TA-Lib ns':>10} {'ratio':>7}")
    for name, *_ in PAIRS:
        key = "column/" + name
        if key not in ours:
            continue
        ratio = ours[key] / theirs[name]
        ratios.append(ratio)
        print(f"{name:30} {ours[key]:10.2f} {theirs[name]:10.2f} {ratio:7.2f}")
    if ratios:
        print(f"{'median ratio':30} {'':10} {'':10} {statistics.median(ratios):7.2f}")
        print(f"{'largest ratio':30} {'':10} {'':10} {max(ratios):7.2f}")


if __name__ == "__main__":
    main(sys.argv[1])
