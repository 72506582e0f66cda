"""Typical prices and bar sums that tie in the printed decimals are ties.

(high + low) + close of two bars that print the same sum may round to doubles a few
units in the last place apart, and whether they do depends on the price level. The
CCI family, Mfi and Kvo must read such bars as a tie: the answers below are those of
exact arithmetic on the decimals as written, and a quiet cent market reads the same at
two levels an exact decimal shift apart."""

import math
import random
from fractions import Fraction

import pytest

from conftest import column_over_bars, flat_bar


def candle(i, high, low, close, volume=1.0):
    return {"ts": i, "open": close, "high": high, "low": low, "close": close, "volume": volume}


def flat_then_doji(level, flats=40):
    """Flat bars at `level`, then a doji two cents either side of it: its typical price
    prints as `level`, but at 99.99 its (high + low) + close rounds off the flat bars'."""
    doji = candle(flats, round(level + 0.02, 2), round(level - 0.02, 2), level)
    return [flat_bar(i, level) for i in range(flats)] + [doji]


# Two hourly EURUSD bars (2017-05-24 05:00 and 06:00) whose high + low + close both
# print 3.35322; in doubles the second typical price is one unit in the last place higher.
FIRST = (1.11809, 1.1173, 1.11783)
SECOND = (1.11832, 1.11715, 1.11775)


def tie_within(count):
    """FIRST for half the bars, then SECOND: one tie in the middle, then equal bars."""
    return [candle(i, *(FIRST if i < count // 2 else SECOND), volume=5.0) for i in range(count)]


def sums(bar):
    return Fraction(str(bar["high"])) + Fraction(str(bar["low"])) + Fraction(str(bar["close"]))


# (name, params, histories, answer on the last bar of each in exact arithmetic):
# - a window of equal typical prices has no mean deviation, so the CCI is 0 and its
#   stochastic form, over a window of equal indices, 50;
# - the adaptive mean of a window that printed flat from its first bar is its price;
# - Mfi with neither a rising nor a falling typical price in its window is 50;
# - Kvo without a trend has no volume force, so both averages and their difference are 0.
# At 1,099.99 the doji's sum rounds onto the flat bars' in doubles too.
DOJIS = [flat_then_doji(99.99), flat_then_doji(1099.99)]
REPRODUCERS = [
    ("Cci", [20], DOJIS, 0.0),
    ("StochasticCci", [14], DOJIS, 50.0),
    ("Cci", [2], DOJIS, 0.0),
    ("AdaptiveCci", [20], DOJIS, 0.0),
    ("Mfi", [14], [tie_within(20)], 50.0),
    ("Kvo", [34, 55], [tie_within(60)], 0.0),
]


@pytest.mark.parametrize("name, params, histories, answer", REPRODUCERS, ids=[f"{c[0]}{c[1]}" for c in REPRODUCERS])
def test_ties_in_the_printed_decimals(name, params, histories, answer):
    for bars in histories:
        # A tie in the decimals: the bars on either side of the change sum alike exactly.
        tie = next(i for i in range(1, len(bars)) if bars[i]["high"] != bars[i - 1]["high"])
        assert sums(bars[tie]) == sums(bars[tie - 1])
        assert column_over_bars(bars, name, params)[-1] == answer, bars[-1]["close"]


def quiet_cents(count=900, seed=7, start=9999):
    """(open, high, low, close, volume), prices in cents: flat runs, dojis of a few
    cents, and one-cent steps."""
    rng = random.Random(seed)
    p, out = start, []
    while len(out) < count:
        kind = rng.random()
        if kind < 0.5:
            out.extend((p, p, p, p, rng.randint(1, 9)) for _ in range(rng.randint(1, 30)))
        elif kind < 0.75:
            out.append((p, p + rng.randint(1, 3), p - rng.randint(1, 3), p, rng.randint(1, 9)))
        else:
            q = p + rng.choice((-1, 1))
            out.append((p, max(p, q), min(p, q), q, rng.randint(1, 9)))
            p = q
    return out[:count]


def at_level(cents, divisor):
    return [{"ts": i, "open": o / divisor, "high": h / divisor, "low": lo / divisor, "close": c / divisor,
             "volume": float(v)} for i, (o, h, lo, c, v) in enumerate(cents)]


# Each is free of the price level in exact arithmetic: the CCI family measures
# distances in units of their own spread, Mfi is a ratio of money flows and Kvo of
# ranges, all unchanged when every price is ten times as large.
LEVEL_FREE = [("Cci", [20]), ("Cci", [2]), ("StochasticCci", [14]), ("AdaptiveCci", [20]), ("Mfi", [14]),
              ("Kvo", [34, 55])]


@pytest.mark.parametrize("seed", [2, 3, 4])
@pytest.mark.parametrize("name, params", LEVEL_FREE, ids=[f"{n}{p}" for n, p in LEVEL_FREE])
def test_quiet_cent_market_reads_alike_a_decimal_shift_apart(name, params, seed):
    cents = quiet_cents(seed=seed)
    # 99.99 and 999.9: the same decimals, the point moved by one place.
    low = column_over_bars(at_level(cents, 100), name, params)
    high = column_over_bars(at_level(cents, 10), name, params)
    # Observations print 8 decimals: roundings apart, two answers may print a unit apart.
    differing = [i for i, (a, b) in enumerate(zip(low, high))
                 if not (a == b or (a is not None and b is not None and math.isclose(a, b, rel_tol=1e-9, abs_tol=2e-8)))]
    assert differing == [], f"{name}{params}: {len(differing)} rows differ, first {differing[:5]}"
