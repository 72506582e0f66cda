"""Every indicator of the library loads as an observation column over realistic bars."""

import math
import random

import pytest

from conftest import case_id, column_after_warmup, column_over_bars, flat_bar

# (name, params, field): typical parameters of each indicator the library offers.
CASES = [
    ("Sma", [20], None), ("Ema", [20], None), ("Ehma", [20], None), ("Hma", [20], None),
    ("GeneralizedDema", [10, 0.7], None), ("Fama", [0.5, 0.05], None), ("Frama", [16], None),
    ("GeometricMa", [20], None), ("HoltWinters", [0.3, 0.1], None), ("Jma", [14, 0, 2], None),
    ("Kama", [10, 2, 30], None), ("McGinleyDynamic", [14], None), ("Smma", [14], None),
    ("SineWeightedMa", [14], None), ("MedianMa", [15], None), ("MidPoint", [14], None), ("T3", [5, 0.7], None),
    ("Tema", [10], None), ("Trima", [15], None), ("Vidya", [14, 9], None), ("Wma", [20], None),
    ("Zlema", [20], None),
    ("Alma", [9, 0.85, 6], None), ("Apo", [12, 26], None), ("BollingerBandwidth", [20, 2], None),
    ("Cfo", [14], None), ("Cmo", [14], None), ("Coppock", [10, 14, 11], None), ("Dema", [20], None),
    ("DerivativeOscillator", [14, 5, 3, 9], None), ("DisparityIndex", [14], None), ("Dpo", [20], None),
    ("Mom", [10], None), ("Roc", [10], None), ("Rocp", [10], None), ("Rocr", [10], None),
    ("Rocr100", [10], None), ("PercentB", [20, 2], None), ("PolarizedFractalEfficiency", [10, 5], None),
    ("StandardError", [14], None), ("StdDev", [20], None), ("Variance", [20], None), ("ZScore", [20], None),
    ("Tsf", [14], None),
    ("Rsi", [14], None), ("Rsx", [14], None), ("Rmi", [14, 5], None), ("Pmo", [35, 20], None),
    ("Ppo", [12, 26], None), ("PpoHistogram", [12, 26, 9], None), ("AdaptiveRsi", [14], None),
    ("ConnorsRsi", [3, 2, 100], None), ("DynamicMomentumIndex", [14], None), ("ElderImpulse", [13, 12, 26, 9], None),
    ("FisherRsi", [14], None), ("MacdHistogram", [12, 26, 9], None), ("Trix", [15], None),
    ("TsfOscillator", [14], None), ("Tsi", [25, 13], None), ("VerticalHorizontalFilter", [28], None),
    ("Stc", [23, 50, 10, 0.5], None), ("StochRsi", [14, 14], None), ("Tii", [60, 30], None),
    ("TrendStrengthIndex", [14], None),
    ("BollingerBands", [20, 2], "upper"), ("BollingerBands", [20, 2], "stddev"), ("Bollinger", [20, 2], None),
    ("DoubleBollinger", [20, 1, 2], None), ("VwapStdDevBands", [2], "upper"),
    ("QuotedSpread", [], None), ("Microprice", [], None), ("OrderBookImbalanceTop1", [], None),
    ("OrderBookImbalanceTopN", [3], None), ("OrderBookImbalanceFull", [], None), ("OrderFlowImbalance", [10], None),
    ("DepthSlope", [], None),
    ("FundingRate", [], None),
    ("FundingImpliedApr", [1095], None), ("FundingRateMean", [8], None), ("FundingRateZScore", [20], None),
    ("OpenInterestDelta", [], None), ("OpenInterestMomentum", [10], None), ("OIPriceDivergence", [14], None),
    ("OIWeighted", [], None),
]

# Measures of prices and volumes that a bar of one symbol does not carry: the environment
# gives the derivatives record the close as mark, index and futures price and zero long,
# short, taker and liquidation volumes, and no reference series, so these read 0.0 throughout.
ZERO_CASES = [
    ("PerpetualPremiumIndex", [], None), ("FundingBasis", [], None), ("TermStructureBasis", [], None),
    ("CalendarSpread", [], None), ("LongShortRatio", [], None), ("TakerBuySellRatio", [], None),
    ("OiToVolumeRatio", [], None), ("EstimatedLeverageRatio", [], None), ("LiquidationFeatures", [], "total"),
]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


@pytest.mark.parametrize("name, params, field", ZERO_CASES, ids=[case_id(c) for c in ZERO_CASES])
def test_single_symbol_measures_read_zero(name, params, field):
    assert set(column_after_warmup(name, params, field)) == {0.0}


# Constant prices that n copies of do not sum exactly: the average of a window misses
# the price by a rounding, which an index dividing by the window's own deviation (or
# asking which side of the average the close lies) would blow up into a full reading.
# Each answers its flat value on every row.
FLAT_ANSWERS = [
    ("Cci", [20], 0.0), ("Cci", [5], 0.0), ("AdaptiveCci", [20], 0.0), ("AdaptiveCci", [5], 0.0),
    ("StochasticCci", [14], 50.0), ("TtmTrend", [6], -1.0), ("TtmTrend", [2], -1.0),
    ("Tii", [60, 30], 50.0), ("Tii", [3, 2], 50.0), ("LaguerreRsi", [0.5], 50.0), ("LaguerreRsi", [0.8], 50.0),
]


@pytest.mark.parametrize("price", [0.1, 113.2074966078069, 7.3])
@pytest.mark.parametrize("name, params, want", FLAT_ANSWERS, ids=[f"{n}{p}" for n, p, _ in FLAT_ANSWERS])
def test_constant_prices_give_the_flat_answer(name, params, want, price):
    values = column_over_bars([flat_bar(i, price) for i in range(150)], name, params)
    shown = [v for v in values if v is not None]
    assert len(shown) > 50
    assert shown == [want] * len(shown)


# The same after a random walk: once the window holds only the flat stretch, the flat
# answer, though the stretch's average misses its price by a rounding and the measures
# of range the answer is divided by decay towards 0 for as long as it lasts (Pgo read
# 4.5e172 after 3000 flat bars at 7.3, StochRsi swung between 0 and 100, KRatio read
# 1.7e16 for returns of 7.3).
FLAT_TAIL_ANSWERS = [
    ("Pgo", [14], 14, 0.0), ("StochRsi", [14, 14], 14, 50.0), ("StochRsi", [5, 3], 3, 50.0),
    ("KRatio", [20], 20, 0.0), ("Tii", [20, 10], 30, 50.0), ("TtmTrend", [6], 6, -1.0), ("Cci", [20], 20, 0.0),
]


@pytest.mark.parametrize("price", [0.1, 7.3, 113.2074966078069])
@pytest.mark.parametrize("name, params, settle, want", FLAT_TAIL_ANSWERS,
                         ids=[f"{n}{p}" for n, p, _, _ in FLAT_TAIL_ANSWERS])
def test_a_flat_stretch_after_a_walk_gives_the_flat_answer(name, params, settle, want, price):
    rng = random.Random(5)
    bars, c = [], price
    for i in range(300):
        c *= math.exp(rng.gauss(0.0, 0.01))
        high, low = c * (1 + abs(rng.gauss(0, 0.004))), c * (1 - abs(rng.gauss(0, 0.004)))
        bars.append({"ts": i, "open": rng.uniform(low, high), "high": high, "low": low, "close": c,
                     "volume": rng.uniform(10, 100)})
    bars += [flat_bar(i, price) for i in range(300, 1500)]
    values = column_over_bars(bars, name, params)
    assert values[300 + settle:] == [want] * (1200 - settle)
