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


# (history, name, params, output field or None, [(first bar, last bar, value)], tolerance)
REPRODUCERS = [
    # autocorrelation periodogram
    # Over the halt every correlation tends to 1; the spectrum of those correlations is
    # held until the wave's first bars have entered the newest three values.
    ("wave_then_flat_halt", "AutocorrelationPeriodogram", [10, 48], None,
     [(1110, 3302, 32.439874363685), (3303, 3303, 32.350831351932), (3304, 3304, 31.96125129506),
      (3305, 3305, 31.453778815355)], 1e-8),
    ("wave_then_flat_halt", "AutocorrelationPeriodogram", [4, 19], None,
     [(1084, 3302, 11.974276694935), (3303, 3303, 11.906626346184), (3304, 3304, 11.524092321279),
      (3305, 3305, 18.60811543455)], 1e-8),
]


@pytest.mark.parametrize("hist,name,params,field,spans,tol", REPRODUCERS,
                         ids=lambda c: str(c) if not isinstance(c, list) else "")
def test_a_halt_reads_what_exact_arithmetic_reads(hist, name, params, field, spans, tol):
    values = column_over_bars(HISTORIES[hist](), name, params, field)
    for first, last, want in spans:
        for k in range(first, last + 1):
            assert values[k] is not None and abs(values[k] - want) <= tol, (hist, name, params, field, k, values[k], want)
