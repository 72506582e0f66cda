"""Ehlers filters, DSP filters and cycle measures load as observation columns over realistic bars."""

import json
import math
import random

import pytest

from torvex_gym import RawEnv

from conftest import LOAD, Driver, case_id, column_after_warmup, column_over, feature, make_spec

# (name, params, field): typical parameters of each filter and cycle measure.
CASES = [
    ("SuperSmoother", [10], None), ("InstantaneousTrendline", [20], None), ("Decycler", [60], None),
    ("AdaptiveLaguerreFilter", [13], None),
    ("EhlersStochastic", [20], None), ("EmpiricalModeDecomposition", [20, 0.5], None),
    ("EvenBetterSinewave", [40, 10], None), ("FisherTransform", [10], None), ("HighpassFilter", [48], None),
    ("InverseFisherTransform", [0.01], None), ("LaguerreRsi", [0.5], None),
    ("Reflex", [20], None), ("RoofingFilter", [10, 48], None),
    ("Trendflex", [20], None), ("UniversalOscillator", [20], None), ("WavePm", [14, 5], None),
    ("BandpassFilter", [20, 0.3], None), ("CenterOfGravity", [10], None), ("CorrelationTrendIndicator", [20], None),
    ("CyberneticCycle", [10], None), ("DecyclerOscillator", [10, 30], None),
    ("AutocorrelationPeriodogram", [10, 48], None),
    ("HtDcPhase", [], None), ("SineWave", [], None), ("HilbertDominantCycle", [], None),
    ("AdaptiveCycle", [], None), ("HtTrendMode", [], None),
]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_is_finite_and_moves_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    assert len(set(values)) > 1, f"{name}: constant column {values[0]}"


# Warm-ups from the definitions: max_period + 3, m + 2n − 1, max(2n, 50), 50, n + 1.
WARMUPS = [
    ("AutocorrelationPeriodogram", [10, 48], 51), ("WavePm", [14, 5], 32),
    ("EmpiricalModeDecomposition", [10, 0.5], 50), ("HtTrendMode", [], 50), ("Reflex", [20], 21),
]


@pytest.mark.parametrize("name, params, want", WARMUPS, ids=[f"{w[0]}{w[1]}" for w in WARMUPS])
def test_load_asks_for_the_indicator_warmup(name, params, want):
    env = Driver(make_spec([feature(name, params, None)]))
    answer = json.loads(env.raw(LOAD))
    assert answer["error"].startswith(f"bad spec: episode.warmup is 0 but the observation needs {want}:"), answer


def closes():
    from conftest import BARS
    return [b["close"] for b in BARS]


def super_smoother(xs, length):
    a = math.exp(-math.sqrt(2) * math.pi / length)
    c2 = 2 * a * math.cos(math.sqrt(2) * math.pi / length)
    c3 = -a * a
    c1 = 1 - c2 - c3
    out = []
    for i, x in enumerate(xs):
        out.append(x if i < 2 else c1 * (x + xs[i - 1]) / 2 + c2 * out[-1] + c3 * out[-2])
    return out


def highpass(xs, n):
    t = 0.707 * 2 * math.pi / n
    a = (math.cos(t) + math.sin(t) - 1) / math.cos(t)
    out = []
    for i, x in enumerate(xs):
        if i < 2:
            out.append(0.0)
        else:
            out.append((1 - a / 2) ** 2 * (x - 2 * xs[i - 1] + xs[i - 2]) + 2 * (1 - a) * out[-1] - (1 - a) ** 2 * out[-2])
    return out


def laguerre_rsi(xs, g):
    out, stages = [], None
    for x in xs:
        if stages is None:
            stages = [x] * 4
            out.append(50.0)
            continue
        l0 = g * stages[0] + (1 - g) * x
        l1 = g * stages[1] + stages[0] - g * l0
        l2 = g * stages[2] + stages[1] - g * l1
        l3 = g * stages[3] + stages[2] - g * l2
        stages = [l0, l1, l2, l3]
        cu = sum(u - w for u, w in zip(stages, stages[1:]) if u >= w)
        cd = sum(w - u for u, w in zip(stages, stages[1:]) if u < w)
        out.append(100 * cu / (cu + cd) if cu + cd > 0 else 50.0)
    return out


