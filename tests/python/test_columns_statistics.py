"""The statistics, regression, order-statistic and close-price volatility indicators
load as observation columns over realistic bars: finite after the warm-up and not
constant; a parameter that a constructor refuses makes the feature unknown."""

import json

import pytest

from conftest import Driver, case_id, column_after_warmup, feature, make_spec

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
