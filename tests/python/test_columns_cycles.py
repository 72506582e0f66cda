"""Ehlers filters, DSP filters and cycle measures load as observation columns over realistic bars."""

import json

import pytest

from conftest import LOAD, Driver, case_id, column_after_warmup, feature, make_spec

# (name, params, field): typical parameters of each filter and cycle measure.
CASES = [
    ("SuperSmoother", [10], None), ("InstantaneousTrendline", [20], None), ("Decycler", [60], None),
    ("AdaptiveLaguerreFilter", [13], None),
    ("EhlersStochastic", [20], None), ("EmpiricalModeDecomposition", [20, 0.5], None),
    ("EvenBetterSinewave", [40, 10], None), ("FisherTransform", [10], None), ("HighpassFilter", [48], None),
    ("InverseFisherTransform", [0.01], None), ("LaguerreRsi", [0.5], None),
    ("Reflex", [20], None), ("RoofingFilter", [10, 48], None),
    ("Trendflex", [20], None), ("UniversalOscillator", [20], None), ("WavePm", [14, 5], None),
    ("BandpassFilter", [20, 0.3], None), ("CenterOfGravity", [10], None), ("CorrelationTrendIndicator", [20], None),
    ("CyberneticCycle", [10], None), ("DecyclerOscillator", [10, 30], None),
    ("AutocorrelationPeriodogram", [10, 48], None),
    ("HtDcPhase", [], None), ("SineWave", [], None), ("HilbertDominantCycle", [], None),
    ("AdaptiveCycle", [], None), ("HtTrendMode", [], None),
]


@pytest.mark.parametrize("name, params, field", CASES, ids=[case_id(c) for c in CASES])
def test_column_is_finite_and_moves_after_warmup(name, params, field):
    values = column_after_warmup(name, params, field)
    assert len(set(values)) > 1, f"{name}: constant column {values[0]}"


# Warm-ups from the definitions: max_period + 3, m + 2n − 1, max(2n, 50), 50, n + 1.
WARMUPS = [
    ("AutocorrelationPeriodogram", [10, 48], 51), ("WavePm", [14, 5], 32),
    ("EmpiricalModeDecomposition", [10, 0.5], 50), ("HtTrendMode", [], 50), ("Reflex", [20], 21),
]


@pytest.mark.parametrize("name, params, want", WARMUPS, ids=[f"{w[0]}{w[1]}" for w in WARMUPS])
def test_load_asks_for_the_indicator_warmup(name, params, want):
    env = Driver(make_spec([feature(name, params, None)]))
    answer = json.loads(env.raw(LOAD))
    assert answer["error"].startswith(f"bad spec: episode.warmup is 0 but the observation needs {want}:"), answer
