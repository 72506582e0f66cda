"""Every field of every ATR band, trailing stop, channel exit, ZigZag and squeeze loads as
an observation column and answers after its warm-up."""

import pytest

from conftest import case_id, column_after_warmup

UML = ("upper", "middle", "lower")
VD = ("value", "direction")
INDICATORS = [
    ("AtrBands", [14, 2], UML),
    ("Keltner", [20, 10, 2], UML),
    ("StarcBands", [6, 15, 2], UML),
    ("SuperTrend", [10, 3], VD),
    ("AtrRatchet", [14, 2, 0.05], VD),
    ("Nrtr", [2], VD),
    ("ModifiedMaStop", [10], VD),
    ("KaseDevStop", [10, 2], VD),
    ("ElderSafeZone", [10, 2], VD),
    ("DonchianStop", [20], ("stop_long", "stop_short")),
    ("ChandelierExit", [22, 3], ("long_stop", "short_stop")),
    ("ChandeKrollStop", [10, 1, 9], ("stop_long", "stop_short")),
    ("ZigZag", [0.02], ("swing", "direction")),
    ("TtmSqueeze", [20, 2, 1.5], ("squeeze", "momentum")),
]
CASES = [(name, params, field) for name, params, fields in INDICATORS for field in (None,) + fields]
# Columns that answer on some bars only, or that are 0.0 by nature on many bars.
SPARSE = {("ZigZag", None), ("TtmSqueeze", None), ("TtmSqueeze", "squeeze")}
LEVELS = [c for c in CASES if (c[0], c[2]) not in SPARSE and c[2] != "direction"]
DIRECTED = [(name, params) for name, params, fields in INDICATORS if fields == VD]


@pytest.mark.parametrize("name, params, field", LEVELS, ids=[case_id(c) for c in LEVELS])
def test_level_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


@pytest.mark.parametrize("name, params", DIRECTED, ids=[n for n, _ in DIRECTED])
def test_direction_is_long_or_short_and_the_stop_on_its_side(name, params):
    direction = column_after_warmup(name, params, "direction")
    assert set(direction) == {1.0, -1.0}
    # The unnamed column is the stop, the same as the "value" field.
    assert column_after_warmup(name, params, None) == column_after_warmup(name, params, "value")


@pytest.mark.parametrize("name, params", [(n, p) for n, p, f in INDICATORS if f == UML], ids=lambda v: str(v))
def test_bands_keep_their_order(name, params):
    upper, middle, lower = (column_after_warmup(name, params, f) for f in UML)
    assert all(u > m > l for u, m, l in zip(upper, middle, lower))


def test_zigzag_answers_on_swing_bars_and_keeps_the_last_swing():
    primary = column_after_warmup("ZigZag", [0.02], None)
    swing = column_after_warmup("ZigZag", [0.02], "swing")
    direction = column_after_warmup("ZigZag", [0.02], "direction")
    swing_bars = [i for i, v in enumerate(primary) if v != 0.0]
    assert len(swing_bars) >= 4
    # Before the first swing no list is published; from it on the last swing stays.
    first = swing_bars[0]
    assert set(swing[:first]) <= {0.0} and set(direction[:first]) <= {0.0}
    assert all(s != 0.0 for s in swing[first:])
    for i in swing_bars:
        assert swing[i] == primary[i]
    # Tops and bottoms alternate.
    turns = [direction[i] for i in swing_bars]
    assert set(turns) == {1.0, -1.0}
    assert all(a == -b for a, b in zip(turns, turns[1:]))


def test_squeeze_is_a_flag_and_momentum_moves():
    squeeze = column_after_warmup("TtmSqueeze", [20, 2, 1.5], "squeeze")
    assert set(squeeze) <= {0.0, 1.0}
    assert column_after_warmup("TtmSqueeze", [20, 2, 1.5], None) == squeeze
    momentum = column_after_warmup("TtmSqueeze", [20, 2, 1.5], "momentum")
    assert min(momentum) < 0.0 < max(momentum)


def test_exit_levels_bracket_the_window():
    long_stop = column_after_warmup("DonchianStop", [20], "stop_long")
    short_stop = column_after_warmup("DonchianStop", [20], "stop_short")
    assert all(s > l for l, s in zip(long_stop, short_stop))
