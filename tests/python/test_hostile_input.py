"""Hostile documents never crash the module: each answer is a document or a ValueError."""

import json
import random

import pytest

from torvex_gym import RawEnv

from conftest import bar, make_spec

SPEC = make_spec([{"kind": "indicator", "name": "Sma", "params": [3]}, {"kind": "price", "field": "close"},
                  {"kind": "microstructure", "field": "imbalance"}], levels=2, funding=True, warmup=3)
LOAD = {"cmd": "load", "candles": [bar(i, 100.0 + i, bid_px=[99.0, 98.0], ask_px=[101.0], bid_sz=[1.0],
                                       ask_sz=[2.0], funding=1e-4, oi=5.0) for i in range(12)]}

ATOMS = ["0", "-0", "1", "-1", "1.5", "1e308", "-1e308", "1e400", "-1e-400", "18446744073709551616",
         "9223372036854775808", "-9223372036854775809", "4294967296", "true", "false", "null", '""', '"x"',
         '"\\u0000"', '"\\ud800"', '"\\q"', "NaN", "Infinity", "-", "01", "1.", ".5", "tru", "nul", '"unterminated']


def random_value(rng, depth=0):
    r = rng.random()
    if depth > 4 or r < 0.4:
        return rng.choice(ATOMS)
    if r < 0.7:
        return "[" + ",".join(random_value(rng, depth + 1) for _ in range(rng.randrange(4))) + "]"
    keys = ["cmd", "candles", "action", "seed", "ts", "open", "close", "kind", "name", "params", "field",
            "type", "n", "observation", "features", "episode", "max_steps", "reward", "zz"]
    members = [f'"{rng.choice(keys)}":{random_value(rng, depth + 1)}' for _ in range(rng.randrange(4))]
    return "{" + ",".join(members) + "}"


def mutations(rng, text, count):
    for _ in range(count):
        kind = rng.randrange(4)
        if kind == 0:
            yield text[: rng.randrange(len(text) + 1)]
        elif kind == 1:
            i = rng.randrange(len(text))
            yield text[:i] + rng.choice('{}[],:"0-e.\\ax\x00\u00e9') + text[i + 1:]
        elif kind == 2:
            i = rng.randrange(len(text))
            yield text[:i] + random_value(rng) + text[i:]
        else:
            yield text + rng.choice([" ", " x", "{}", "\n\n"])


def check_answer(answer):
    assert isinstance(answer, str)
    doc = json.loads(answer)
    assert isinstance(doc, dict)
    if "error" in doc:
        assert doc["ok"] is False and isinstance(doc["error"], str)


def test_hostile_commands():
    rng = random.Random(1234)
    env = RawEnv(json.dumps(SPEC))
    base = [json.dumps(LOAD), json.dumps({"cmd": "step", "action": 1}), json.dumps({"cmd": "reset", "seed": 3})]
    docs = [random_value(rng) for _ in range(1500)]
    for b in base:
        docs.extend(mutations(rng, b, 700))
    docs += ["[" * 100000, "{\"a\":" * 50000, "[" * 200 + "]" * 200, json.dumps({"cmd": "load", "candles": [
        [1, 1e308, 1e308, -1e308, 1e308, 1e308, [1e308], [-0.0], [5e-324], [1e308], -1e308, 1e308]]})]
    for doc in docs:
        check_answer(env.command(doc))
    # The environment still works after all of it.
    assert env.command(json.dumps(LOAD)) == '{"ok":true}'
    check_answer(env.command('{"cmd":"reset"}'))


def test_hostile_specs():
    rng = random.Random(99)
    text = json.dumps(SPEC)
    docs = [random_value(rng) for _ in range(800)] + list(mutations(rng, text, 1500))
    docs += ["[" * 100000, json.dumps(make_spec(levels=4294967295)),
             json.dumps(make_spec([{"kind": "indicator", "name": "Sma", "params": [1e300]}]))]
    built = 0
    for doc in docs:
        try:
            env = RawEnv(doc)
        except ValueError as e:
            assert str(e)
            continue
        built += 1
        check_answer(env.command('{"cmd":"spec"}'))
    assert built > 0


def test_too_wide_observation_is_refused():
    with pytest.raises(ValueError, match="^bad spec: observation has 17179869182 columns"):
        RawEnv(json.dumps(make_spec(levels=4294967295, funding=True)))
