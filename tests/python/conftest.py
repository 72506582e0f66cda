import json

import pytest

from torvex_gym import RawEnv


def make_spec(features=(), *, n=3, reward="pnl", max_steps=100, warmup=0, levels=0, funding=False, action=None):
    return {
        "dataset_ref": "test",
        "symbol": "TEST",
        "observation": {"features": list(features), "include_book_levels": levels, "include_funding_oi": funding},
        "action_space": action or {"type": "discrete", "n": n},
        "reward": reward,
        "episode": {"max_steps": max_steps, "warmup": warmup},
    }


def bar(i, close, **extra):
    b = {"ts": i, "open": close, "high": close + 1, "low": close - 1, "close": close, "volume": 1.0}
    b.update(extra)
    return b


class Driver:
    def __init__(self, spec):
        self.env = RawEnv(json.dumps(spec))

    def raw(self, doc):
        return self.env.command(doc if isinstance(doc, str) else json.dumps(doc))

    def __call__(self, cmd, **members):
        return json.loads(self.raw({"cmd": cmd, **members}))


@pytest.fixture
def driver():
    return lambda *a, **k: Driver(make_spec(*a, **k))
