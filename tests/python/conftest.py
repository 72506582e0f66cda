import json
import math
import random
import re
from fractions import Fraction

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

    def episode_rows(self):
        """Every observation row of one episode: the reset row, then one row per step
        (action 1) until the episode ends."""
        rows = [self("reset")["observation"]]
        while True:
            out = self("step", action=1)
            rows.append(out["observation"])
            if out["terminated"] or out["truncated"]:
                return rows


@pytest.fixture
def driver():
    return lambda *a, **k: Driver(make_spec(*a, **k))


# Realistic bars with every feed of one symbol, shared by the per-family column tests.
def make_bars(count=3000, seed=11):
    rng = random.Random(seed)
    price, oi = 100.0, 5e5
    bars = []
    for i in range(count):
        price *= math.exp(rng.gauss(0.0, 0.01))
        high = price * (1 + abs(rng.gauss(0, 0.004)))
        low = price * (1 - abs(rng.gauss(0, 0.004)))
        open_ = rng.uniform(low, high)
        oi *= math.exp(rng.gauss(0.0, 0.02))
        mid = (high + low) / 2
        bars.append({
            "ts": 1_700_000_000_000 + 60_000 * i, "open": open_, "high": high, "low": low, "close": price,
            "volume": rng.uniform(10, 100),
            "bid_px": [mid - 0.01 * k - 0.005 for k in range(1, 6)], "bid_sz": [rng.uniform(1, 9) for _ in range(5)],
            "ask_px": [mid + 0.01 * k + 0.005 for k in range(1, 6)], "ask_sz": [rng.uniform(1, 9) for _ in range(5)],
            "funding": rng.gauss(1e-4, 5e-5), "oi": oi,
        })
    return bars


BARS = make_bars()
LOAD = json.dumps({"cmd": "load", "candles": BARS})


def feature(name, params, field):
    f = {"kind": "indicator", "name": name, "params": params}
    if field:
        f["field"] = field
    return f


def case_id(c):
    return f"{c[0]}{c[1]}{'.' + c[2] if c[2] else ''}"


def column_after_warmup(name, params, field):
    probe = Driver(make_spec([feature(name, params, field)], max_steps=10_000))
    answer = json.loads(probe.raw(LOAD))
    if answer == {"ok": True}:
        needed = 0
    else:
        m = re.match(r"bad spec: episode.warmup is 0 but the observation needs (\d+):", answer["error"])
        assert m, answer
        needed = int(m.group(1))
    env = Driver(make_spec([feature(name, params, field)], max_steps=10_000, warmup=needed))
    assert env.raw(LOAD) == '{"ok":true}'
    values = [env("reset")["observation"][0]]
    while True:
        out = env("step", action=1)
        values.append(out["observation"][0])
        if out["terminated"]:
            break
    assert len(values) == len(BARS) - needed
    assert all(math.isfinite(v) for v in values)
    return values


def flat_bar(i, price, volume=1.0):
    """A bar whose open, high, low and close are all `price`."""
    return {"ts": i, "open": price, "high": price, "low": price, "close": price, "volume": volume}


def column_over_bars(bars, name, params, field=None):
    """The column of one indicator (its output `field` where given) over `bars`, aligned
    to the bars: None before the episode's warm-up bar (the warm-up the load asks for)."""
    load = json.dumps({"cmd": "load", "candles": bars})
    probe = Driver(make_spec([feature(name, params, field)], max_steps=max(10_000, len(bars))))
    answer = json.loads(probe.raw(load))
    needed = 0
    if answer != {"ok": True}:
        needed = int(re.match(r"bad spec: episode.warmup is 0 but the observation needs (\d+):", answer["error"])[1])
    env = Driver(make_spec([feature(name, params, field)], max_steps=max(10_000, len(bars)), warmup=needed))
    assert env.raw(load) == '{"ok":true}'
    values = [None] * needed + [row[0] for row in env.episode_rows()]
    assert len(values) == len(bars)
    return values


def column_over(closes, name, params, field=None):
    """column_over_bars over bars of one unit of range around each of `closes`."""
    return column_over_bars([bar(i, c) for i, c in enumerate(closes)], name, params, field)


def tick_closes(count=1500, seed=1):
    """Closes of a quiet market that moves among four prices a cent apart: its log
    returns take a few values, which windows hold again in other orders and as each
    other's negatives, so that many windows have exactly equal variances."""
    rng = random.Random(seed)
    prices, k, closes = (100.0, 100.01, 100.02, 100.03), 1, []
    for _ in range(count):
        k = max(0, min(3, k + rng.choice((-1, 0, 0, 1))))
        closes.append(prices[k])
    return closes


def exact_return_variances(closes, window):
    """{i: the sample variance, as an exact fraction, of the `window` log returns that
    end at close i}, the returns being the doubles the indicators take."""
    returns = [Fraction(math.log(closes[i] / closes[i - 1])) for i in range(1, len(closes))]
    out = {}
    for end in range(window, len(returns) + 1):
        held = returns[end - window:end]
        mean = sum(held) / window
        out[end] = sum((r - mean) ** 2 for r in held) / (window - 1)
    return out
