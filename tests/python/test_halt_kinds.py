"""Halts of every kind: a flat candle, the last candle repeated with its range, a market
pinned between bid and ask, and the first bars after them. In exact arithmetic each
answer below holds (or settles) as stated through the halt and after it; every value is
that of an exact (or long-double) model of the name's recurrences over the same history.

One table holds them: a row names the history (a function of this file), the feature, and
the bars (0-based, inclusive ranges) over which the column must read a value."""
import random

import pytest

from conftest import column_over_bars

HISTORIES = {}


def history(fn):
    HISTORIES[fn.__name__] = fn
    return fn


def candle(i, o, h, l, c, v):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


FOUR_BARS = [(10.0, 10.5, 9.5, 10.2), (10.2, 11.0, 10.0, 10.8), (10.8, 10.9, 10.1, 10.3), (10.3, 10.6, 9.8, 10.0)]


@history
def last_candle_repeated():
    return [candle(i, *row, 100.0) for i, row in enumerate(FOUR_BARS + [FOUR_BARS[-1]] * 1200)]


@history
def pinned_between_bid_and_ask():
    rows = FOUR_BARS + [(10.0, 10.6, 9.8, (10.6, 9.8)[k % 2]) for k in range(11000)]
    return [candle(i, *row, 100.0) for i, row in enumerate(rows)]


@history
def opens_pinned_between_bid_and_ask():
    closes = [(10.6, 9.8)[k % 2] for k in range(3000)]
    return [candle(i, closes[i - 1] if i else 10.2, 10.6, 9.8, c, 100.0) for i, c in enumerate(closes)]


def cent_walk(bars, count, rng):
    p = bars[-1]["close"] if bars else 100.0
    for _ in range(count):
        o, p = p, round(p + rng.choice((-3, -2, -1, 0, 1, 2, 3)) * 0.01, 2)
        high, low = round(max(o, p) + rng.choice((0, 0.01, 0.02)), 2), round(min(o, p) - rng.choice((0, 0.01, 0.02)), 2)
        bars.append(candle(len(bars), o, high, low, p, float(rng.randint(100, 900))))


def flat_then_symmetric_bar(flat, seed=2):
    """300 walk bars, `flat` flat bars at the last close p, one bar a cent either side of
    p (+DM = -DM = 0 while TR moves), then 30 walk bars."""
    rng, bars = random.Random(seed), []
    cent_walk(bars, 300, rng)
    p = bars[-1]["close"]
    bars += [candle(len(bars) + k, p, p, p, p, 0.0) for k in range(flat)]
    high, low = round(p + 0.01, 2), round(p - 0.01, 2)
    assert high - p == p - low, "the moves up and down are equal doubles"
    bars.append(candle(len(bars), p, high, low, p, 500.0))
    cent_walk(bars, 30, rng)
    return bars


@history
def flat_1100_then_symmetric_bar():
    return flat_then_symmetric_bar(1100)


@history
def flat_10100_then_symmetric_bar():
    return flat_then_symmetric_bar(10100)


# (history, name, params, output field or None, [(first bar, last bar, value)], tolerance)
REPRODUCERS = [
    # directional movement
    ("last_candle_repeated", "Dx", [2], None, [(3, 1203, 9.09090909091)], 1e-8),
    ("last_candle_repeated", "Adx", [2], "adx", [(60, 1203, 9.09090909091)], 1e-8),
    ("pinned_between_bid_and_ask", "Dx", [14], None, [(15, 11003, 25.0)], 1e-8),
    ("pinned_between_bid_and_ask", "Adx", [14], "adx", [(28, 11003, 25.0)], 1e-8),
    ("flat_1100_then_symmetric_bar", "Dx", [2], None, [(299, 1400, 82.94466351722)], 1e-8),
    ("flat_1100_then_symmetric_bar", "Adx", [2], "adx",
     [(1399, 1400, 82.94466351722), (1401, 1401, 91.47233175861), (1402, 1402, 95.73616587930),
      (1430, 1430, 62.21845623891)], 1e-8),
    ("flat_10100_then_symmetric_bar", "Dx", [14], None, [(299, 10400, 11.69288590085)], 1e-8),
    ("flat_10100_then_symmetric_bar", "Adx", [14], "adx",
     [(10399, 10400, 11.69288590085), (10401, 10401, 18.00053690793), (10402, 10402, 23.85764141451),
      (10415, 10415, 45.37998786243), (10430, 10430, 26.74286250230)], 1e-8),
    # filters over a pinned market: the smoothed high-pass decays as pole^t, pole = (1 - sin t)/cos t
    # at t = 2*pi/period; the sinewave settles on (1 + q + q^2)/sqrt(3(1 + q^2 + q^4)), q = 1/pole,
    # with the sign of pole^t; the stochastic's newest value is its window's extreme
    ("opens_pinned_between_bid_and_ask", "EvenBetterSinewave", [40, 10], None, [(100, 2999, -0.99185891072250)], 1e-8),
    ("opens_pinned_between_bid_and_ask", "EvenBetterSinewave", [3, 3], None,
     [(300, 300, 0.44721359550), (301, 301, -0.44721359550), (2998, 2998, 0.44721359550),
      (2999, 2999, -0.44721359550)], 1e-8),
    ("opens_pinned_between_bid_and_ask", "EhlersStochastic", [20], None, [(100, 2999, 1.0)], 1e-8),
]


@pytest.mark.parametrize("hist,name,params,field,spans,tol", REPRODUCERS,
                         ids=lambda c: str(c) if not isinstance(c, list) else "")
def test_a_halt_reads_what_exact_arithmetic_reads(hist, name, params, field, spans, tol):
    values = column_over_bars(HISTORIES[hist](), name, params, field)
    for first, last, want in spans:
        for k in range(first, last + 1):
            assert values[k] is not None and abs(values[k] - want) <= tol, (hist, name, params, field, k, values[k], want)
