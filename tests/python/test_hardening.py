"""Documents that once crashed or misreported: long strings, embedded NULs, argument notes."""

import json
import sys

import pytest

from torvex_gym import RawEnv

from conftest import make_spec

SIZES = [1 << 10, 1 << 14, 1 << 20]


def sma_spec(feature=None, action=None):
    feature = feature or {"kind": "indicator", "name": "Sma", "params": [20]}
    return make_spec([feature], max_steps=10, warmup=20, action=action)


def long_text(size):
    return ("20-bar simple moving average of the close. " * (size // 43 + 1))[:size]


@pytest.mark.parametrize("size", SIZES)
def test_long_strings_in_tagged_records(size):
    text = long_text(size)
    sma = {"kind": "indicator", "name": "Sma", "params": [20]}
    accepted = [
        {**sma, "description": text},                       # the report's document
        {"description": text, **sma},                       # before the kind
        {**sma, text: [text, {text: text}]},                # an ignored key and nested values
        ["indicator", "Sma", [20], text],                   # array form, as the field
    ]
    for feature in accepted:
        env = RawEnv(json.dumps(sma_spec(feature)))
        keys = json.loads(env.command('{"cmd":"spec"}'))["feature_keys"]
        assert keys == ["Sma(20)" if isinstance(feature, dict) else "Sma(20)." + text]
    env = RawEnv(json.dumps(sma_spec(action={"type": "discrete", "n": 3, "note": text})))
    assert json.loads(env.command('{"cmd":"spec"}'))["action_space"] == {"type": "discrete", "n": 3}

    with pytest.raises(ValueError) as e:
        RawEnv(json.dumps(sma_spec({**sma, "name": text})))
    assert str(e.value) == "unknown indicator: " + text
    with pytest.raises(ValueError) as e:
        RawEnv(json.dumps(sma_spec(["indicator", text, [20]])))
    assert str(e.value) == "unknown indicator: " + text
    with pytest.raises(ValueError) as e:
        RawEnv(json.dumps(sma_spec(action={"type": text})))
    assert str(e.value).startswith(f"parse: unknown variant `{text}`, expected `discrete` or `continuous` at line 1")
