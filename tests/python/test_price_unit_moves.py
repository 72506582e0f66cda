"""Price moves measured in a price-unit parameter (TradeVolumeIndex's min_tick,
RenkoTrailingStop's brick, StepTrailingStop's step) read on the printed decimals: a
move of exactly the parameter is that move at every price level, whatever the rounding
of the doubles. Each column is checked against the definition worked in exact
rationals of the decimals as written."""

import math
import random
from fractions import Fraction

import pytest

from conftest import bar, column_over_bars


def dec(x):
    """The value as written: a Fraction as it is, a double as its shortest repr."""
    return x if isinstance(x, Fraction) else Fraction(repr(x))


def tvi_model(closes, volumes, min_tick):
    """Direction changes only on a move strictly larger than min_tick."""
    tick, prev, direction, index, out = dec(min_tick), None, 0, 0, []
    for c, v in zip(closes, volumes):
        c = dec(c)
        if prev is not None:
            if c - prev > tick:
                direction = 1
            elif c - prev < -tick:
                direction = -1
            index += direction * Fraction(v)
            out.append(float(index))
        prev = c
    return out


def renko_model(closes, brick):
    """Anchor moved by whole bricks, flipped on a reversal of more than one brick."""
    b, anchor, up, out = dec(brick), None, True, []
    for c in map(dec, closes):
        if anchor is None:
            anchor = c
        elif up and c < anchor - b or not up and c > anchor + b:
            up, anchor = not up, c
        else:
            k = math.floor((c - anchor) / b if up else (anchor - c) / b)
            if k >= 1:
                anchor += k * b if up else -k * b
        out.append(float(anchor - b if up else anchor + b))
    return out


def step_model(closes, step):
    """Long stops at floor(x / s) - 1 steps, short at ceil(x / s) + 1 steps."""
    s, stop, long, out = dec(step), None, True, []
    for x in map(dec, closes):
        below, above = (math.floor(x / s) - 1) * s, (math.ceil(x / s) + 1) * s
        if stop is None:
            stop = below
        elif long:
            long = stop <= x
            stop = max(stop, below) if long else above
        else:
            long = x > stop
            stop = below if long else min(stop, above)
        out.append(float(stop))
    return out


def cents(*hundredths):
    return [h / 100 for h in hundredths]


# (name, param, histories of closes at price levels a decimal shift apart, the column
# after warm-up each reads). Four bars of volume 10 for TradeVolumeIndex.
REPRODUCERS = [
    # 100.00 - 99.99 is 0.010000000000005116 in doubles, 1,100.00 - 1,099.99 is
    # 0.009999999999990905: one tick either way, not beyond it.
    ("TradeVolumeIndex", 0.01, [cents(9999, 10000, 10000, 10000), cents(109999, 110000, 110000, 110000)], [0.0, 0.0]),
    ("TradeVolumeIndex", 0.01, [cents(10000, 9999, 9999, 9999), cents(110000, 109999, 109999, 109999)], [0.0, 0.0]),
    ("TradeVolumeIndex", 0.0001, [[1.07001, 1.07011, 1.07011, 1.07011], [1.07011, 1.07021, 1.07021, 1.07021]],
     [0.0, 0.0]),
    # The prices and the tick scaled by 2^-20 read as before.
    ("TradeVolumeIndex", Fraction(1, 100) / 2**20,
     [[Fraction(c, 100) / 2**20 for c in (9999, 10000, 10000, 10000)]], [0.0, 0.0]),
    # A contrast, not a reproducer: two ticks are beyond one at both levels.
    ("TradeVolumeIndex", 0.01, [cents(9999, 10001, 10001, 10001), cents(109999, 110001, 110001, 110001)],
     [20.0, 30.0]),
    # (100.02 - 100.00) / 0.01 is 1.9999999999996: two bricks, the anchor 100.02.
    ("RenkoTrailingStop", 0.01, [cents(10000, 10002, 10002), cents(110000, 110002, 110002)], "two bricks up"),
    # 1,090.12 < 1,090.13 - 0.01 in doubles: a reversal of one brick does not flip.
    ("RenkoTrailingStop", 0.01, [cents(9013, 9012, 9012), cents(109013, 109012, 109012)], "no flip"),
    # The same one-cent path at 100 and at 1,100: (99.96 - 0.01) / 0.01 is
    # 9994.999999999998, a long stop of 99.94 where 99.95 is due.
    ("StepTrailingStop", 0.01, [cents(9994, 9995, 9996, 9997, 9997, 9996, 9995, 9994),
                                cents(109994, 109995, 109996, 109997, 109997, 109996, 109995, 109994)],
     "steps of a cent"),
]
# Stops read at the first level; the second reads them 1,000.00 higher.
STOPS = {
    "two bricks up": cents(9999, 10001, 10001),
    "no flip": cents(9012, 9012, 9012),
    "steps of a cent": cents(9993, 9994, 9995, 9996, 9996, 9996, 9996, 9995),
}


