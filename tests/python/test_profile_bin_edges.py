"""A price on a bin edge in its printed decimals falls in the bin that the decimals give,
at any price level: the same cents at 99.99 and at 1,099.99 give the same bins."""

import pytest

from conftest import column_over_bars, flat_bar

# A window of four bars over 24 bins, in cents over its low L: flat at L (volume 1),
# flat at L + 24 (volume 1), L + 1 to L + 7 (volume 2) and flat at L + 8 (volume 5).
# Each bin is a cent wide, so every cent is the lower edge of a bin: L + c lies in bin c
# (the high L + 24 in bin 23). The amounts are 1 in bin 0, 2/7 in each of bins 1 to 7,
# 5 in bin 8 and 1 in bin 23, of 9 in all: the point of control is bin 8, and 70 %
# (6.3) takes bins 7, 6, 5, 4 and 3 below it, the bin above being empty. Each of the
# 10 bins touched is touched once.
# (In doubles, (100.07 - 99.99) / 0.01 is 7.999999999999527, and at 1,099.99 the
# quotients of 1, 7 and 8 cents all fall short of their whole numbers.)
WINDOW = ((0, 0, 1.0), (24, 24, 1.0), (1, 7, 2.0), (8, 8, 5.0))

# name, params, fields, expected: the answers as counts, or ("cents", offsets over L)
CASES = [
    ("ProfileShape", [4, 24], [None], [0.0]),  # bin 8 is the first of the middle third
    ("SinglePrints", [4, 24], [None], [10.0]),
    # poc at the centre of bin 8; vah the top edge of bin 8; val the low edge of bin 3
    ("ValueArea", [4, 24, 0.7], ["poc", "vah", "val"], ("cents", [8.5, 9, 3])),
    ("CompositeProfile", [4, 24, 0.7], ["poc", "vah", "val"], ("cents", [8.5, 8.5, 3.5])),
    # lvn: bin 1, the first of the least amounts above zero
    ("HighLowVolumeNodes", [4, 24], ["hvn", "lvn"], ("cents", [8.5, 1.5])),
    # The second block's point of control; the first block (flat at L) left L, which
    # the second block's first bar touched.
    ("NakedPoc", [4, 24], [None], ("cents", [8.5])),
]


def candle(i, low, high, volume):
    return {"ts": i, "open": low, "high": high, "low": low, "close": low, "volume": volume}


@pytest.mark.parametrize("low", ["99.99", "1099.99"])
@pytest.mark.parametrize("name, params, fields, expected", CASES, ids=[c[0] for c in CASES])
def test_a_price_on_a_bin_edge_takes_the_bin_of_its_decimals(low, name, params, fields, expected):
    cents = round(float(low) * 100)
    price = lambda offset: float(f"{(cents + offset) / 100:.2f}")  # as the document prints it
    lead = [flat_bar(i, price(0)) for i in range(4)]
    window = [candle(4 + i, price(a), price(b), volume) for i, (a, b, volume) in enumerate(WINDOW)]
    got = [column_over_bars(lead + window, name, params, field)[-1] for field in fields]
    if isinstance(expected, tuple):
        want = [float(low) + offset / 100 for offset in expected[1]]
        assert got == pytest.approx(want, abs=1e-9), f"{name} at {low}: {got}, {want} due"
    else:
        assert got == expected, f"{name} at {low}: {got}, {expected} due"
