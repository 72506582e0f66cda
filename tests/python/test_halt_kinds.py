"""Halts of every kind: a flat candle, the last candle repeated with its range, a market
pinned between bid and ask, and the first bars after them. In exact arithmetic each
answer below holds (or settles) as stated through the halt and after it; every value is
that of an exact (or long-double) model of the name's recurrences over the same history.

One table holds them: a row names the history (a function of this file), the feature, and
the bars (0-based, inclusive ranges) over which the column must read a value."""
import pytest

from conftest import column_over_bars

HISTORIES = {}


def history(fn):
    HISTORIES[fn.__name__] = fn
    return fn


def candle(i, o, h, l, c, v):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


# (history, name, params, output field or None, [(first bar, last bar, value)], tolerance)
REPRODUCERS = [
]


@pytest.mark.parametrize("hist,name,params,field,spans,tol", REPRODUCERS,
                         ids=lambda c: str(c) if not isinstance(c, list) else "")
def test_a_halt_reads_what_exact_arithmetic_reads(hist, name, params, field, spans, tol):
    values = column_over_bars(HISTORIES[hist](), name, params, field)
    for first, last, want in spans:
        for k in range(first, last + 1):
            assert values[k] is not None and abs(values[k] - want) <= tol, (hist, name, params, field, k, values[k], want)
