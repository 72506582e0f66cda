"""Trade-flow, pair and breadth indicators through the environment: every name builds
when the environment is constructed, and the load refuses it with its feed error,
since a bar of one symbol carries no trade prints, second series or market panel."""
import json

import pytest

from conftest import LOAD, Driver, case_id, feature, make_spec

TRADES = ("trades", "a bar carries aggregate volume, not the individual prints")
BOTH = ("trades and orderbook", "a bar carries aggregate volume, not the individual prints")
REFERENCE = ("reference", "an environment steps one symbol, so there is no second series to read")
PANEL = ("cross-section", "an environment steps one symbol, so there is no market panel")

CASES = [
    ("CumulativeVolumeDelta", [], None, TRADES),
    ("SignedVolume", [], None, TRADES),
    ("AmihudIlliquidity", [20], None, TRADES),
    ("Pin", [50], None, TRADES),
    ("RollMeasure", [20], None, TRADES),
    ("TradeImbalance", [50], None, TRADES),
    ("TradeSignAutocorrelation", [50], None, TRADES),
    ("Vpin", [1000, 50], None, TRADES),
    ("EffectiveSpread", [], None, BOTH),
    ("KylesLambda", [50], None, BOTH),
    ("RealizedSpread", [5], None, BOTH),
    ("Alpha", [20, 0.0], None, REFERENCE),
    ("Beta", [20], None, REFERENCE),
    ("BetaNeutralSpread", [20], None, REFERENCE),
    ("DistanceSsd", [20], None, REFERENCE),
    ("InformationRatio", [20], None, REFERENCE),
    ("KendallTau", [20], None, REFERENCE),
    ("OuHalfLife", [20], None, REFERENCE),
    ("PairSpreadZScore", [20, 20], None, REFERENCE),
    ("PairwiseBeta", [20], None, REFERENCE),
    ("PearsonCorrelation", [20], None, REFERENCE),
    ("RollingCorrelation", [20], None, REFERENCE),
    ("RollingCovariance", [20], None, REFERENCE),
    ("SpearmanCorrelation", [20], None, REFERENCE),
    ("SpreadAr1Coefficient", [20], None, REFERENCE),
    ("SpreadHurst", [32], None, REFERENCE),
    ("TreynorRatio", [20, 0.0], None, REFERENCE),
    ("VarianceRatio", [20, 4], None, REFERENCE),
    ("Cointegration", [60, 1], "adf_stat", REFERENCE),
    ("GrangerCausality", [60, 2], None, REFERENCE),
    ("HasbrouckInformationShare", [60], None, REFERENCE),
    ("KalmanHedgeRatio", [0.0001, 0.001], "spread", REFERENCE),
    ("LeadLagCrossCorrelation", [20, 5], "correlation", REFERENCE),
    ("RelativeStrengthAB", [20, 14], "ratio_rsi", REFERENCE),
    ("SpreadBollingerBands", [20, 2], "percent_b", REFERENCE),
    ("AbsoluteBreadthIndex", [], None, PANEL),
    ("AdVolumeLine", [], None, PANEL),
    ("AdvanceDecline", [], None, PANEL),
    ("AdvanceDeclineRatio", [], None, PANEL),
    ("BreadthThrust", [10], None, PANEL),
    ("BullishPercentIndex", [], None, PANEL),
    ("CumulativeVolumeIndex", [], None, PANEL),
    ("HighLowIndex", [10], None, PANEL),
    ("McClellanOscillator", [], None, PANEL),
    ("McClellanSummationIndex", [], None, PANEL),
    ("NewHighsNewLows", [], None, PANEL),
    ("PercentAboveMa", [], None, PANEL),
    ("TickIndex", [], None, PANEL),
    ("Trin", [], None, PANEL),
    ("UpDownVolumeRatio", [], None, PANEL),
]


@pytest.mark.parametrize("name, params, field, feed", CASES, ids=[case_id(c) for c in CASES])
def test_builds_and_is_refused_at_load(name, params, field, feed):
    env = Driver(make_spec([feature(name, params, field)], levels=1, funding=True))
    answer = json.loads(env.raw(LOAD))
    assert answer == {"error": f"{name} needs the {feed[0]} feed: {feed[1]}", "ok": False}
    # The refused load left no data behind.
    assert env("reset")["ok"] is False


# The environment reports a refused construction as an unknown indicator; the
# constructors' own messages are checked where the registry is.
@pytest.mark.parametrize(
    "name, params",
    [("Beta", [1]), ("KalmanHedgeRatio", [1, 1]), ("Vpin", [-1, 5]), ("Cointegration", [5, 1]),
     ("HighLowIndex", [1e-300]), ("SpreadHurst", [7])],
)
def test_refused_parameters_fail_construction(name, params):
    with pytest.raises(ValueError) as err:
        Driver(make_spec([feature(name, params, None)]))
    assert str(err.value) == f"unknown indicator: {name}"


def test_names_of_every_feed_in_one_spec_report_the_first():
    feats = [feature("Sma", [3], None), feature("Trin", [], None), feature("Beta", [5], None)]
    env = Driver(make_spec(feats))
    assert env.raw(LOAD) == json.dumps(
        {"error": f"Trin needs the {PANEL[0]} feed: {PANEL[1]}", "ok": False}, separators=(",", ":"))
