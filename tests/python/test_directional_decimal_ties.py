"""Ties in the printed decimals at two price levels an exact decimal shift apart. The
directional-movement lines over a bar whose high rises exactly as far as its low falls:
the two moves are equal, so neither +DM nor -DM counts, at any price level. In doubles
the two differences round apart (at 99.99 the rise reads larger, at 1,099.99 the fall),
so a binary comparison counts one of them. The high-low activator over a close equal to
an average it is compared with. Each column is checked against an exact model of the
definition over the decimals as written."""

from decimal import Decimal
from fractions import Fraction

import pytest

from conftest import case_id, column_over_bars

N = 2
# (open, high, low, close) in cents from the level. Bar 3 extends the previous high by
# 4 cents and the previous low by 4 cents: a tie. The others rise, fall and rest.
CENTS = [(0, 2, -2, 0), (0, 3, -1, 2), (-1, 0, -8, -6), (-6, 4, -12, -2), (-2, 1, -5, 0), (0, 6, -1, 5),
         (5, 7, 3, 4)]
TIE = 3
LEVELS = ["99.99", "1099.99"]


def bars_at(level, cents=CENTS):
    out = []
    for i, bar in enumerate(cents):
        o, h, l, c = (float(Decimal(level) + Decimal(x) / 100) for x in bar)
        out.append({"ts": 1_700_000_000_000 + 60_000 * i, "open": o, "high": h, "low": l, "close": c, "volume": 1.0})
    return out


def exact_lines(n):
    """Every line of the definition in exact arithmetic over the decimals (in cents; DM
    lines in price units), keyed by line, each a list aligned to the bars (None before
    its first value)."""
    rows = [tuple(Fraction(x) for x in bar) for bar in CENTS]
    lines = {k: [None] * len(rows) for k in ("PlusDm", "MinusDm", "PlusDi", "MinusDi", "Dx", "adx", "Adxr")}
    sp = sm = st = Fraction(0)
    count, dxs, adx, adxs = 0, [], None, []
    for i in range(1, len(rows)):
        (_, ph, pl, pc), (_, h, l, _) = rows[i - 1], rows[i]
        up, down = h - ph, pl - l
        pdm = up if up > down and up > 0 else Fraction(0)
        mdm = down if down > up and down > 0 else Fraction(0)
        tr = max(h - l, abs(h - pc), abs(l - pc))
        if count < n:
            sp, sm, st, count = sp + pdm, sm + mdm, st + tr, count + 1
            if count < n:
                continue
        else:
            sp, sm, st = sp - sp / n + pdm, sm - sm / n + mdm, st - st / n + tr
        pdi = 100 * sp / st if st else Fraction(0)
        mdi = 100 * sm / st if st else Fraction(0)
        dx = 100 * abs(pdi - mdi) / (pdi + mdi) if pdi + mdi else Fraction(0)
        lines["PlusDm"][i], lines["MinusDm"][i] = sp / 100, sm / 100
        lines["PlusDi"][i], lines["MinusDi"][i], lines["Dx"][i] = pdi, mdi, dx
        if adx is None:
            dxs.append(dx)
            if len(dxs) < n:
                continue
            adx = sum(dxs) / n
        else:
            adx = ((n - 1) * adx + dx) / n
        lines["adx"][i] = adx
        adxs.append(adx)
        if len(adxs) >= n:
            lines["Adxr"][i] = (adx + adxs[-n]) / 2
    return lines


EXACT = exact_lines(N)

# (name, params, field, the exact line it reads).
CASES = [
    ("PlusDm", [N], None, "PlusDm"), ("MinusDm", [N], None, "MinusDm"),
    ("PlusDi", [N], None, "PlusDi"), ("MinusDi", [N], None, "MinusDi"), ("Dx", [N], None, "Dx"),
    ("Adx", [N], "plus_di", "PlusDi"), ("Adx", [N], "minus_di", "MinusDi"), ("Adx", [N], "adx", "adx"),
    ("Adxr", [N], None, "Adxr"),
]


def test_the_model_reads_the_tie():
    # The tie bar leaves both sums to decay: +DM 1 cent over bars 1 and 2, -DM 7 cents.
    assert EXACT["PlusDm"][TIE] == Fraction(1, 200) and EXACT["MinusDm"][TIE] == Fraction(7, 200)
    assert EXACT["Dx"][TIE] == Fraction(75)


@pytest.mark.parametrize("name, params, field, line", CASES, ids=[case_id(c[:3]) for c in CASES])
@pytest.mark.parametrize("level", LEVELS)
def test_a_tie_in_the_decimals_counts_neither_move(name, params, field, line, level):
    got = column_over_bars(bars_at(level), name, params, field)
    want = EXACT[line]
    compared = [i for i, (g, w) in enumerate(zip(got, want)) if g is not None and w is not None]
    # The Wilder sums carry the tie bar's moves to every later row.
    assert compared and max(compared) > TIE
    for i in compared:
        assert got[i] == pytest.approx(float(want[i]), abs=2e-8), (name, field, level, i, got[i], float(want[i]))


# ---- The high-low activator: a close equal in its decimals to the average it is compared
# with crosses nothing, so the trend stays.

