"""Every field of every MACD-family, directional, alligator, Aroon, stochastic, QQE,
Hilbert and Heikin-Ashi indicator loads as an observation column and answers after
its warm-up; the alias Macd answers as MacdIndicator under its own key."""

import json

import pytest
from torvex_gym import RawEnv

from conftest import Driver, case_id, column_after_warmup, feature, make_spec

MACD = ("macd", "signal", "histogram")
HA = ("open", "high", "low", "close")
INDICATORS = [
    ("MacdIndicator", [12, 26, 9], MACD),
    ("Macd", [12, 26, 9], MACD),
    ("MacdFix", [9], MACD),
    ("ZeroLagMacd", [12, 26, 9], MACD),
    ("VolumeWeightedMacd", [12, 26, 9], MACD),
    ("Kst", [10, 15, 20, 30, 10, 10, 10, 15, 9], ("kst", "signal")),
    ("Adx", [14], ("plus_di", "minus_di", "adx")),
    ("Vortex", [14], ("plus", "minus")),
    ("ElderRay", [13], ("bull_power", "bear_power")),
    ("Alligator", [13, 8, 5], ("jaw", "teeth", "lips")),
    ("GatorOscillator", [13, 8, 5], ("upper", "lower")),
    ("Aroon", [14], ("up", "down")),
    ("Rwi", [14], ("high", "low")),
    ("KasePermissionStochastic", [10, 3], ("fast", "slow")),
    ("Stochastic", [14, 3], ("k", "d")),
    ("WaveTrend", [10, 21, 4], ("wt1", "wt2")),
    ("Qqe", [14, 5, 4.236], ("rsi_ma", "trailing_line")),
    ("HtPhasor", [], ("inphase", "quadrature")),
    ("Mama", [0.5, 0.05], ("mama", "fama")),
    ("HeikinAshi", [], HA),
    ("SmoothedHeikinAshi", [10], HA),
]
CASES = [(name, params, field) for name, params, fields in INDICATORS for field in (None,) + fields]
# Fields that sit at zero for whole stretches by design: the Aroon and random-walk
# readings of a bar that is no extreme, and the gator's floor at equal lines.
SPARSE = {("Aroon", "up"), ("Aroon", "down"), ("Aroon", None), ("Rwi", "high"), ("Rwi", "low"), ("Rwi", None)}


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_field_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    share = 0.2 if (name, field) in SPARSE else 0.9
    assert nonzero >= share * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"
    assert len(set(values)) > 10


@pytest.mark.parametrize("name, params, fields", INDICATORS, ids=[i[0] for i in INDICATORS])
def test_primary_value_is_the_first_field(name, params, fields):
    assert column_after_warmup(name, params, None) == column_after_warmup(name, params, fields[0])


def test_macd_alias_is_macd_indicator_under_its_own_key():
    for field in MACD:
        assert column_after_warmup("Macd", [12, 26, 9], field) == column_after_warmup("MacdIndicator", [12, 26, 9], field)
    spec = Driver(make_spec([feature("Macd", [12, 26, 9], "signal")]))("spec")
    assert spec["feature_keys"] == ["Macd(12,26,9).signal"]


@pytest.mark.parametrize("name, params", [
    ("Stochastic", [14, 3]), ("KasePermissionStochastic", [10, 3]), ("Aroon", [14]),
])
def test_bounded_oscillators_stay_in_0_to_100(name, params):
    fields = next(f for n, _, f in INDICATORS if n == name)
    for field in fields:
        values = column_after_warmup(name, params, field)
        assert all(0.0 <= v <= 100.0 for v in values), (name, field)


def test_heikin_ashi_candles_hold_their_body():
    o, h, l, c = (column_after_warmup("HeikinAshi", [], f) for f in HA)
    assert all(hi >= max(op, cl) and lo <= min(op, cl) for op, hi, lo, cl in zip(o, h, l, c))


def test_gator_lower_is_never_positive():
    assert all(v <= 0.0 for v in column_after_warmup("GatorOscillator", [13, 8, 5], "lower"))
    assert all(v >= 0.0 for v in column_after_warmup("GatorOscillator", [13, 8, 5], "upper"))


# The environment names the feature it cannot build; the reasons are the registry's.
@pytest.mark.parametrize("name, params", [
    ("MacdIndicator", [12, 12, 9]), ("Macd", [26, 12, 9]), ("Rwi", [1]), ("Qqe", [14, 5, 0]),
    ("Stochastic", [16777217, 3]), ("Mama", [0.5, 0.6]), ("SmoothedHeikinAshi", [0]), ("Kst", [10, 15, 0, 30, 10, 10, 10, 15, 9]),
])
def test_refused_parameters_refuse_the_environment(name, params):
    with pytest.raises(ValueError) as err:
        RawEnv(json.dumps(make_spec([feature(name, params, None)])))
    assert str(err.value) == f"unknown indicator: {name}"
