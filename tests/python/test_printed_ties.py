"""Answers that the printed decimals and exact arithmetic decide, through RawEnv.

Ties in the decimals: a window of closes whose least-squares slope is exactly 0 on its
cents reads TrendLabel 0; a bar whose range × volume or volume / range equals the older
bars' highest on its decimals is no climax or churn in BetterVolume; a first average of
ModifiedMaStop that is the close on its decimals is no close below it (long, the stop on
the close, while the close repeats). Doubles round each of these a few units apart.

Stc: while the MACD keeps topping its window, the first stochastic is exactly 100 and the
smoothed line closes part of its distance to 100 each bar. In exact arithmetic the line
never reaches 100 and each window of it rises to its newest value, so the second
stochastic is 100; in doubles the line lands on 100.0 (or stalls) and a window of such
values reads flat. In a long halt the averages themselves stall in doubles, while in
exact arithmetic they never reach the price and the MACD goes on rising. The expected
cells come from a model of the definition in decimals of 1,200 digits, far more than
the line's distance from 100 over these runs needs (it halves at most every bar)."""
import math
from decimal import Decimal, getcontext

import pytest

from conftest import column_over_bars, flat_bar


def model_stc(closes, fast, slow, cycle, factor):
    """The definition's answers on the decimal closes, in near-exact decimals."""
    getcontext().prec = 1200
    phi = Decimal(factor)

    def seeded_ema(k):
        alpha, state = Decimal(2) / (k + 1), {"seed": [], "value": None}

        def step(x):
            if state["value"] is not None:
                state["value"] = alpha * x + (1 - alpha) * state["value"]
            else:
                state["seed"].append(x)
                if len(state["seed"]) == k:
                    state["value"] = sum(state["seed"]) / k
            return state["value"]
        return step

    def percent(window, v):
        hi, lo = max(window), min(window)
        return (v - lo) * 100 / (hi - lo) if hi > lo else Decimal(0)

    fast_avg, slow_avg = seeded_ema(fast), seeded_ema(slow)
    macd, line, k_last, d_last, out = [], [], None, None, []
    for x in closes:
        f, s = fast_avg(x), slow_avg(x)
        if f is None or s is None:
            out.append(None)
            continue
        macd = (macd + [f - s])[-cycle:]
        if len(macd) < cycle:
            out.append(None)
            continue
        k = percent(macd, macd[-1])
        k = k if k_last is None else (k - k_last) * phi + k_last
        k_last = k
        line = (line + [k])[-cycle:]
        if len(line) < cycle:
            out.append(None)
            continue
        d = percent(line, k)
        d = d if d_last is None else (d - d_last) * phi + d_last
        d_last = d
        out.append(d)
    return out


def cents(value):
    return Decimal(value).quantize(Decimal("0.01"))


# A wavy cent market of 150 bars with a slight drift.
WAVE = [cents(100 + 3 * math.sin(t / 5) + 0.05 * t) for t in range(150)]
# ... then ten falling bars and a halt of 1,200 bars: the MACD, below 0, rises toward it
# all through the halt (its averages stall in doubles some 780 bars in).
FALL = [WAVE[-1] - Decimal("0.5") * (i + 1) for i in range(10)]
FALL_THEN_HALT = WAVE + FALL + [FALL[-1]] * 1200


def climb(start, bars, rate):
    out, c = [], start
    for _ in range(bars):
        c = (c * (1 + rate)).quantize(Decimal("0.01"))
        out.append(c)
    return out


# ... then a climb of 0.5 % a bar in cents.
WAVE_THEN_CLIMB = WAVE + climb(WAVE[-1], 150, Decimal("0.005"))


def stc_case(closes, params):
    bars = [flat_bar(i, float(c)) for i, c in enumerate(closes)]
    return bars, model_stc(closes, *params)


