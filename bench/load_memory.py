"""Peak memory of a one-million-bar load beyond the document text and the matrix.

Reads the text first, then resets the process's high-water mark (reading the file may
have peaked above what stays resident) and reads it again after one `load`; what the
load added beyond the observation matrix is reported as a multiple of the text's size.
"""

import json
import math
import os
import subprocess
import sys
import tempfile

from torvex_gym import RawEnv


def reset_high_water():
    # Linux: writing 5 to clear_refs sets the high-water mark to the current size.
    with open("/proc/self/clear_refs", "w") as f:
        f.write("5")


def status_kib(field):
    with open("/proc/self/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise RuntimeError(f"no {field} in /proc/self/status")


def write_text(path, bars):
    price = 100.0
    with open(path, "w") as f:
        f.write('{"cmd":"load","candles":[')
        for i in range(bars):
            price *= 1.0 + 0.001 * math.sin(i * 0.37)
            f.write(('{"ts":%d,"open":%.6f,"high":%.6f,"low":%.6f,"close":%.6f,"volume":%.3f}'
                     % (i, price, price + 0.25, price - 0.25, price + 0.1, 10.0 + i % 13)) + ("," if i + 1 < bars else ""))
        f.write("]}")


def measure(path, bars):
    # In a fresh process, so that nothing else the process did is counted.
    with open(path) as f:
        text = f.read()
    features = [{"kind": "price", "field": f} for f in ("open", "high", "low", "close", "volume")]
    features += [{"kind": "indicator", "name": "Sma", "params": [p]} for p in (5, 20, 50, 200, 1000)]
    env = RawEnv(json.dumps({
        "dataset_ref": "bench", "symbol": "X", "observation": {"features": features},
        "action_space": {"type": "discrete", "n": 3}, "reward": "pnl",
        "episode": {"max_steps": 100, "warmup": 1000}}))
    reset_high_water()
    before = status_kib("VmRSS")
    assert env.command(text) == '{"ok":true}'
    after = status_kib("VmHWM")
    matrix = bars * len(features) * 8
    extra = max((after - before) * 1024 - matrix, 0)
    print(f"text {len(text) / 1e6:.1f} MB, matrix {matrix / 1e6:.1f} MB, "
          f"load peak beyond both {extra / 1e6:.1f} MB = {extra / len(text):.2f} x the text")


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--measure":
        measure(sys.argv[2], int(sys.argv[3]))
    else:
        bars = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, "load.json")
            write_text(path, bars)
            subprocess.run([sys.executable, __file__, "--measure", path, str(bars)], check=True)
