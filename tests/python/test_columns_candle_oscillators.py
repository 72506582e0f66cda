"""Every candle oscillator loads as an observation column and answers after its warm-up."""

import pytest

from conftest import case_id, column_after_warmup

# (name, params, field, lowest, highest): typical parameters and the range the values keep.
CASES = [
    ("Cci", [20], None, None, None),
    ("AdaptiveCci", [20], None, None, None),
    ("StochasticCci", [14], None, 0.0, 100.0),
    ("AwesomeOscillator", [5, 34], None, None, None),
    ("AwesomeOscillatorHistogram", [5, 34, 1], None, None, None),
    ("AcceleratorOscillator", [5, 34, 5], None, None, None),
    ("TtmTrend", [6], None, -1.0, 1.0),
    ("Qstick", [8], None, None, None),
    ("HeikinAshiOscillator", [10], None, None, None),
    ("WilliamsR", [14], None, -100.0, 0.0),
    ("MidPrice", [14], None, None, None),
    ("Smi", [10, 3, 3], None, None, None),
    ("Pgo", [14], None, None, None),
    ("ProjectionOscillator", [14], None, None, None),
    ("IntradayMomentumIndex", [14], None, 0.0, 100.0),
    ("UltimateOscillator", [7, 14, 28], None, 0.0, 100.0),
    ("Rvi", [10], None, None, None),
]


@pytest.mark.parametrize("name, params, field, lowest, highest", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field, lowest, highest):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"
    if lowest is not None:
        assert min(values) >= lowest and max(values) <= highest


def test_ttm_trend_is_a_sign():
    assert set(column_after_warmup("TtmTrend", [6], None)) == {-1.0, 1.0}
