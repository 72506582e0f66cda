"""Risk and performance measures, close-price stops, labels and anchored indicators
as observation columns: over realistic prices, and over a series of returns fed as
closes, checked against plain models of their formulas."""

import decimal
import json
import math
import re

import pytest

from conftest import BARS, case_id, column_after_warmup, column_over, exact_return_variances, tick_closes

# (name, params, field): typical parameters of each indicator of the family.
CASES = [
    ("AverageDrawdown", [20], None), ("BurkeRatio", [20], None), ("CalmarRatio", [20], None),
    ("CommonSenseRatio", [20], None), ("ConditionalValueAtRisk", [20, 0.95], None), ("Expectancy", [20], None),
    ("GainLossRatio", [20], None), ("GainToPainRatio", [20], None), ("KRatio", [20], None),
    ("KellyCriterion", [20], None), ("M2Measure", [20, 0.0, 0.01], None), ("MartinRatio", [20], None),
    ("MaxDrawdown", [20], None), ("SharpeRatio", [20, 0.0], None), ("SortinoRatio", [20, 0.0], None),
    ("OmegaRatio", [20, 0.0], None), ("ProfitFactor", [20], None), ("PainIndex", [20], None),
    ("SterlingRatio", [20], None), ("TailRatio", [20], None), ("UlcerIndex", [14], None),
    ("UpsidePotentialRatio", [20, 0.0], None), ("ValueAtRisk", [20, 0.95], None), ("WinRate", [20], None),
    ("PercentageTrailingStop", [5], None), ("RenkoTrailingStop", [2], None), ("RegimeLabel", [20, 50], None),
    ("StepTrailingStop", [1], None), ("TrendLabel", [20], None), ("RecoveryFactor", [], None),
    ("AnchoredRsi", [], None),
]

# Read over positive prices, every return-based measure sees only gains.
ALL_GAINS = {
    "WinRate": {1.0}, "KellyCriterion": {1.0}, "Expectancy": {0.0}, "GainToPainRatio": {0.0},
    "BurkeRatio": {0.0}, "CalmarRatio": {0.0}, "SterlingRatio": {0.0}, "MartinRatio": {0.0},
    "CommonSenseRatio": {0.0}, "ConditionalValueAtRisk": {0.0}, "ValueAtRisk": {0.0}, "SortinoRatio": {0.0},
    "UpsidePotentialRatio": {0.0},
    # +infinity answers are reported as 0.0.
    "GainLossRatio": {0.0}, "ProfitFactor": {0.0}, "OmegaRatio": {0.0},
}


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_over_prices(name, params, field):
    values = column_after_warmup(name, params, field)
    if name in ALL_GAINS:
        assert set(values) == ALL_GAINS[name]
    elif name in ("RegimeLabel", "TrendLabel"):
        assert {-1.0, 1.0} <= set(values) <= {-1.0, 0.0, 1.0}
    elif name in ("PercentageTrailingStop", "RenkoTrailingStop", "StepTrailingStop"):
        closes = [b["close"] for b in BARS]
        assert all(0.9 * min(closes) < v < 1.1 * max(closes) for v in values)
    elif name in ("MaxDrawdown", "PainIndex", "AverageDrawdown"):
        assert all(0.0 <= v < 1.0 for v in values) and max(values) > 0.0
    elif name == "AnchoredRsi":
        assert all(0.0 <= v <= 100.0 for v in values)
    else:
        assert sum(1 for v in values if v != 0.0) >= 0.5 * len(values)


RETURNS = [0.01 * math.sin(1.3 * i) + 0.002 * math.cos(0.4 * i) for i in range(400)]


def windows(xs, n):
    return [None if i + 1 < n else xs[i + 1 - n:i + 1] for i in range(len(xs))]


def model_win_rate(w):
    return sum(1 for r in w if r > 0) / len(w)


def model_profit_factor(w):
    gains = sum(r for r in w if r > 0)
    losses = -sum(r for r in w if r < 0)
    return 1.0 if gains == losses == 0 else (math.inf if losses == 0 else gains / losses)


def model_sharpe(w):
    mean = sum(w) / len(w)
    var = sum((r - mean) ** 2 for r in w) / (len(w) - 1)
    return 0.0 if var == 0 else mean / math.sqrt(var)


def model_value_at_risk(w, c=0.9):
    s = sorted(w)
    pos = (1 - c) * (len(s) - 1)
    lo = math.floor(pos)
    q = s[lo] if pos == lo else s[lo] + (s[lo + 1] - s[lo]) * (pos - lo)
    return max(-q, 0.0)


