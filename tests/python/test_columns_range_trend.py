"""Range, volatility, directional-movement, stop and calendar indicators as observation
columns over realistic bars, and the local calendar of the calendar indicators checked
against Python's datetime."""

import json
import math
import random
from datetime import datetime, timedelta

import pytest

from conftest import Driver, case_id, column_after_warmup, column_over_bars, feature, make_spec

CASES = [
    ("Atr", [14], None), ("Natr", [14], None), ("VolatilityRatio", [14], None),
    ("GarmanKlassVolatility", [20, 252], None), ("ParkinsonVolatility", [20, 252], None),
    ("RogersSatchellVolatility", [20, 252], None), ("YangZhangVolatility", [20, 252], None),
    ("ChoppinessIndex", [14], None), ("MassIndex", [9, 25], None), ("ChaikinVolatility", [10, 10], None),
    ("Inertia", [10, 14], None), ("AverageDailyRange", [5, 0], None),
    ("PlusDm", [14], None), ("MinusDm", [14], None), ("PlusDi", [14], None), ("MinusDi", [14], None),
    ("Dx", [14], None), ("Adxr", [14], None),
    ("Psar", [0.02, 0.02, 0.2], None), ("SarExt", [0, 0, 0.02, 0.02, 0.2, 0.02, 0.02, 0.2], None),
    ("AtrTrailingStop", [14, 3], None), ("VoltyStop", [14, 2], None), ("YoyoExit", [14, 2], None),
    ("HiLoActivator", [10], None), ("TimeBasedStop", [50], None),
    ("OvernightGap", [0], None), ("SeasonalZScore", [60], None),
]

# A crossing of zero is the line's ordinary value, not a missing one.
SIGNED = [("AroonOscillator", [14], None)]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


@pytest.mark.parametrize("name, params, field", SIGNED, ids=[case_id(c) for c in SIGNED])
def test_signed_column(name, params, field):
    values = column_after_warmup(name, params, field)
    assert min(values) == -100.0 and max(values) == 100.0


def test_turn_of_month_column_counts_after_a_complete_day():
    # The shared bars run from 2023-11-14 22:13 UTC for about two days: the 15th, a
    # complete day after a complete day, is counted once the 16th begins.
    values = column_after_warmup("TurnOfMonth", [15, 1, 0], None)
    first = next(i for i, v in enumerate(values) if v != 0.0)
    assert 1400 < first < 1600
    assert len(set(values[first:])) == 1


# ---- The local calendar against datetime, through the calendar indicators' columns.

EPOCH = datetime(1970, 1, 1)


def local_date(ts_ms, offset):
    secs = ts_ms // 1000 + offset * 60  # floor division, also for negative times
    return (EPOCH + timedelta(seconds=secs)).date()


def random_instants(rng, count):
    """Clusters of instants around random days between 1900 and 2200, so that many
    days hold several bars and many bars sit near midnight."""
    lo = int((datetime(1900, 1, 2) - EPOCH).total_seconds() * 1000)
    hi = int((datetime(2199, 12, 30) - EPOCH).total_seconds() * 1000)
    out = set()
    while len(out) < count:
        centre = rng.randrange(lo, hi)
        for _ in range(5):
            out.add(centre + rng.randrange(-36 * 3_600_000, 36 * 3_600_000))
    return sorted(out)[:count]


def model_turn_of_month(dates, closes, first_days, last_days):
    out, date, prev_day_close, last_close, total, count = [], None, None, 0.0, 0.0, 0
    for d, c in zip(dates, closes):
        if date is not None and d == date:
            last_close = c
        else:
            if date is not None:
                if prev_day_close is not None:
                    r = 0.0 if prev_day_close == 0.0 else last_close / prev_day_close - 1.0
                    nxt = date.replace(day=28) + timedelta(days=4)
                    length = (nxt - timedelta(days=nxt.day)).day
                    if date.day <= first_days or date.day > max(length - last_days, 0):
                        total += r
                        count += 1
                prev_day_close = last_close
            date, last_close = d, c
        out.append(total / count if count else None)
    return out


def model_overnight_gap(dates, opens, closes):
    out, date, prev_close, gap = [], None, None, None
    for d, o, c in zip(dates, opens, closes):
        if date is None or d != date:
            if prev_close is not None:
                gap = 0.0 if prev_close == 0.0 else o / prev_close - 1.0
            date = d
        prev_close = c
        out.append(gap)
    return out


@pytest.mark.parametrize("offset", [0, 840, -840, 330, -1])
def test_local_calendar_against_datetime(offset):
    rng = random.Random(1000 + offset)
    instants = random_instants(rng, 10_000)
    closes = [round(rng.uniform(50, 150), 2) for _ in instants]
    opens = [round(rng.uniform(50, 150), 2) for _ in instants]
    bars = [{"ts": ts, "open": o, "high": max(o, c), "low": min(o, c), "close": c, "volume": 1.0}
            for ts, o, c in zip(instants, opens, closes)]
    dates = [local_date(ts, offset) for ts in instants]
    assert dates[0].year >= 1900 and dates[-1].year <= 2199

    features = [feature("TurnOfMonth", [1, 1, offset], None), feature("OvernightGap", [offset], None)]
    env = Driver(make_spec(features, max_steps=len(bars), warmup=2))
    assert env.raw({"cmd": "load", "candles": bars}) == '{"ok":true}'
    rows = env.episode_rows()
    assert len(rows) == len(bars) - 2

    want_tom = model_turn_of_month(dates, closes, 1, 1)[2:]
    want_gap = model_overnight_gap(dates, opens, closes)[2:]
    assert sum(1 for v in want_tom if v is not None) > 9000
    for i, (row, t, g) in enumerate(zip(rows, want_tom, want_gap)):
        assert row[0] == pytest.approx(0.0 if t is None else t, abs=2e-8), (i + 2, instants[i + 2])
        assert row[1] == pytest.approx(0.0 if g is None else g, abs=2e-8), (i + 2, instants[i + 2])


def test_choppiness_index_reads_its_own_window_after_a_spike_leaves():
    def candle(i, o, h, lo, c):
        return {"ts": i, "open": o, "high": h, "low": lo, "close": c, "volume": 1.0}

    bars = [candle(i, 100.0, 100.5, 99.5, 100.0) for i in range(4)] + [candle(4, 100.0, 1e12, 99.5, 100.0)]
    bars += [candle(i, 100.0, 100.0 + 1e-9 * (i % 3), 100.0, 100.0) for i in range(5, 12)]
    got = column_over_bars(bars, "ChoppinessIndex", [2])
    # Last window: true ranges h10 − 100 and h11 − 100 against the range h11 − 100,
    # about 100·log2(1.5) = 58.50.
    h10, h11 = bars[10]["high"], bars[11]["high"]
    want = 100.0 * math.log10(((h10 - 100.0) + (h11 - 100.0)) / (h11 - 100.0)) / math.log10(2.0)
    assert got[-1] == pytest.approx(want, abs=1e-7)
    assert got[-1] == pytest.approx(58.50, abs=0.01)
