"""Answers that the printed decimals and exact arithmetic decide, through RawEnv.

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


# name, params, bars, expected answers (None where no cell is read)
CASES = [
    ("Stc", [23, 50, 10, 0.5], *stc_case(FALL_THEN_HALT, [23, 50, 10, "0.5"])),
    ("Stc", [23, 50, 10, 0.75], *stc_case(FALL_THEN_HALT, [23, 50, 10, "0.75"])),
    ("Stc", [12, 26, 5, 0.25], *stc_case(FALL_THEN_HALT, [12, 26, 5, "0.25"])),
    ("Stc", [23, 50, 10, 0.5], *stc_case(WAVE_THEN_CLIMB, [23, 50, 10, "0.5"])),
]


@pytest.mark.parametrize("name,params,bars,expected", CASES,
                         ids=[f"{c[0]}{c[1]}-{i}" for i, c in enumerate(CASES)])
def test_answers_read_exact_arithmetic_on_the_printed_decimals(name, params, bars, expected):
    got = column_over_bars(bars, name, params)
    wrong = [(i, g, float(e)) for i, (g, e) in enumerate(zip(got, expected))
             if g is not None and e is not None and abs(g - float(round(e, 8))) > 1.5e-8]
    assert not wrong, f"{len(wrong)} cells differ, first {wrong[:3]}"
    assert sum(g is not None and e is not None for g, e in zip(got, expected)) > len(bars) // 2
