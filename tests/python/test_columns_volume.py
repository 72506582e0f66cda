"""The volume, money-flow and volume-line indicators and the single-bar transforms as
observation columns, and the cumulative lines over a million bars against exact sums."""

import json
import math
import random

import pytest

from conftest import Driver, case_id, column_after_warmup, feature, make_spec

# (name, params, field): typical parameters of every name of the family.
CASES = [
    ("AdOscillator", [], None), ("Adl", [], None), ("AnchoredVwap", [], None), ("AvgPrice", [], None),
    ("BalanceOfPower", [], None), ("BetterVolume", [20], None), ("BodySizePct", [], None),
    ("ChaikinMoneyFlow", [20], None), ("ChaikinOscillator", [3, 10], None), ("CloseVsOpen", [], None),
    ("DemandIndex", [14], None), ("EaseOfMovement", [14], None), ("Evwma", [20], None),
    ("ForceIndex", [13], None), ("HighLowRange", [], None), ("IntradayIntensity", [], None),
    ("Kvo", [34, 55], None), ("MarketFacilitationIndex", [], None), ("MedianPrice", [], None),
    ("Mfi", [14], None), ("Nvi", [], None), ("Obv", [], None), ("Pvi", [], None), ("RollingVwap", [20], None),
    ("SessionVwap", [-300], None), ("TradeVolumeIndex", [0.01], None), ("TrueRange", [], None),
    ("Tsv", [13], None), ("TwiggsMoneyFlow", [21], None), ("TypicalPrice", [], None),
    ("VolumeOscillator", [5, 10], None), ("VolumePriceTrend", [], None), ("VolumeRsi", [14], None),
    ("Vwap", [], None), ("Vwma", [20], None), ("Vzo", [14], None), ("Wad", [], None),
    ("WeightedClose", [], None), ("WickRatio", [], None),
]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    assert len(set(values)) > 1, f"{name}: the column never moves"


# The environment reports a refused build by the feature's name only (the registry's
# message is checked by the C++ tests).
@pytest.mark.parametrize("name, params", [
    ("Kvo", [30, 20]), ("ChaikinOscillator", [10, 10]), ("VolumeOscillator", [5, 16777217]),
    ("TradeVolumeIndex", [-0.5]), ("SessionVwap", [2147483648]), ("Mfi", [0]),
])
def test_refused_parameters_reach_the_user(name, params):
    with pytest.raises(ValueError) as err:
        Driver(make_spec([feature(name, params, None)]))
    assert str(err.value) == f"unknown indicator: {name}"


# ---- Cumulative lines over a million bars.

N = 1_000_000
LINES = ["Obv", "Adl", "Vwap", "AnchoredVwap", "Pvi", "Nvi", "VolumePriceTrend", "Wad", "TradeVolumeIndex"]


def million_bars():
    """Whole-number prices on a bounded walk and volumes with two decimals (so no sum of
    them is exact in binary), as (open, high, low, close, volume) tuples and as JSON."""
    rng = random.Random(2024)
    steps = (-2, -1, -1, 0, 0, 1, 1, 2)
    price = 400
    bars, parts = [], []
    for i in range(N):
        r = rng.getrandbits(24)
        o = price
        price = min(max(price + steps[r & 7], 200), 800)
        h = max(o, price) + ((r >> 3) & 3)
        lo = min(o, price) - ((r >> 5) & 3)
        cents = (r >> 7) % 99_999 + 1
        v = cents / 100
        bars.append((o, h, lo, price, v))
        parts.append(f'{{"ts":{i},"open":{o},"high":{h},"low":{lo},"close":{price},"volume":{v!r}}}')
    return bars, '{"cmd":"load","candles":[' + ",".join(parts) + "]}"


def reference_lines(bars):
    """The value of each line on the last bar, from exact (math.fsum) sums of the
    per-bar amounts that the lines add."""
    obv, adl, pv, vol, pvi_logs, nvi_logs, vpt, wad, tvi = ([] for _ in range(9))
    prev = None
    direction = 0.0
    for o, h, lo, c, v in bars:
        r = h - lo
        adl.append(0.0 if r == 0.0 else ((c - lo) - (h - c)) / r * v)
        pv.append(((h + lo) + c) / 3.0 * v)
        vol.append(v)
        if prev is not None:
            pc, pvol = prev
            if c > pc:
                obv.append(v)
                wad.append(c - min(lo, pc))
            elif c < pc:
                obv.append(-v)
                wad.append(c - max(h, pc))
            change = (c - pc) / pc
            if v > pvol:
                pvi_logs.append(math.log1p(change))
            elif v < pvol:
                nvi_logs.append(math.log1p(change))
            vpt.append(v * change)
            if c - pc > 0.5:
                direction = 1.0
            elif c - pc < -0.5:
                direction = -1.0
            tvi.append(direction * v)
        prev = (c, v)
    return {
        "Obv": math.fsum(obv), "Adl": math.fsum(adl), "Vwap": math.fsum(pv) / math.fsum(vol),
        "AnchoredVwap": math.fsum(pv) / math.fsum(vol), "Pvi": 1000.0 * math.exp(math.fsum(pvi_logs)),
        "Nvi": 1000.0 * math.exp(math.fsum(nvi_logs)), "VolumePriceTrend": math.fsum(vpt),
        "Wad": math.fsum(wad), "TradeVolumeIndex": math.fsum(tvi),
    }


def test_cumulative_lines_over_a_million_bars_match_exact_sums():
    bars, load = million_bars()
    features = [feature(name, [0.5] if name == "TradeVolumeIndex" else [], None) for name in LINES]
    env = Driver(make_spec(features, warmup=N - 1, max_steps=10))
    assert env.raw(load) == '{"ok":true}'
    last = env("reset")["observation"]
    want = reference_lines(bars)
    for name, got in zip(LINES, last):
        # The environment reports values rounded to eight decimals.
        assert abs(got - want[name]) <= 1e-9 * abs(want[name]) + 5e-9, (name, got, want[name])