def closes_case(closes, last):
    """Flat bars at `closes` after two at the first (the episode reads a row from the
    bar after the warm-up on); the last answer is `last`, the others are not checked."""
    closes = closes[:1] * 2 + closes
    return [flat_bar(i, c) for i, c in enumerate(closes)], [None] * (len(closes) - 1) + [last]


def candle(i, o, h, l, c, v):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


# Five cent closes with Σ (2i − 4)·c_i = 0 on their cents: a flat slope at three levels.
FLAT_SLOPES = [
    [100.04, 100.0, 100.04, 100.04, 100.02],
    [1.13, 1.12, 1.12, 1.14, 1.12],
    [0.11, 0.11, 0.1, 0.13, 0.1],
]
# BetterVolume [2] (after two bars that only fill the warm-up): the last bar ties the one
# before on range × volume
# (0.00044 · 264 = 0.00048 · 242 = 0.11616) and has less volume per range: low volume, 1.
CLIMAX_TIE = [candle(0, 1.115, 1.1151, 1.1149, 1.115, 100), candle(1, 1.115, 1.1151, 1.1149, 1.115, 100),
              candle(2, 1.11506, 1.11506, 1.11462, 1.11462, 264), candle(3, 1.1146, 1.11466, 1.11418, 1.11442, 242)]
# BetterVolume [2]: the last bar ties the one before on volume per range (196 / 0.00056 = 308 / 0.00088
# = 350,000) and has more range × volume, on a rising bar: climax alone, 3.
CHURN_TIE = [candle(0, 1.119, 1.1191, 1.1189, 1.119, 100), candle(1, 1.119, 1.1191, 1.1189, 1.119, 100),
             candle(2, 1.11915, 1.11962, 1.11906, 1.11918, 196), candle(3, 1.1189, 1.1194, 1.11852, 1.1194, 308)]
# ModifiedMaStop [5]: five closes of 0.11 average 0.11 exactly, then the close repeats:
# no close below the average, so long throughout.
REPEATED = [0.11] * 9

# name, params, field, bars, expected answers (None where no cell is checked)
CASES = [
    ("Stc", [23, 50, 10, 0.5], None, *stc_case(FALL_THEN_HALT, [23, 50, 10, "0.5"])),
    ("Stc", [23, 50, 10, 0.75], None, *stc_case(FALL_THEN_HALT, [23, 50, 10, "0.75"])),
    ("Stc", [12, 26, 5, 0.25], None, *stc_case(FALL_THEN_HALT, [12, 26, 5, "0.25"])),
    ("Stc", [23, 50, 10, 0.5], None, *stc_case(WAVE_THEN_CLIMB, [23, 50, 10, "0.5"])),
    *[("TrendLabel", [5], None, *closes_case(c, 0.0)) for c in FLAT_SLOPES],
    ("BetterVolume", [2], None, CLIMAX_TIE, [None, None, None, 1.0]),
    ("BetterVolume", [2], None, CHURN_TIE, [None, None, None, 3.0]),
    ("ModifiedMaStop", [5], "direction", [flat_bar(i, c) for i, c in enumerate(REPEATED)], [None] * 4 + [1.0] * 5),
]


@pytest.mark.parametrize("name,params,field,bars,expected", CASES,
                         ids=[f"{c[0]}{c[1]}-{i}" for i, c in enumerate(CASES)])
def test_answers_read_exact_arithmetic_on_the_printed_decimals(name, params, field, bars, expected):
    got = column_over_bars(bars, name, params, field)
    # The episode's warm-up may start a bar after the definition's first answer.
    checked = [(i, g, e) for i, (g, e) in enumerate(zip(got, expected)) if e is not None and g is not None]
    assert got[-1] is not None and len(checked) >= sum(e is not None for e in expected) - 1
    wrong = [(i, g, float(e)) for i, g, e in checked if abs(g - float(round(Decimal(e), 8))) > 1.5e-8]
    assert not wrong, f"{len(wrong)} cells differ, first {wrong[:3]}"
