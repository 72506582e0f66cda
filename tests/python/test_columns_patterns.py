"""Every chart and harmonic pattern, pivot-point type and Fibonacci tool loads as an
observation column over realistic bars and answers after its warm-up, every field of
the multi-output ones included."""

import pytest

from conftest import case_id, column_after_warmup

PATTERNS = ["Abcd", "Bat", "Butterfly", "Crab", "CupAndHandle", "Cypher", "DoubleTopBottom", "FlagPennant",
            "Gartley", "HeadAndShoulders", "RectangleRange", "Shark", "ThreeDrives", "Triangle", "TripleTopBottom",
            "Wedge"]

RETRACEMENT = ("level_0", "level_236", "level_382", "level_500", "level_618", "level_786", "level_1000")
LEVELS = [
    ("ClassicPivots", ("pp", "r1", "r2", "r3", "s1", "s2", "s3")),
    ("WoodiePivots", ("pp", "r1", "r2", "s1", "s2")),
    ("FibonacciPivots", ("pp", "r1", "r2", "r3", "s1", "s2", "s3")),
    ("DemarkPivots", ("pp", "r1", "s1")),
    ("CentralPivotRange", ("pivot", "tc", "bc")),
    ("Camarilla", ("pp", "r1", "r2", "r3", "r4", "s1", "s2", "s3", "s4")),
    ("FibRetracement", RETRACEMENT),
    ("AutoFib", RETRACEMENT),
    ("GoldenPocket", ("low", "mid", "high")),
    ("FibExtension", ("level_1272", "level_1414", "level_1618", "level_2000", "level_2618")),
    ("FibProjection", ("level_618", "level_1000", "level_1618", "level_2618")),
    ("FibConfluence", ("price", "strength")),
    ("FibTimeZones", ("on_zone", "bars_to_next")),
    ("FibFan", ("fan_382", "fan_500", "fan_618")),
    ("FibArcs", ("arc_382", "arc_500", "arc_618")),
    ("FibChannel", ("base", "level_618", "level_1000", "level_1618")),
]
FIELD_CASES = [(name, [], field) for name, fields in LEVELS for field in fields]
PRIMARY_CASES = [(name, [], None) for name, _ in LEVELS]
PIVOTS = {"ClassicPivots", "WoodiePivots", "FibonacciPivots", "DemarkPivots", "CentralPivotRange", "Camarilla"}


@pytest.mark.parametrize("name", PATTERNS)
def test_pattern_column_holds_signals(name):
    values = column_after_warmup(name, [], None)
    assert set(values) <= {-1.0, 0.0, 1.0}
    # Judged only on the bars that confirm a swing point: most bars answer 0.0.
    assert values.count(0.0) >= 0.5 * len(values)


@pytest.mark.parametrize("name, params, field", PRIMARY_CASES + FIELD_CASES,
                         ids=[case_id(c) for c in PRIMARY_CASES + FIELD_CASES])
def test_level_field_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    if name == "FibTimeZones" and field != "bars_to_next":
        # On a zone only on the sequence's bars since the latest swing.
        assert set(values) <= {0.0, 1.0} and 0 < nonzero < len(values)
    else:
        assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


def test_primary_value_is_the_first_field():
    for name, fields in LEVELS:
        assert column_after_warmup(name, [], None)[-100:] == column_after_warmup(name, [], fields[0])[-100:], name


@pytest.mark.parametrize("name", sorted(PIVOTS - {"Camarilla"}))
def test_pivot_levels_bracket_the_pivot(name):
    fields = dict(LEVELS)[name]
    columns = {f: column_after_warmup(name, [], f) for f in fields}
    pivot = columns[fields[0]]
    for f in fields[1:]:
        above = f.startswith("r") or f == "tc"
        assert all((c >= p) if above else (c <= p) for c, p in zip(columns[f], pivot)), f


def test_camarilla_levels_are_ordered_around_the_close():
    columns = {f: column_after_warmup("Camarilla", [], f) for f in ("r4", "r3", "r2", "r1", "s1", "s2", "s3", "s4")}
    assert all(list(row) == sorted(row, reverse=True) for row in zip(*columns.values()))
