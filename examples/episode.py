"""A short example episode: load synthetic bars, then step a simple trend rule."""

import json
import math

from torvex_gym import RawEnv

spec = {
    "dataset_ref": "example",
    "symbol": "BTC-PERP",
    "observation": {
        "features": [
            {"kind": "price", "field": "close"},
            {"kind": "indicator", "name": "Sma", "params": [5]},
            {"kind": "indicator", "name": "Sma", "params": [20]},
        ],
    },
    "action_space": {"type": "discrete", "n": 3},
    "reward": "pnl",
    "episode": {"max_steps": 30, "warmup": 20},
}

bars = []
for i in range(200):
    close = 100.0 + 10.0 * math.sin(i / 15.0) + 0.05 * i
    bars.append({"ts": 1_700_000_000_000 + 60_000 * i, "open": close - 0.2, "high": close + 0.5,
                 "low": close - 0.5, "close": close, "volume": 10.0 + i % 7})

env = RawEnv(json.dumps(spec))
print(env.command(json.dumps({"cmd": "spec"})))
print(env.command(json.dumps({"cmd": "load", "candles": bars})))
out = json.loads(env.command(json.dumps({"cmd": "reset", "seed": 7})))
total = 0.0
while True:
    close, fast, slow = out["observation"]
    action = 2 if fast > slow else 0  # long above the slow average, short below
    out = json.loads(env.command(json.dumps({"cmd": "step", "action": action})))
    total += out["reward"]
    if out["terminated"] or out["truncated"]:
        break
print(f"steps={out['info']['step']:.0f} equity={out['info']['equity']:.4f} total_reward={total:.4f}")
