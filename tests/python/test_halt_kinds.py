"""Halts of every kind: a flat candle, the last candle repeated with its range, a market
pinned between bid and ask, and the first bars after them. In exact arithmetic each
answer below holds (or settles) as stated through the halt and after it; every value is
that of an exact (or long-double) model of the name's recurrences over the same history.

One table holds them: a row names the history (a function of this file), the feature, and
the bars (0-based, inclusive ranges) over which the column must read a value."""
import math

import pytest

from conftest import column_over_bars

HISTORIES = {}


def history(fn):
    HISTORIES[fn.__name__] = fn
    return fn


def candle(i, o, h, l, c, v):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


# laguerre rsi
# Forty daily closes of GOOG, then 200 bars halted at the last of them.
GOOG_CLOSES = [552.95, 571.51, 572.81, 569.46, 562.38, 560.2, 546.43, 545.21, 542.3, 551.0, 528.82, 528.07, 526.42,
               534.73, 527.04, 537.0, 543.91, 554.53, 541.55, 540.57, 533.8, 521.62, 516.09, 535.6, 533.44, 481.32,
               468.8, 477.11, 489.22, 475.62, 491.98, 477.12, 483.11, 482.7, 473.75, 467.86, 463.0, 479.85, 486.34,
               479.12]


def closes_then_halt(closes, halt, after=()):
    bars = [candle(i, c, c + 0.5, c - 0.5, c, 1000.0) for i, c in enumerate(closes)]
    bars += [candle(len(bars) + k, closes[-1], closes[-1], closes[-1], closes[-1], 0.0) for k in range(halt)]
    return bars + [candle(len(bars) + k, c, c + 0.5, c - 0.5, c, 1000.0) for k, c in enumerate(after)]


@history
def goog_then_halt():
    return closes_then_halt(GOOG_CLOSES, 200)


def cents_walk_then_halt(level):
    """300 closes on a cents grid, 600 bars halted, then 20 bars rising a cent a bar."""
    closes = [round(100 + 3 * math.sin(i * 0.3) + 2 * math.sin(i * 0.071), 2) + level for i in range(300)]
    return closes_then_halt(closes, 600, [closes[-1] + 0.01 * k for k in range(1, 21)])


@history
def cents_walk_then_halt_at_100():
    return cents_walk_then_halt(0.0)


@history
def cents_walk_then_halt_at_1100():
    return cents_walk_then_halt(1000.0)


# (history, name, params, output field or None, [(first bar, last bar, value)], tolerance)
REPRODUCERS = [
    # laguerre rsi
    ("goog_then_halt", "LaguerreRsi", [0.5], None, [(61, 239, 0.0)], 1e-8),
    ("cents_walk_then_halt_at_100", "LaguerreRsi", [0.2], None,
     [(306, 899, 0.0), (900, 900, 2600 / 31), (905, 919, 100.0)], 1e-8),
    ("cents_walk_then_halt_at_100", "LaguerreRsi", [0.5], None,
     [(300, 899, 100.0), (900, 900, 500 / 7), (905, 919, 100.0)], 1e-8),
    ("cents_walk_then_halt_at_1100", "LaguerreRsi", [0.2], None,
     [(306, 899, 0.0), (900, 900, 2600 / 31), (905, 919, 100.0)], 1e-8),
]


@pytest.mark.parametrize("hist,name,params,field,spans,tol", REPRODUCERS,
                         ids=lambda c: str(c) if not isinstance(c, list) else "")
def test_a_halt_reads_what_exact_arithmetic_reads(hist, name, params, field, spans, tol):
    values = column_over_bars(HISTORIES[hist](), name, params, field)
    for first, last, want in spans:
        for k in range(first, last + 1):
            assert values[k] is not None and abs(values[k] - want) <= tol, (hist, name, params, field, k, values[k], want)