@pytest.mark.parametrize("name, param, histories, want", REPRODUCERS,
                         ids=[f"{r[0]}-{i}" for i, r in enumerate(REPRODUCERS)])
def test_a_move_of_the_parameter_reads_the_same_at_every_level(name, param, histories, want):
    for level, closes in enumerate(histories):
        bars = [bar(i, float(c), volume=10.0) for i, c in enumerate(closes)]
        got = [v for v in column_over_bars(bars, name, [float(param)]) if v is not None]
        if name == "TradeVolumeIndex":
            assert got == want, (closes, got)
            assert got == tvi_model(closes, [10] * len(closes), param)[-len(got):]
        else:
            # The stops on the decimals of their own level: 100.01 and 1,100.01 as written.
            shift = Fraction(100000 * level, 100)
            assert got == [float(dec(v) + shift) for v in STOPS[want]][-len(got):], (closes, got)
            model = renko_model if name == "RenkoTrailingStop" else step_model
            assert got == model(closes, param)[-len(got):]


def quiet_cents(count=900, seed=7):
    """A quiet cent market in hundredths: flat runs, dojis (open = close, a cent or two
    of shadow), one-cent steps and now and then two, with whole-number volumes."""
    rng = random.Random(seed)
    k, rows = 0, []
    for _ in range(count):
        kind = rng.random()
        if kind < 0.4:
            move, shadow = 0, 0  # flat
        elif kind < 0.6:
            move, shadow = 0, rng.choice((1, 2))  # doji
        else:
            move, shadow = rng.choice((-2, -1, -1, -1, -1, 1, 1, 1, 1, 2)), rng.choice((0, 1))
        o, k = k, k + move
        rows.append((o, max(o, k) + shadow, min(o, k) - shadow, k, rng.randint(1, 50)))
    return rows


def quiet_bars(rows, base):
    return [{"ts": i, "open": (base + o) / 100, "high": (base + h) / 100, "low": (base + lo) / 100,
             "close": (base + c) / 100, "volume": float(v)} for i, (o, h, lo, c, v) in enumerate(rows)]


@pytest.mark.parametrize("name, param", [
    ("TradeVolumeIndex", 0.01), ("RenkoTrailingStop", 0.01), ("RenkoTrailingStop", 0.02),
    ("StepTrailingStop", 0.01), ("StepTrailingStop", 0.02),
])
@pytest.mark.parametrize("seed", [7, 8])
def test_quiet_cent_market_reads_its_decimals_at_two_levels(name, param, seed):
    """The same history at 100.00 and 1,100.00: each column is the exact one of its
    decimals, so the two agree (the stops exactly 1,000.00 apart as written)."""
    rows = quiet_cents(seed=seed)
    columns = []
    for base in (10000, 110000):
        bars = quiet_bars(rows, base)
        got = column_over_bars(bars, name, [param])
        closes = [b["close"] for b in bars]
        if name == "TradeVolumeIndex":
            want = tvi_model(closes, [int(b["volume"]) for b in bars], param)
        else:
            want = (renko_model if name == "RenkoTrailingStop" else step_model)(closes, param)
        got = [v for v in got if v is not None]
        assert got == want[-len(got):]
        columns.append(got)
    low, high = columns
    if name == "TradeVolumeIndex":
        assert low == high
        assert any(v != 0.0 for v in low)
    else:
        assert [dec(v) for v in high] == [dec(v) + 1000 for v in low]
