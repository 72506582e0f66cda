"""DeMark counts and bar patterns, profile indicators and reversal shapes as observation
columns: every name loads over realistic bars and answers within its range after its
warm-up."""

import pytest

from conftest import case_id, column_after_warmup

SIGNS = {1.0, -1.0, 0.0}

# (name, params, field, check of the column after the warm-up)
CASES = [
    ("TdSetup", [4, 9], None, lambda v: set(v) <= set(float(k) for k in range(-9, 10))),
    ("TdCountdown", [4, 9, 2, 13], None, lambda v: set(v) <= set(float(k) for k in range(-13, 14))),
    ("TdCombo", [1, 9, 2, 13], None, lambda v: set(v) <= set(float(k) for k in range(-13, 14))),
    ("TdDWave", [2], None, lambda v: set(v) <= set(float(k) for k in range(0, 9)) and len(set(v)) > 4),
    ("TdDeMarker", [14], None, lambda v: all(0.0 <= x <= 1.0 for x in v)),
    ("TdPressure", [14], None, lambda v: all(-100.0 <= x <= 100.0 for x in v) and any(v)),
    ("TdRei", [5], None, lambda v: all(-100.0 <= x <= 100.0 for x in v) and any(v)),
    ("ProfileShape", [20, 10], None, lambda v: set(v) <= SIGNS and len(set(v)) == 3),
    ("NakedPoc", [20, 10], None, lambda v: all(x > 0.0 for x in v)),
    ("SinglePrints", [20, 10], None, lambda v: all(x == int(x) and 0 <= x <= 10 for x in v)),
    ("DumplingTop", [8], None, lambda v: set(v) <= {-1.0, 0.0}),
    ("FryPanBottom", [8], None, lambda v: set(v) <= {1.0, 0.0}),
    ("ThreeLineBreak", [3], None, lambda v: set(v) <= SIGNS and {1.0, -1.0} <= set(v)),
    ("NewPriceLines", [3], None, lambda v: set(v) <= SIGNS and {1.0, -1.0} <= set(v)),
    ("PivotReversal", [2, 2], None, lambda v: set(v) <= SIGNS and {1.0, -1.0} <= set(v)),
    ("TdTrap", [], None, lambda v: set(v) <= SIGNS),
    ("TdPropulsion", [], None, lambda v: set(v) <= SIGNS),
    ("TdOpen", [], None, lambda v: set(v) <= SIGNS),
    ("TdDifferential", [], None, lambda v: set(v) <= SIGNS),
    ("TdClopwin", [], None, lambda v: set(v) <= SIGNS),
    ("TdClop", [], None, lambda v: set(v) <= SIGNS),
    ("TdCamouflage", [], None, lambda v: set(v) <= SIGNS),
]


@pytest.mark.parametrize("name, params, field, check", CASES, ids=[case_id(c) for c in CASES])
def test_column_after_warmup(name, params, field, check):
    values = column_after_warmup(name, params, field)
    assert check(values), f"{name}: {sorted(set(values))[:20]}"
