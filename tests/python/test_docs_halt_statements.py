"""docs/reference.md on halts, checked where a statement is a value the formulas give: at
period 1 an average of changes is the last change, exactly 0 in a halt; a pinned market
settles a one-bar change's average on a swing of ±tick × volume / n; Trendflex stays
within ±5 and reaches the bound on the first move after a long halt."""
import pytest

from conftest import BARS, column_over_bars


def candle(i, o, h, l, c, v):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


# Ten bars that end on a fall (so that Rsi [1] reads 0.0 and Vzo [1] −100 before the halt),
# then `halt` flat bars at the last close.
CLOSES = [100.0, 101.5, 100.75, 102.25, 103.0, 101.0, 102.5, 104.0, 103.25, 102.0]


def moves_then_flat(halt, after=()):
    bars = [candle(i, c, c + 0.5, c - 0.5, c, 1000.0) for i, c in enumerate(CLOSES)]
    p = CLOSES[-1]
    bars += [candle(len(bars) + k, p, p, p, p, 0.0) for k in range(halt)]
    return bars + [candle(len(bars) + k, c, c + 0.5, c - 0.5, c, 1000.0) for k, c in enumerate(after)]


FIRST_HALT = len(CLOSES)
CV = lambda n, m: (((n - 1) / (n + 1)) ** m - 1) * 100  # noqa: E731

# name, params, the last bar before the halt, then (first, last halt bar counted from 1, value)
PERIOD_ONE = [
    ("Rsi", [1], 0.0, [(1, 20, 50.0)]),
    ("Vzo", [1], -100.0, [(1, 20, 0.0)]),
    ("Tsi", [1, 1], -100.0, [(1, 20, 0.0)]),
    ("ChaikinVolatility", [1, 4], None, [(1, 4, -100.0), (5, 20, 0.0)]),
    ("ChaikinVolatility", [2, 3], None, [(3, 20, CV(2, 3))]),
]


@pytest.mark.parametrize("name,params,before,spans", PERIOD_ONE, ids=[f"{c[0]}{c[1]}" for c in PERIOD_ONE])
def test_an_average_of_one_bar_is_zero_in_a_halt(name, params, before, spans):
    col = column_over_bars(moves_then_flat(20), name, params)
    if before is not None:
        assert col[FIRST_HALT - 1] == before
    for first, last, value in spans:
        assert col[FIRST_HALT + first - 1:FIRST_HALT + last] == pytest.approx([value] * (last - first + 1), abs=1e-8)


def test_force_index_in_a_pinned_market_swings_by_tick_times_volume_over_n():
    # Pinned a cent wide at 100.00 / 100.01 with 1,300 a bar: ±0.01 × 1,300 / 13 = ±1.
    bars = [candle(i, c, c + 0.5, c - 0.5, c, 1000.0) for i, c in enumerate(CLOSES[:-1] + [100.0])]
    for k in range(600):
        bars.append(candle(len(bars), bars[-1]["close"], 100.01, 100.0, (100.01, 100.0)[k % 2], 1300.0))
    col = column_over_bars(bars, "ForceIndex", [13])
    # The last of the 600 pinned closes falls to the bid.
    assert col[-4:] == pytest.approx([1.0, -1.0, 1.0, -1.0], abs=1e-8)


@pytest.mark.parametrize("move", [0.25, -0.25])
def test_trendflex_reads_the_bound_on_the_first_move_after_a_long_halt(move):
    p = CLOSES[-1]
    col = column_over_bars(moves_then_flat(2000, [p + move]), "Trendflex", [20])
    assert col[-1] == (5.0 if move > 0 else -5.0)


def test_trendflex_stays_within_five():
    col = [v for v in column_over_bars(BARS, "Trendflex", [20]) if v is not None]
    assert max(abs(v) for v in col) <= 5.0
    assert max(abs(v) for v in col) > 1.0  # the bars do move it
