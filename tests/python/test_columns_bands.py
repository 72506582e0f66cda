"""Every field of every envelope, channel, relative-volume bar and level tool loads as an
observation column and answers after its warm-up."""

import pytest

from conftest import case_id, column_after_warmup

UML = ("upper", "middle", "lower")
INDICATORS = [
    ("AccelerationBands", [20, 4], UML),
    ("MaEnvelope", [20, 0.025], UML),
    ("LinRegChannel", [20, 2], UML),
    ("StandardErrorBands", [20, 2], UML),
    ("QuartileBands", [20], UML),
    ("BomarBands", [20, 0.85], UML),
    ("MedianChannel", [20, 2], UML),
    ("Donchian", [20], UML),
    ("FractalChaosBands", [2], ("upper", "lower")),
    ("ProjectionBands", [14], UML),
    ("HurstChannel", [20, 0.5], UML),
    ("CandleVolume", [20], ("body", "width")),
    ("Equivolume", [20], ("height", "width")),
    ("AndrewsPitchfork", [5], ("median", "upper", "lower")),
    ("MurreyMathLines", [64], tuple(f"mm{k}_8" for k in range(8, -1, -1))),
]
CASES = [(name, params, field) for name, params, fields in INDICATORS for field in (None,) + fields]
ORDERED = {"AccelerationBands", "MaEnvelope", "LinRegChannel", "StandardErrorBands", "QuartileBands",
           "BomarBands", "MedianChannel", "Donchian", "HurstChannel"}


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_field_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    nonzero = sum(1 for v in values if v != 0.0)
    assert nonzero >= 0.5 * len(values), f"{name}: only {nonzero} of {len(values)} values are non-zero"


@pytest.mark.parametrize("name, params, fields", [i for i in INDICATORS if i[0] in ORDERED], ids=lambda v: str(v))
def test_bands_keep_their_order(name, params, fields):
    upper, middle, lower = (column_after_warmup(name, params, f) for f in fields)
    assert all(u >= m >= l for u, m, l in zip(upper, middle, lower))


def test_murrey_lines_span_the_donchian_channel():
    top = column_after_warmup("MurreyMathLines", [20], "mm8_8")
    bottom = column_after_warmup("MurreyMathLines", [20], "mm0_8")
    assert top == column_after_warmup("Donchian", [20], "upper")
    assert bottom == column_after_warmup("Donchian", [20], "lower")
