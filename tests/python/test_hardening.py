"""Documents that once crashed or misreported: long strings, embedded NULs, argument notes."""

import json
import os
import re
import subprocess
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


def test_messages_keep_embedded_nuls():
    cases = [
        ({"kind": "indicator", "name": "Sma\u0000junk", "params": [20]}, "unknown indicator: Sma\u0000junk"),
        ({"kind": "price", "field": "cl\u0000ose"},
         "parse: unknown variant `cl\u0000ose`, expected one of `open`, `high`, `low`, `close`, `volume` at line 1"),
    ]
    for feature, message in cases:
        with pytest.raises(ValueError) as e:
            RawEnv(json.dumps(sma_spec(feature)))
        assert str(e.value).startswith(message)
    env = RawEnv(json.dumps(sma_spec()))
    assert json.loads(env.command('{"cmd":"vers\\u0000ion"}')) == {"error": "bad spec: unknown cmd: vers\u0000ion",
                                                                    "ok": False}


@pytest.mark.skipif(sys.version_info < (3, 11), reason="exception notes arrived in Python 3.11")
def test_argument_errors_carry_a_note():
    with pytest.raises(TypeError) as e:
        RawEnv(b"{}")
    assert str(e.value) == "argument 'spec_json' must be str, not bytes"
    assert e.value.__notes__ == ["while processing 'spec_json'"]
    env = RawEnv(json.dumps(sma_spec()))
    with pytest.raises(TypeError) as e:
        env.command(cmd_json=7)
    assert str(e.value) == "argument 'cmd_json' must be str, not int"
    assert e.value.__notes__ == ["while processing 'cmd_json'"]
    assert env.command('{"cmd":"version"}') == '{"version":"0.2.0"}'  # the refusal released the record


def test_repeated_keys_report_the_last_column_with_the_key():
    # Columns with equal keys share one value; the others keep their own, in order.
    features = [{"kind": "indicator", "name": "Sma", "params": [2]}, {"kind": "indicator", "name": "Sma", "params": [3]},
                {"kind": "price", "field": "close"}, {"kind": "indicator", "name": "Sma", "params": [2.0]},
                {"kind": "indicator", "name": "Sma", "params": [2, 9]}]
    env = RawEnv(json.dumps(make_spec(features, warmup=3)))
    closes = [10.0, 20.0, 60.0, 100.0]
    candles = [{"ts": i, "open": c, "high": c, "low": c, "close": c} for i, c in enumerate(closes)]
    assert env.command(json.dumps({"cmd": "load", "candles": candles})) == '{"ok":true}'
    row = json.loads(env.command('{"cmd":"reset"}'))["observation"]
    assert row == [80.0, 60.0, 100.0, 80.0, 80.0]
    keys = json.loads(env.command('{"cmd":"spec"}'))["feature_keys"]
    assert keys == ["Sma(2)", "Sma(3)", "price.close", "Sma(2)", "Sma(2,9)"]


# Out-of-memory is provoked in a child process under an address-space limit, which the
# address sanitizer's shadow memory does not allow.
SANITIZED = "asan" in os.environ.get("LD_PRELOAD", "")

CHILD = r"""
import json, resource, sys
from torvex_gym import RawEnv
def vm():
    return int(open("/proc/self/statm").read().split()[0]) * resource.getpagesize()
env = RawEnv(json.dumps({"dataset_ref": "d", "symbol": "s", "observation": {"features": []},
                         "action_space": {"type": "discrete", "n": 3}, "reward": "pnl", "episode": {"max_steps": 5}}))
text = sys.argv[1] == "bars" and '{"cmd":"load","candles":[' + ",".join(["[0,1,1,1,1]"] * 2_000_000) + "]}" \
    or '{"cmd":"version","zz":"' + "a" * 200_000_000 + '"}'
# Room for the document's copy and index, not for the bars read from it.
extra = 8 * len(text) if sys.argv[1] == "bars" else len(text) + (64 << 20)
resource.setrlimit(resource.RLIMIT_AS, (vm() + extra, resource.RLIM_INFINITY))
print(env.command(text))
print(env.command('{"cmd":"version"}'))
"""


@pytest.mark.skipif(SANITIZED, reason="an address-space limit conflicts with the sanitizer's shadow memory")
@pytest.mark.parametrize("what, error", [
    ("bars", r"parse: out of memory while reading the document at line 1 column \d+"),
    ("index", r"parse: the document of 200000025 bytes does not fit in memory"),
])
def test_out_of_memory_while_reading_is_reported(what, error):
    out = subprocess.run([sys.executable, "-c", CHILD, what], capture_output=True, text=True, timeout=120)
    assert out.returncode == 0, out.stderr
    answer, version = out.stdout.splitlines()
    doc = json.loads(answer)
    assert doc["ok"] is False and re.fullmatch(error, doc["error"]), doc
    assert version == '{"version":"0.2.0"}'
