"""A halt (open = high = low = close, volume 0, for thousands of bars) decays every average
of changes, ranges and volumes by a constant factor a bar. In exact arithmetic none of
them reaches zero: a quotient of two of them holds its value through the run however
long, and names with several decay modes go on converging as their recurrences say.
The held values below are those of the exact arithmetic over this history."""
import json
import math
import random

import pytest

from conftest import Driver, feature, make_spec

FLAT = 12000
WALK = 200


def halted_history():
    """200 bars of a walk, then a halt at the last close, then a few moves."""
    rnd = random.Random(5)
    p = 100.0
    bars = []
    for i in range(WALK):
        o = p
        p = round(p * math.exp(rnd.gauss(0, 0.01)), 2)
        bars.append({"ts": 60000 * i, "open": o, "high": round(max(o, p) + 0.05, 2),
                     "low": round(min(o, p) - 0.05, 2), "close": p, "volume": 100 + rnd.randint(0, 50)})
    bars += [{"ts": 60000 * (WALK + i), "open": p, "high": p, "low": p, "close": p, "volume": 0}
             for i in range(FLAT)]
    for i in range(8):
        o = p
        p = round(p + (0.5 if i % 3 else -0.25), 2)
        bars.append({"ts": 60000 * (WALK + FLAT + i), "open": o, "high": max(o, p) + 0.05,
                     "low": min(o, p) - 0.05, "close": p, "volume": 120})
    return bars


BARS = halted_history()
LOAD = json.dumps({"cmd": "load", "candles": BARS})


def column(name, params, field=None):
    """The observation column of one feature over BARS, indexed by bar (None before the
    warm-up the load asks for)."""
    f = [feature(name, params, field)]
    probe = Driver(make_spec(f, max_steps=len(BARS)))
    answer = json.loads(probe.raw(LOAD))
    needed = 0
    if answer != {"ok": True}:
        needed = int(answer["error"].split("needs ")[1].split(":")[0])
    env = Driver(make_spec(f, max_steps=len(BARS), warmup=needed))
    assert env.raw(LOAD) == '{"ok":true}'
    return [None] * needed + [row[0] for row in env.episode_rows()]


def flat(values, k):
    """The value on the k-th bar of the halt (1-based)."""
    return values[WALK + k - 1]


# name, params, held value, the first bar of the halt from which it holds to 8 decimals
# (a name that converges holds once its slower mode has died out).
HELD = [
    ("Rsi", [14], 28.18838457, 1),
    ("Rsi", [2], 3.50374122, 1),
    ("ConnorsRsi", [3, 2, 100], 25.52504725, 101),
    ("Adx", [14], 14.83915323, 1500),
    ("Tsi", [25, 13], -45.14723886, 2000),
    ("EvenBetterSinewave", [40, 10], -0.99185891, 2000),
    ("ChaikinVolatility", [10, 10], -86.55693673, 500),
    ("ChaikinVolatility", [2, 2], -88.88888889, 100),
    ("Vzo", [14], -34.39637865, 1),
    ("VolumeRsi", [14], 33.13724881, 1),
    ("Rmi", [14, 5], 9.32832282, 6),
    ("RviVolatility", [14], 36.4678543, 100),
    ("EhlersStochastic", [20], 1.0, 1000),
]


@pytest.mark.parametrize("name,params,held,start", HELD, ids=lambda c: str(c))
def test_a_halt_holds_what_exact_arithmetic_holds(name, params, held, start):
    values = column(name, params)
    for k in range(start, FLAT + 1):
        assert abs(flat(values, k) - held) <= 1.5e-8, (name, params, k, flat(values, k))
    # The first moves after the halt answer finite values within the name's range.
    assert all(math.isfinite(v) for v in values[WALK + FLAT:])


def test_a_ringing_filter_rings_on_through_a_halt():
    values = column("EvenBetterSinewave", [3, 3])
    for k in range(200, FLAT + 1):
        v = flat(values, k)
        assert abs(abs(v) - 0.4472136) <= 1e-7, (k, v)
        assert (v > 0) != (flat(values, k - 1) > 0), k


def test_mass_index_falls_as_its_ratios_do():
    # Over the halt each ratio of the range's average to its own average tends to
    # 1 / (alpha t) with alpha = 2 / 10: the sum of 25 of them to 125 / t.
    values = column("MassIndex", [9, 25])
    for k in range(4000, FLAT + 1, 500):
        assert flat(values, k) < flat(values, k - 500)
        assert abs(k * flat(values, k) / 125.0 - 1.0) < 0.05, (k, flat(values, k))


def test_a_history_that_opens_flat_keeps_the_zero_divisor_answer():
    bars = [{"ts": i, "open": 50.0, "high": 50.0, "low": 50.0, "close": 50.0, "volume": 0} for i in range(400)]
    load = json.dumps({"cmd": "load", "candles": bars})
    for name, params, want in [("Rsi", [14], 50.0), ("Adx", [14], 0.0), ("Tsi", [25, 13], 0.0),
                               ("ChaikinVolatility", [10, 10], 0.0), ("Vzo", [14], 0.0)]:
        env = Driver(make_spec([feature(name, params, None)], max_steps=len(bars), warmup=100))
        assert env.raw(load) == '{"ok":true}'
        rows = env.episode_rows()
        assert all(r == [want] for r in rows), (name, rows[:3])
