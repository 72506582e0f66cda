"""docs/reference.md where it states what a definition gives: Trendflex's first move after
a halt is bounded by its mean square, which the halt has decayed alike for every move;
AtrRatchet over a repeated candle follows exact arithmetic until its average true range
equals the repeated range in doubles; a stochastic of a flat window reads its middle,
Stc 0.0, and Stc with a cycle of 1 reads 0.0 on every row."""
from decimal import Decimal
from fractions import Fraction

import pytest

from conftest import BARS, column_over_bars, flat_bar


def candle(i, o, h, l, c, v=1000.0):
    return {"ts": 60000 * i, "open": o, "high": h, "low": l, "close": c, "volume": v}


# Cent prices written as decimals: a walk with bodies and wicks.
WALK = [("100.00", "100.40", "99.80", "100.25"), ("100.25", "100.90", "100.10", "100.75"),
        ("100.75", "100.80", "99.95", "100.05"), ("100.05", "101.20", "100.00", "101.10"),
        ("101.10", "101.60", "100.85", "101.45"), ("101.45", "101.50", "100.60", "100.70"),
        ("100.70", "100.95", "100.15", "100.30"), ("100.30", "101.05", "100.20", "100.95"),
        ("100.95", "101.75", "100.90", "101.70"), ("101.70", "101.80", "101.00", "101.15")] * 4


def walk_bars(rows):
    return [candle(i, *(float(x) for x in r)) for i, r in enumerate(rows)]


@pytest.mark.parametrize("halt", [300, 500])
def test_trendflex_first_move_after_a_halt_depends_on_its_size_through_the_mean_square(halt):
    # After a halt the filter is the move times a constant c, and the mean square is
    # 0.04 of its square plus what the halt left, R: 1 / v^2 = 0.04 + R / (c move)^2. So
    # (1 / v^2 - 0.04) move^2 is the same for every move, and a move down reads the
    # negative of the move up.
    bars = walk_bars(WALK)
    p = bars[-1]["close"]
    flat = [candle(len(bars) + k, p, p, p, p, 0.0) for k in range(halt)]
    residues, reads = [], []
    for move in (0.05, 0.2, -0.2):
        c = p + move
        last = candle(len(bars) + halt, p, max(p, c), min(p, c), c)
        v = column_over_bars(bars + flat + [last], "Trendflex", [20])[-1]
        reads.append(v)
        residues.append((1.0 / v ** 2 - 0.04) * move ** 2)
    assert reads[2] == -reads[1]
    assert 0.0 < reads[0] < reads[1] < 5.0  # a larger move reads nearer the bound
    assert residues[0] == pytest.approx(residues[1], rel=1e-5)


def exact_ratchet(rows, n=14, m=Fraction(2), step=Fraction(1, 20)):
    """AtrRatchet's directions in exact arithmetic on the prices as written."""
    out, pc, seed, count, atr, d, stop = [], None, Fraction(0), 0, None, 0, None
    for o, h, l, c in ([Fraction(x) for x in r] for r in rows):
        tr = h - l if pc is None else max(h - l, abs(h - pc), abs(l - pc))
        pc = c
        if atr is None:
            seed, count = seed + tr, count + 1
            if count < n:
                out.append(None)
                continue
            atr = seed / n
        else:
            atr = (atr * (n - 1) + tr) / n
        if d == 0:
            d, stop = 1, c - atr * m
        elif d > 0:
            stop += step * atr
            if stop > c:
                d, stop = -1, c + atr * m
        else:
            stop -= step * atr
            if c > stop:
                d, stop = 1, c - atr * m
        out.append(d)
    return out


@pytest.mark.parametrize("shift", ["0", "1000"])
def test_atr_ratchet_follows_exact_arithmetic_over_a_repeated_candle_until_its_range_settles(shift):
    # The stop steps 0.05 ATR a bar from 2 ATR away, so it lands on the repeated close
    # itself only once the ATR equals the repeated range in doubles: its distance shrinks
    # by 13/14 a bar and falls below the last place after some 420 bars. Before that the
    # stop passes the close or not as in exact arithmetic.
    rows = [tuple(str(Decimal(x) + Decimal(shift)) for x in r) for r in WALK]
    rows += [rows[-1]] * 420
    want = exact_ratchet(rows)
    got = column_over_bars(walk_bars(rows), "AtrRatchet", [14, 2, 0.05], "direction")
    held = [(i, g, w) for i, (g, w) in enumerate(zip(got, want)) if g is not None and w is not None]
    assert len(held) > 400
    assert [g for _, g, _ in held] == [w for _, _, w in held]
    assert {w for _, _, w in held[-100:]} == {1, -1}  # it does flip over the repeats


FLAT = [
    ("Stochastic", [14, 3], "k", 50.0),
    ("Stochastic", [14, 3], "d", 50.0),
    ("WilliamsR", [14], None, -50.0),
    ("StochRsi", [14, 14], None, 50.0),
    ("KasePermissionStochastic", [10, 3], "fast", 50.0),
    ("KasePermissionStochastic", [10, 3], "slow", 50.0),
    ("EhlersStochastic", [20], None, 0.0),
    ("Smi", [14, 3, 3], None, 0.0),
    ("Stc", [23, 50, 10, 0.5], None, 0.0),
]


@pytest.mark.parametrize("name,params,field,want", FLAT, ids=[f"{c[0]}.{c[2]}" for c in FLAT])
def test_a_stochastic_of_a_flat_window_reads_its_fixed_answer(name, params, field, want):
    col = column_over_bars([flat_bar(60000 * i, 99.99) for i in range(150)], name, params, field)
    assert [v for v in col if v is not None] == [want] * sum(v is not None for v in col)


@pytest.mark.parametrize("params", [[23, 50, 1, 0.5], [12, 26, 1, 1.0]])
def test_stc_with_a_cycle_of_one_reads_zero_on_every_row(params):
    # Each window holds one value, which has no range.
    col = [v for v in column_over_bars(BARS, "Stc", params) if v is not None]
    assert len(col) > 2900
    assert set(col) == {0.0}
    assert len(set(column_over_bars(BARS, "Stc", [params[0], params[1], 2, params[3]])[100:])) > 1  # cycle 2 moves
