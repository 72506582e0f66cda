"""Halts of every kind: a flat candle, the last candle repeated with its range, a market
pinned between bid and ask, and the first bars after them. In exact arithmetic each
answer below holds (or settles) as stated through the halt and after it; every value is
that of an exact (or long-double) model of the name's recurrences over the same history.

One table holds them: a row names the history (a function of this file), the feature, and
the bars (0-based, inclusive ranges) over which the column must read a value."""
import math
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
    p (+DM = -DM = 0 while TR moves), then 30 walk bars. The walks hold bars whose high
    rises as far as their low falls in cents, where neither move counts either."""
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
@history
def wave_then_flat_halt():
    """Closes in cents that ring at 17 and 31 bars under seeded noise, 300 bars; a flat
    halt of 3,000 bars at the 300th close; then six more bars of the wave."""
    rng = random.Random(7)
    closes = [round(100.0 + 2.0 * math.sin(2 * math.pi * i / 17) + math.sin(2 * math.pi * i / 31)
                    + 0.5 * rng.random(), 2) for i in range(306)]
    p = closes[299]
    return ([candle(i, c, c + 0.05, c - 0.05, c, 100.0) for i, c in enumerate(closes[:300])]
            + [candle(300 + i, p, p, p, p, 0.0) for i in range(3000)]
            + [candle(3300 + i, c, c + 0.05, c - 0.05, c, 100.0) for i, c in enumerate(closes[300:])])
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


# adaptive cci
def cents_at_1100_then(halt_bar, count, after):
    """300 walk bars on a cents grid near 1,100, `count` halt bars made by
    `halt_bar(k, p)` from the last close p, then one bar `after(p)` and 30 walk bars."""
    rng, bars = random.Random(5), [candle(0, 1100.0, 1100.0, 1100.0, 1100.0, 100.0)]
    cent_walk(bars, 299, rng)
    p = bars[-1]["close"]
    bars += [candle(len(bars) + k, *halt_bar(k, p)) for k in range(count)]
    bars.append(candle(len(bars), *after(p)))
    cent_walk(bars, 30, rng)
    return bars


@history
def pinned_at_1100():
    """High = ask and low = bid two cents either side, the close alternating."""
    return cents_at_1100_then(lambda k, p: (p, p + 0.02, p - 0.02, (p + 0.02, p - 0.02)[k % 2], 300.0), 3000,
                              lambda p: (p, p + 0.01, p - 0.01, p, 500.0))


@history
def flat_20000_at_1100_then_up():
    return cents_at_1100_then(lambda k, p: (p, p, p, p, 0.0), 20000, lambda p: (p, p + 0.04, p, p + 0.03, 500.0))


# (history, name, params, output field or None, [(first bar, last bar, value)], tolerance)
REPRODUCERS = [
    # directional movement
    ("last_candle_repeated", "Dx", [2], None, [(3, 1203, 9.09090909091)], 1e-8),
    ("last_candle_repeated", "Adx", [2], "adx", [(60, 1203, 9.09090909091)], 1e-8),
    ("pinned_between_bid_and_ask", "Dx", [14], None, [(15, 11003, 25.0)], 1e-8),
    ("pinned_between_bid_and_ask", "Adx", [14], "adx", [(28, 11003, 25.0)], 1e-8),
    ("flat_1100_then_symmetric_bar", "Dx", [2], None, [(299, 1400, 83.10353380715)], 1e-8),
    ("flat_1100_then_symmetric_bar", "Adx", [2], "adx",
     [(1399, 1400, 83.10353380715), (1401, 1401, 91.55176690357), (1402, 1402, 95.77588345179),
      (1430, 1430, 62.23049723418)], 1e-8),
    ("flat_10100_then_symmetric_bar", "Dx", [14], None, [(299, 10400, 14.16804833986)], 1e-8),
    ("flat_10100_then_symmetric_bar", "Adx", [14], "adx",
     [(10399, 10400, 14.16804833986), (10401, 10401, 20.29890202987), (10402, 10402, 25.99183759916),
      (10415, 10415, 46.19437978092), (10430, 10430, 28.48634506637)], 1e-8),
    # autocorrelation periodogram
    # Over the halt every correlation tends to 1; the spectrum of those correlations is
    # held until the wave's first bars have entered the newest three values.
    ("wave_then_flat_halt", "AutocorrelationPeriodogram", [10, 48], None,
     [(1110, 3302, 32.439874363685), (3303, 3303, 32.350831351932), (3304, 3304, 31.96125129506),
      (3305, 3305, 31.453778815355)], 1e-8),
    ("wave_then_flat_halt", "AutocorrelationPeriodogram", [4, 19], None,
     [(1084, 3302, 11.974276694935), (3303, 3303, 11.906626346184), (3304, 3304, 11.524092321279),
      (3305, 3305, 18.60811543455)], 1e-8),
    # laguerre rsi
    ("goog_then_halt", "LaguerreRsi", [0.5], None, [(61, 239, 0.0)], 1e-8),
    ("cents_walk_then_halt_at_100", "LaguerreRsi", [0.2], None,
     [(306, 899, 0.0), (900, 900, 2600 / 31), (905, 919, 100.0)], 1e-8),
    ("cents_walk_then_halt_at_100", "LaguerreRsi", [0.5], None,
     [(300, 899, 100.0), (900, 900, 500 / 7), (905, 919, 100.0)], 1e-8),
    ("cents_walk_then_halt_at_1100", "LaguerreRsi", [0.2], None,
     [(306, 899, 0.0), (900, 900, 2600 / 31), (905, 919, 100.0)], 1e-8),
    # filters over a pinned market: the smoothed high-pass decays as pole^t, pole = (1 - sin t)/cos t
    # at t = 2*pi/period; the sinewave settles on (1 + q + q^2)/sqrt(3(1 + q^2 + q^4)), q = 1/pole,
    # with the sign of pole^t; the stochastic's newest value is its window's extreme
    ("opens_pinned_between_bid_and_ask", "EvenBetterSinewave", [40, 10], None, [(100, 2999, -0.99185891072250)], 1e-8),
    ("opens_pinned_between_bid_and_ask", "EvenBetterSinewave", [3, 3], None,
     [(300, 300, 0.44721359550), (301, 301, -0.44721359550), (2998, 2998, 0.44721359550),
      (2999, 2999, -0.44721359550)], 1e-8),
    ("opens_pinned_between_bid_and_ask", "EhlersStochastic", [20], None, [(100, 2999, 1.0)], 1e-8),
    # adaptive cci
    # The adaptive mean closes in on the pinned market's two-bar wave; held at the level
    # it rounds to its ulps, some 5e-8 of the index here.
    ("pinned_at_1100", "AdaptiveCci", [20], None,
     [(3298, 3298, 66.35669779949622), (3299, 3299, -66.35669780003737), (3300, 3300, 0.3241533357183913),
      (3301, 3301, 0.3397036306614415), (3302, 3302, 107.01992524704914)], 1e-8),
    ("pinned_at_1100", "AdaptiveCci", [5], None,
     [(1921, 1921, -66.60445789455449), (1922, 1922, 66.50651495078456)], 1e-8),
    # Over a flat window the mean approaches the price from above without reaching it:
    # -200/3 throughout. After 20,000 bars it lies some e^-83 of its start above.
    ("flat_20000_at_1100_then_up", "AdaptiveCci", [20], None,
     [(320, 20299, -200 / 3), (20300, 20300, 82.30452674897123), (20301, 20301, 40.519877675841),
      (20302, 20302, 30.918862332162)], 1e-8),
    # the periodogram's correlations all tend to 1 there, as over a flat halt (values of a
    # model of its filter in fractions, its correlations at 60 digits)
    ("opens_pinned_between_bid_and_ask", "AutocorrelationPeriodogram", [10, 48], None,
     [(137, 2999, 32.439874363685)], 1e-8),
    ("opens_pinned_between_bid_and_ask", "AutocorrelationPeriodogram", [4, 19], None,
     [(640, 2999, 11.974276694935)], 1e-8),
]


@pytest.mark.parametrize("hist,name,params,field,spans,tol", REPRODUCERS,
                         ids=lambda c: str(c) if not isinstance(c, list) else "")
def test_a_halt_reads_what_exact_arithmetic_reads(hist, name, params, field, spans, tol):
    values = column_over_bars(HISTORIES[hist](), name, params, field)
    for first, last, want in spans:
        for k in range(first, last + 1):
            assert values[k] is not None and abs(values[k] - want) <= tol, (hist, name, params, field, k, values[k], want)
