"""Every field of every market and volume profile, volatility cone, DeMark sequential
tool and session range loads as an observation column and answers after its warm-up."""

import pytest

from conftest import case_id, column_after_warmup, column_over, exact_return_variances, tick_closes

INDICATORS = [
    ("VolumeWeightedSr", [20], ("support", "resistance")),
    ("HighLowVolumeNodes", [50, 24], ("hvn", "lvn")),
    ("TpoProfile", [50, 24], ("price_low", "price_high")),
    ("VolumeProfile", [50, 24], ("price_low", "price_high")),
    ("CompositeProfile", [50, 24, 0.7], ("poc", "vah", "val")),
    ("ValueArea", [50, 24, 0.7], ("poc", "vah", "val")),
    ("VolatilityCone", [20, 100], ("current", "min", "median", "max", "percentile")),
    ("TdSequential", [4, 9, 2, 13], ("setup", "countdown", "direction")),
    ("TdRangeProjection", [], ("high", "low")),
    ("TdLines", [4, 4], ("resistance", "support")),
    ("TdMovingAverage", [5, 13], ("st1", "st2")),
    ("TdRiskLevel", [4, 4], ("buy_risk", "sell_risk")),
    ("InitialBalance", [30], ("high", "low")),
    ("OpeningRange", [30], ("high", "low", "breakout_distance")),
    ("OvernightIntradayReturn", [-300], ("overnight", "intraday")),
    ("SessionHighLow", [120], ("high", "low")),
    ("SessionRange", [-300], ("asia", "eu", "us")),
]
CASES = [(name, params, field) for name, params, fields in INDICATORS for field in (None,) + fields]

# Fields that are rightly 0.0 on many bars: counts between runs, a side not yet taken,
# a session block without a bar yet today, a level not yet set (NaN reads 0.0).
SPARSE = {
    ("TdSequential", "setup"), ("TdSequential", "countdown"), ("TdSequential", "direction"),
    ("TdSequential", None), ("SessionRange", "eu"), ("SessionRange", "us"), ("SessionRange", "asia"),
    ("SessionRange", None), ("OpeningRange", "breakout_distance"),
}


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_field_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    least = 0.05 if (name, field) in SPARSE else 0.5
    assert nonzero >= least * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


def test_value_areas_hold_their_point_of_control():
    for name in ("ValueArea", "CompositeProfile"):
        poc, vah, val = (column_after_warmup(name, [50, 24, 0.7], f) for f in ("poc", "vah", "val"))
        assert all(h >= p >= l for p, h, l in zip(poc, vah, val)), name


def test_profiles_share_the_window_range():
    for field in ("price_low", "price_high"):
        assert column_after_warmup("TpoProfile", [50, 24], field) == column_after_warmup("VolumeProfile", [50, 24], field)


def test_cone_orders_its_history():
    current, low, median, high, pct = (column_after_warmup("VolatilityCone", [20, 100], f)
                                       for f in ("current", "min", "median", "max", "percentile"))
    assert all(lo <= c <= hi and lo <= m <= hi for c, lo, m, hi in zip(current, low, median, high))
    assert all(1.0 <= p <= 100.0 for p in pct)


@pytest.mark.parametrize("window,lookback", [(4, 10), (19, 13), (5, 100)])
def test_cone_percentile_counts_equal_volatilities_as_ties(window, lookback):
    # In a market moving among a few prices many windows measure exactly the same
    # volatility; each is "at or below" the others, whatever roundings its sums met.
    closes = tick_closes()
    got = column_over(closes, "VolatilityCone", [window, lookback], "percentile")
    variances = exact_return_variances(closes, window)
    checked = 0
    for i, value in enumerate(got):
        if value is None:
            continue
        history = [variances[j] for j in range(i - lookback + 1, i + 1)]
        expected = 100 * sum(1 for v in history if v <= variances[i]) / lookback
        assert value == round(expected, 8), f"bar {i}"
        checked += 1
    assert checked > 1000


def test_sequential_counts_stay_in_range():
    setup = column_after_warmup("TdSequential", [4, 9, 2, 13], "setup")
    countdown = column_after_warmup("TdSequential", [4, 9, 2, 13], "countdown")
    direction = column_after_warmup("TdSequential", [4, 9, 2, 13], "direction")
    assert set(setup) <= set(range(-9, 10)) and 9 in [abs(s) for s in setup]
    assert set(countdown) <= set(range(-13, 14))
    assert set(direction) <= {-1.0, 0.0, 1.0}