# Whole columns through the environment against small models of the recursions.
MODELS = [
    ("SuperSmoother", [10], lambda xs: super_smoother(xs, 10.0)),
    ("HighpassFilter", [48], lambda xs: highpass(xs, 48.0)),
    ("Decycler", [60], lambda xs: [x - h for x, h in zip(xs, highpass(xs, 60.0))]),
    ("InverseFisherTransform", [0.01], lambda xs: [math.tanh(x * 0.01) for x in xs]),
    ("LaguerreRsi", [0.5], lambda xs: laguerre_rsi(xs, 0.5)),
]


@pytest.mark.parametrize("name, params, model", MODELS, ids=[m[0] for m in MODELS])
def test_column_matches_model(name, params, model):
    got = column_after_warmup(name, params, None)
    want = model(closes())[-len(got):]  # the column starts at the warm-up bar
    worst = max(abs(g - w) for g, w in zip(got, want))
    assert worst <= 1e-7, f"{name}: off by {worst}"


# A constant close gives the super smoother's constant back exactly: the reflex and
# trendflex window statistics are exactly 0 and so are the answers.
@pytest.mark.parametrize("name, params, count", [("Reflex", [3], 6), ("Trendflex", [2], 5)], ids=["Reflex", "Trendflex"])
def test_reflex_and_trendflex_of_a_constant_are_zero(name, params, count):
    got = column_over([5.0] * count, name, params)
    # Warm-up n + 1: rows from bar n + 2 on.
    first = params[0] + 1
    assert got == [None] * first + [0.0] * (count - first)


# Periods whose filter diverges are refused; the smallest accepted ones stay finite
# over a long walk. The band-pass poles on the unit circle at periods 1 and 2, and at
# cos(4π·b/n) = −1, are cancelled by the input and accepted.
@pytest.mark.parametrize("name, refused, accepted", [
    ("HighpassFilter", [1], [2]), ("Decycler", [1], [2]), ("DecyclerOscillator", [1, 5], [2, 5]),
    ("BandpassFilter", [1, 0.2], [1, 0.1]), ("BandpassFilter", [3, 0.376], [3, 0.374]),
    ("BandpassFilter", [2, 0.3], [3, 0.75]),
], ids=["HighpassFilter", "Decycler", "DecyclerOscillator", "BandpassFilter-period", "BandpassFilter-bandwidth",
        "BandpassFilter-cancelled"])
def test_unstable_filter_periods_are_refused(name, refused, accepted):
    with pytest.raises(ValueError) as err:
        RawEnv(json.dumps(make_spec([feature(name, refused, None)])))
    assert str(err.value) == f"unknown indicator: {name}"
    RawEnv(json.dumps(make_spec([feature(name, accepted, None)])))


def test_smallest_stable_periods_stay_finite_over_a_long_walk():
    rng = random.Random(7)
    price, bars = 100.0, []
    for i in range(100_000):
        price += rng.uniform(-0.5, 0.5)
        bars.append({"ts": i, "open": price, "high": price, "low": price, "close": price, "volume": 1.0})
    names = [("HighpassFilter", [2]), ("DecyclerOscillator", [2, 3]), ("BandpassFilter", [3, 0.374]),
             ("BandpassFilter", [2, 0.1]), ("EmpiricalModeDecomposition", [2, 0.5])]
    env = Driver(make_spec([feature(n, p, None) for n, p in names], warmup=50, max_steps=200_000))
    assert env.raw(json.dumps({"cmd": "load", "candles": bars})) == '{"ok":true}'
    rows = env.episode_rows()
    # A non-finite value would be reported as 0.0: none of the columns settles on it.
    for k, (name, _) in enumerate(names):
        column = [r[k] for r in rows]
        assert all(abs(v) < 10.0 for v in column), name
        assert sum(1 for v in column[-1000:] if v == 0.0) == 0, name
