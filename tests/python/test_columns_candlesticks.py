"""Candlestick detectors as observation columns: every name loads, answers only +1, -1 or 0
after its warm-up, and the common shapes fire on realistic bars."""

import json

import pytest

from conftest import Driver, case_id, column_after_warmup, feature, make_bars, make_spec

NAMES = [
    "AbandonedBaby", "AdvanceBlock", "BeltHold", "Breakaway", "ClosingMarubozu", "ConcealingBabySwallow",
    "Counterattack", "Doji", "DojiStar", "DownsideGapThreeMethods", "DragonflyDoji", "Engulfing",
    "EveningDojiStar", "FallingThreeMethods", "GapSideBySideWhite", "GravestoneDoji", "Hammer", "HangingMan",
    "Harami", "HaramiCross", "HighWave", "Hikkake", "HikkakeModified", "HomingPigeon", "IdenticalThreeCrows",
    "InNeck", "InvertedHammer", "Kicking", "KickingByLength", "LadderBottom", "LongLeggedDoji", "LongLine",
    "Marubozu", "MatHold", "MatchingLow", "MorningDojiStar", "MorningEveningStar", "OnNeck", "OpeningMarubozu",
    "PiercingDarkCloud", "RickshawMan", "RisingThreeMethods", "SeparatingLines", "ShootingStar", "ShortLine",
    "SpinningTop", "StalledPattern", "StickSandwich", "Takuri", "TasukiGap", "ThreeInside", "ThreeLineStrike",
    "ThreeOutside", "ThreeSoldiersOrCrows", "ThreeStarsInSouth", "Thrusting", "TowerTopBottom", "Tristar",
    "Tweezer", "TwoCrows", "UniqueThreeRiver", "UpsideGapThreeMethods", "UpsideGapTwoCrows",
]
CASES = [(name, [], None) for name in NAMES]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_detector_answers_a_sign_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    assert set(values) <= {1.0, -1.0, 0.0}


@pytest.mark.parametrize("name", ["Doji", "Engulfing", "Harami", "Hammer"])
def test_common_shapes_fire_on_realistic_bars(name):
    bars = make_bars(count=5000, seed=29)
    env = Driver(make_spec([feature(name, [], None)], max_steps=10_000, warmup=5))
    assert env.raw({"cmd": "load", "candles": bars}) == '{"ok":true}'
    values = [env("reset")["observation"][0]]
    while True:
        out = env("step", action=1)
        values.append(out["observation"][0])
        if out["terminated"]:
            break
    assert len(values) == 4995
    assert any(v != 0.0 for v in values), name


def test_parameters_given_to_a_detector_are_ignored():
    env = Driver(make_spec([feature("Doji", [3, 7.5], None)], max_steps=10, warmup=1))
    assert json.loads(env.raw({"cmd": "load", "candles": make_bars(count=20)})) == {"ok": True}
