"""Python round trip of one step: json.dumps, command, json.loads, in microseconds."""

import json
import math
import time

from torvex_gym import RawEnv

SPEC = {
    "dataset_ref": "bench", "symbol": "X",
    "observation": {"features": [{"kind": "price", "field": f} for f in ("open", "high", "low", "close", "volume")]
                    + [{"kind": "indicator", "name": "Sma", "params": [p]} for p in (5, 20, 50, 200, 1000)]},
    "action_space": {"type": "discrete", "n": 3}, "reward": "pnl",
    "episode": {"max_steps": 1_000_000, "warmup": 1000},
}


def main(bars=60_000):
    env = RawEnv(json.dumps(SPEC))
    candles = []
    for i in range(bars):
        p = 100.0 + 5 * math.sin(i / 50)
        candles.append({"ts": i, "open": p, "high": p + 0.5, "low": p - 0.5, "close": p + 0.1, "volume": 10.0})
    env.command(json.dumps({"cmd": "load", "candles": candles}))
    env.command('{"cmd":"reset"}')
    steps = bars - 1001
    start = time.perf_counter()
    for k in range(steps):
        out = json.loads(env.command(json.dumps({"cmd": "step", "action": k % 3})))
    elapsed = time.perf_counter() - start
    assert out["terminated"]
    print(f"step round trip: {elapsed / steps * 1e6:.2f} us over {steps} steps")


if __name__ == "__main__":
    main()
