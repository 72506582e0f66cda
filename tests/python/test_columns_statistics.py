"""The statistics, regression, order-statistic and close-price volatility indicators
load as observation columns over realistic bars: finite after the warm-up and not
constant; a parameter that a constructor refuses makes the feature unknown."""

import json
import math

import pytest

from conftest import Driver, case_id, column_after_warmup, column_over, feature, make_spec

CASES = [
    ("Autocorrelation", [20, 1], None), ("BipowerVariation", [20], None),
    ("CoefficientOfVariation", [20], None), ("DetrendedStdDev", [20], None),
    ("EwmaVolatility", [0.94], None), ("Garch11", [1e-6, 0.1, 0.85], None),
    ("HistoricalVolatility", [20, 252], None), ("HurstExponent", [64, 4], None), ("JarqueBera", [20], None),
    ("Kurtosis", [20], None), ("LinRegAngle", [14], None), ("LinRegIntercept", [14], None),
    ("LinRegSlope", [14], None), ("LinearRegression", [14], None), ("LogReturn", [1], None),
    ("MedianAbsoluteDeviation", [20], None), ("RSquared", [14], None), ("RealizedVolatility", [20], None),
    ("RollingIqr", [20], None), ("RollingMinMaxScaler", [20], None), ("RollingPercentileRank", [20], None),
    ("RollingQuantile", [20, 0.9], None), ("RviVolatility", [14], None), ("SampleEntropy", [50, 2, 0.2], None),
    ("ShannonEntropy", [20, 10], None), ("Skewness", [20], None), ("VolatilityOfVolatility", [20, 20], None),
]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    assert len(set(values)) > 10, f"{name}: the column is (nearly) constant"


def test_jump_indicator_signals_are_signs():
    values = column_after_warmup("JumpIndicator", [20, 1.5], None)
    assert set(values) <= {-1.0, 0.0, 1.0}
    assert 1.0 in values and -1.0 in values and 0.0 in values


@pytest.mark.parametrize("name, params", [
    ("SampleEntropy", [4, 3, 0.2]), ("SampleEntropy", [4, 2**64, 0.2]), ("HurstExponent", [7, 4]),
    ("Autocorrelation", [5, 5]), ("Garch11", [0.1, 0.5, 0.5]), ("EwmaVolatility", [1]),
    ("ShannonEntropy", [2**40, 4]), ("VolatilityOfVolatility", [5, 2**30]),
])
def test_refused_parameters_make_the_feature_unknown(name, params):
    with pytest.raises(ValueError, match=f"unknown indicator: {name}"):
        Driver(make_spec([feature(name, params, None)]))


# After a huge value has left the window, the window statistics read the window's own
# values on the very bar it leaves. Expected values come from a direct two-pass
# computation of each window in Python, rounded as the environment rounds.
def _window_stats(w):
    n = len(w)
    mean = sum(w) / n
    dev = [x - mean for x in w]
    m2 = sum(d * d for d in dev) / n
    m3 = sum(d ** 3 for d in dev) / n
    m4 = sum(d ** 4 for d in dev) / n
    sample_sd = math.sqrt(sum(d * d for d in dev) / (n - 1))
    xs = range(n)
    xbar = (n - 1) / 2
    sxx = sum((x - xbar) ** 2 for x in xs)
    slope = sum((x - xbar) * d for x, d in zip(xs, dev)) / sxx
    ss_res = sum((y - (mean + slope * (x - xbar))) ** 2 for x, y in zip(xs, w))
    return {
        "SharpeRatio": mean / sample_sd,
        "CoefficientOfVariation": math.sqrt(m2) / mean,
        "RSquared": 1.0 - ss_res / (m2 * n) if m2 > 0 else 0.0,
        "Skewness": m3 / m2 ** 1.5 if m2 > 0 else 0.0,
        "Kurtosis": m4 / m2 ** 2 - 3.0 if m2 > 0 else 0.0,
        "StdDev": math.sqrt(m2),
    }


@pytest.mark.parametrize("history", [
    [1e12] + [100.0 + i for i in range(12)],
    [100, 101, 103, 102, 104, 1e12, 105, 107, 106, 108, 107, 109, 108, 110, 111],
    [100, 103, 101, 104, 102, 1e12, 1e12, 105, 104, 107, 106, 108, 105, 109, 110],
], ids=["first-fill", "one-after-fill", "block-after-fill"])
@pytest.mark.parametrize("name,params", [
    ("SharpeRatio", [5, 0]), ("CoefficientOfVariation", [5]), ("RSquared", [5]),
    ("Skewness", [5]), ("Kurtosis", [5]), ("StdDev", [5]),
])
def test_window_statistics_after_a_huge_value(history, name, params):
    got = column_over([float(v) for v in history], name, params)
    last_huge = max(i for i, v in enumerate(history) if v >= 1e12)
    for end in range(last_huge + 5, len(history)):
        want = _window_stats([float(v) for v in history[end - 4:end + 1]])[name]
        assert got[end] == pytest.approx(round(want, 8), abs=2e-8), (end, got[end], want)
