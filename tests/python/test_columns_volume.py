"""The volume, money-flow and volume-line indicators and the single-bar transforms as
observation columns, and the cumulative lines over a million bars against exact sums."""

import math
import random
from array import array

import pytest

from conftest import Driver, case_id, column_after_warmup, column_over_bars, feature, flat_bar, make_spec

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
    """The load document of a million bars (whole-number prices on a bounded walk,
    volumes with two decimals so that no sum of them is exact in binary) and the value
    of each line on the last bar, from exact (math.fsum) sums of what the lines add."""
    rng = random.Random(2024)
    steps = (-2, -1, -1, 0, 0, 1, 1, 2)
    # What each line adds per bar (Pvi and Nvi: the logarithm of their growth).
    obv, adl, pv, vol, pvi, nvi, vpt, wad, tvi = (array("d") for _ in range(9))
    chunks, parts = [], []
    c = 400
    prev_volume = None
    direction = 0.0
    for i in range(N):
        r = rng.getrandbits(24)
        o = pc = c
        c = min(max(c + steps[r & 7], 200), 800)
        h = max(o, c) + ((r >> 3) & 3)
        lo = min(o, c) - ((r >> 5) & 3)
        v = ((r >> 7) % 99_999 + 1) / 100
        parts.append(f'{{"ts":{i},"open":{o},"high":{h},"low":{lo},"close":{c},"volume":{v!r}}}')
        if len(parts) == 10_000:
            chunks.append(",".join(parts))
            parts = []
        bar_range = h - lo
        adl.append(0.0 if bar_range == 0 else ((c - lo) - (h - c)) / bar_range * v)
        pv.append(((h + lo) + c) / 3.0 * v)
        vol.append(v)
        if prev_volume is not None:
            if c > pc:
                obv.append(v)
                wad.append(c - min(lo, pc))
            elif c < pc:
                obv.append(-v)
                wad.append(c - max(h, pc))
            change = (c - pc) / pc
            if v > prev_volume:
                pvi.append(math.log1p(change))
            elif v < prev_volume:
                nvi.append(math.log1p(change))
            vpt.append(v * change)
            if c - pc > 0.5:
                direction = 1.0
            elif c - pc < -0.5:
                direction = -1.0
            tvi.append(direction * v)
        prev_volume = v
    if parts:
        chunks.append(",".join(parts))
    vwap = math.fsum(pv) / math.fsum(vol)
    want = {
        "Obv": math.fsum(obv), "Adl": math.fsum(adl), "Vwap": vwap, "AnchoredVwap": vwap,
        "Pvi": 1000.0 * math.exp(math.fsum(pvi)), "Nvi": 1000.0 * math.exp(math.fsum(nvi)),
        "VolumePriceTrend": math.fsum(vpt), "Wad": math.fsum(wad), "TradeVolumeIndex": math.fsum(tvi),
    }
    return '{"cmd":"load","candles":[' + ",".join(chunks) + "]}", want


def test_cumulative_lines_over_a_million_bars_match_exact_sums():
    load, want = million_bars()
    features = [feature(name, [0.5] if name == "TradeVolumeIndex" else [], None) for name in LINES]
    env = Driver(make_spec(features, warmup=N - 1, max_steps=10))
    assert env.raw(load) == '{"ok":true}'
    last = env("reset")["observation"]
    for name, got in zip(LINES, last):
        # The environment reports values rounded to eight decimals.
        assert abs(got - want[name]) <= 1e-9 * abs(want[name]) + 5e-9, (name, got, want[name])


# The volume indexes multiply their index on every move: a fall to a close of 0
# leaves exactly 0, and 0 times any later change stays 0.
@pytest.mark.parametrize("name, volumes", [("Nvi", [5, 4, 3, 2, 1]), ("Pvi", [1, 2, 3, 4, 5])], ids=["Nvi", "Pvi"])
def test_volume_index_falls_to_zero_and_stays(name, volumes):
    closes = [100.0, 98.9, 0.0, 1e-9, 1e12]
    bars = [flat_bar(i, c, v) for i, (c, v) in enumerate(zip(closes, volumes))]
    # The first row is the warm-up bar, the second.
    assert column_over_bars(bars, name, []) == [None, 989.0, 0.0, 0.0, 0.0]