def model_gain_to_pain(w):
    pain = -sum(r for r in w if r < 0)
    return sum(w) / pain if pain > 0 else 0.0


MODELS = [
    ("WinRate", [10], model_win_rate),
    ("ProfitFactor", [10], model_profit_factor),
    ("SharpeRatio", [10, 0.0], model_sharpe),
    ("ValueAtRisk", [10, 0.9], model_value_at_risk),
    ("GainToPainRatio", [10], model_gain_to_pain),
]


@pytest.mark.parametrize("name, params, model", MODELS, ids=[m[0] for m in MODELS])
def test_column_over_returns_matches_model(name, params, model):
    got = column_over(RETURNS, name, params)
    want = [None if w is None else model(w) for w in windows(RETURNS, params[0])]
    # The episode starts at the bar after the warm-up of n bars.
    assert next(i for i, v in enumerate(got) if v is not None) == params[0]
    for i in range(params[0], len(RETURNS)):
        expected = want[i] if math.isfinite(want[i]) else 0.0
        assert got[i] == pytest.approx(expected, abs=1e-8), (name, i)


# Windows whose losses have all left answer the fixed 0.0 of a window without
# downside, however the running sums of the losses have rounded on the way.
@pytest.mark.parametrize("name, params, closes", [
    ("UpsidePotentialRatio", [3, 0.0], [0.01, 0.01, -0.0431, -0.0307, -0.0145, 0.0095, 0.0433, 0.0251]),
    ("GainToPainRatio", [3],
     [-0.0408, 0.0186, -0.0194, 0.0299, 0.0127, 0.0221, -0.0191, -0.0016, 0.0363, 0.005, 0.0304]),
], ids=["UpsidePotentialRatio", "GainToPainRatio"])
def test_window_without_losses_answers_zero(name, params, closes):
    assert column_over(closes, name, params)[-1] == 0.0


def test_k_ratio_reads_a_halt_after_a_move_as_a_perfect_line():
    # Over three returns the cumulative curve is a line exactly when the last two are
    # equal; otherwise K = sqrt(3) (v2 + v3) / (v3 - v2). The halt's rows read 0.0,
    # not the slope over a residual of roundings (2.6e15).
    got = column_over([100.0, 99.5, 101.25, 103.4, 103.4, 103.4], "KRatio", [3])
    assert got[3:] == [pytest.approx(math.sqrt(3.0) * 204.65 / 2.15, rel=1e-10), 0.0, 0.0]


def test_recovery_factor_and_anchored_rsi_over_the_whole_series():
    prices = [100.0, 120.0, 90.0, 108.0, 130.0]
    # Rows start after the warm-up: bar 2 for RecoveryFactor, bar 3 for AnchoredRsi.
    assert column_over(prices, "RecoveryFactor", []) == [None, 0.0, pytest.approx(-0.4), pytest.approx(0.32), 1.2]
    assert column_over([10.0, 11.0, 10.0, 10.0, 12.0], "AnchoredRsi", []) == [None, None, 50.0, 50.0, 75.0]


@pytest.mark.parametrize("vol_period,lookback", [(4, 10), (19, 13), (20, 50)])
def test_regime_label_reads_equal_volatilities_as_equal(vol_period, lookback):
    # Many windows of a market moving among a few prices measure exactly the same
    # volatility; a label must not tell them apart by their roundings.
    closes = tick_closes()
    got = column_over(closes, "RegimeLabel", [vol_period, lookback])
    variances = exact_return_variances(closes, vol_period)
    with decimal.localcontext() as ctx:
        ctx.prec = 60

        def vol(v):
            return (decimal.Decimal(v.numerator) / decimal.Decimal(v.denominator)).sqrt()

        checked = 0
        for i, value in enumerate(got):
            if value is None:
                continue
            vols = sorted(vol(variances[j]) for j in range(i - lookback + 1, i + 1))

            def quantile(q):
                h = (lookback - 1) * q
                lo = math.floor(h)
                return vols[lo] + decimal.Decimal(h - lo) * (vols[min(lo + 1, lookback - 1)] - vols[lo])

            now = vol(variances[i])
            expected = -1.0 if now < quantile(0.25) else 1.0 if now > quantile(0.75) else 0.0
            assert value == expected, f"bar {i}"
            checked += 1
    assert checked > 1000