HILO_N = 2
# Bar 3 closes at 0, where the previous lows (-1 and 1 cents) average 0: the trend stays
# up. Bar 2 closes at 1, on the average of highs 0 and 2.
HILO_CENTS = [(0, 0, 0, 0), (0, 2, -1, 2), (2, 2, 1, 1), (1, 2, 0, 0), (0, 1, 0, 1), (1, 2, 0, 0), (0, 0, -3, -2),
              (-2, -2, -3, -3)]


def exact_hilo(cents, n):
    """The activator of the definition in exact arithmetic, in cents from the level."""
    highs, lows, prev, up, out = [], [], None, True, []
    for _, h, l, c in cents:
        value = None
        if prev is not None:
            if c > prev[0]:
                up = True
            elif c < prev[1]:
                up = False
            value = prev[1] if up else prev[0]
        highs, lows = (highs + [h])[-n:], (lows + [l])[-n:]
        if len(highs) == n:
            prev = (Fraction(sum(highs), n), Fraction(sum(lows), n))
        out.append(value)
    return out


def test_the_hilo_model_holds_the_trend_on_a_tie():
    # Up from the start; bar 3's close ties the low average 0 and bar 5's the low average
    # of lows 0 and 0, so the trend stays up and the stop reads the low averages.
    assert exact_hilo(HILO_CENTS, HILO_N)[2:6] == [Fraction(-1, 2), 0, Fraction(1, 2), 0]


@pytest.mark.parametrize("level", LEVELS)
def test_a_close_on_the_average_in_the_decimals_turns_nothing(level):
    got = column_over_bars(bars_at(level, HILO_CENTS), "HiLoActivator", [HILO_N])
    want = [None if w is None else float(Decimal(level) + Decimal(w.numerator) / Decimal(w.denominator) / 100)
            for w in exact_hilo(HILO_CENTS, HILO_N)]
    compared = [i for i, (g, w) in enumerate(zip(got, want)) if g is not None and w is not None]
    assert 3 in compared
    for i in compared:
        assert got[i] == pytest.approx(want[i], abs=2e-8), (level, i, got[i], want[i])


# ---- The TTM trend: a close equal in its decimals to the average of the bar midpoints
# is not above it, so it reads -1.

TTM_N = 3
# Midpoints 0.5, -1.5 and -2 cents average -1, bar 3's close; then -1.5, -2 and -2.5
# average -2, bar 4's close; bar 5 closes at -1 over an average of -5/3. (The first
# value, bar 2, comes before the episode's first row.)
TTM_CENTS = [(0, 0, 0, 0), (0, 1, 0, 0), (0, 0, -3, -1), (-1, -1, -3, -1), (-1, -1, -4, -2), (-2, 1, -2, -1)]


def exact_ttm(cents, n):
    mids, out = [], []
    for _, h, l, c in cents:
        mids = (mids + [Fraction(h + l, 2)])[-n:]
        out.append(None if len(mids) < n else (1.0 if c > sum(mids) / n else -1.0))
    return out


@pytest.mark.parametrize("level", LEVELS)
def test_a_close_on_the_midpoint_average_in_the_decimals_is_not_above_it(level):
    assert exact_ttm(TTM_CENTS, TTM_N)[3:] == [-1.0, -1.0, 1.0]
    got = column_over_bars(bars_at(level, TTM_CENTS), "TtmTrend", [TTM_N])
    assert got[3:] == [-1.0, -1.0, 1.0]


# ---- The stochastic RSI over a run of one-cent rises: with no fall every RSI is exactly
# 100, so each window of them is flat and reads 50.


@pytest.mark.parametrize("params", [[14, 14], [3, 3]])
@pytest.mark.parametrize("level", LEVELS)
def test_a_run_without_a_fall_is_a_flat_window_of_rsi(level, params):
    cents = [(i, i, i, i) for i in range(40)]
    got = column_over_bars(bars_at(level, cents), "StochRsi", params)
    values = [v for v in got if v is not None]
    assert len(values) >= 40 - sum(params) - 1
    assert values == [50.0] * len(values)


# ---- The DeMark differential: closes falling three bars running with the buying pressure
# (close less the lower of low and previous close) equal in its decimals to the bar
# before's is no signal; in doubles the two pressures round apart at 99.99.

TD_CASES = [
    # Buying pressures -4 - (-6) and -6 - (-8) cents: both 2.
    [(0, 2, -2, -1), (-1, 0, -6, -4), (-4, -3, -8, -6)],
    # Buying pressures 0 - (-1) and -1 - (-2) cents: both 1.
    [(0, 5, -1, 3), (3, 3, -1, 0), (0, 1, -2, -1)],
]


@pytest.mark.parametrize("cents", TD_CASES, ids=["two-cent", "one-cent"])
def test_equal_pressures_in_the_decimals_give_no_signal(cents):
    (_, _, _, c1), (_, _, l2, c2), (_, _, l3, c3) = cents
    assert c3 < c2 < c1 and c3 - min(l3, c2) == c2 - min(l2, c1)
    # A bar goes before them (the episode's first row is the third bar) and two bars flat
    # at the last close follow, so that the episode has steps; those give no signal
    # either (closes not strictly falling or rising).
    first = [(c1, c1, c1, c1)]
    rest = [(c3, c3, c3, c3)] * 2
    for level in LEVELS:
        got = column_over_bars(bars_at(level, first + cents + rest), "TdDifferential", [])
        assert got[3:] == [0.0, 0.0, 0.0], level
