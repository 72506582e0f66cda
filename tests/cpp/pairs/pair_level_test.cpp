// GrangerCausality at every price level: a design regular in exact arithmetic answers
// near its exact value however far the level lies above the window's moves, and one
// singular or fitted exactly reads 0.0, on cents and on the futures grids.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/cpp/pairs/pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::make;

// A price in units of its grid (cents: 100 a unit), as a double the nearest to it.
double price(std::int64_t units, double per_unit) { return static_cast<double>(units) / per_unit; }

// Windows that two legs tracking one price make, whose Gram of raw prices carries the
// level squared: exact values from rational arithmetic on the prices as written. With
// the intercept in both fits, moving every close, or every reference, by a constant
// changes no exact answer, so each window is read at several levels.
struct Reproducer {
    const char* label;
    std::size_t period, lag;
    double c_unit, r_unit;  // grid steps a price unit holds: 100 for cents
    std::vector<std::int64_t> c, r;  // prices in grid steps
    double exact;
    std::vector<std::int64_t> offsets;  // price units added to both legs
    double tolerance = 1e-8;  // of max(1, |exact|)
};

const Reproducer kReproducers[] = {
    {"cent ETF pair",
     8,
     2,
     100,
     100,
     {45325, 45303, 45281, 45257, 45259, 45275, 45271, 45264},
     {45357, 45335, 45312, 45288, 45291, 45307, 45302, 45295},
     122.45446777220506,
     {0, 4047, 69547},
     // Its own moves fit the closes to a cent-sized residual: the doubles' distance
     // from the cents, some 4e-12 at 70,000, moves the answer by 1.03e-8 of itself.
     2e-8},
    {"two legs on one price near 70,000",
     20,
     1,
     100,
     100,
     {7002373, 7005894, 7002159, 7002035, 7000553, 7001438, 7000198, 6997784, 6998388, 6995046,
      6995866, 6996020, 6993687, 6992141, 6992589, 6989134, 6982259, 6981663, 6981238, 6984731},
     {7007275, 7010798, 7007061, 7006936, 7005453, 7006339, 7005098, 7002683, 7003287, 6999942,
      7000763, 7000917, 6998582, 6997035, 6997484, 6994026, 6987147, 6986550, 6986125, 6989620},
     1.0541440598412666,
     {0, -65500, -30000}},
    {"two legs on one price near 70,000, two lags",
     60,
     2,
     100,
     100,
     {6973568, 6971563, 6974769, 6970942, 6970764, 6976115, 6980779, 6981208, 6980615, 6981494,
      6980759, 6977773, 6980502, 6980910, 6983606, 6981642, 6981876, 6981353, 6983685, 6987372,
      6988771, 6996259, 6996937, 7000927, 6999216, 7002779, 7004479, 7002790, 7007081, 7005359,
      7011106, 7011413, 7009858, 7009123, 7008170, 7004966, 7006117, 7010153, 7008969, 7006940,
      7011099, 7006757, 7011638, 7011239, 7008795, 7004040, 7007197, 7004319, 7004753, 7009237,
      7010328, 7014932, 7013202, 7015088, 7009553, 7005319, 7005947, 7006429, 7007641, 7005387},
     {6978450, 6976442, 6979651, 6975821, 6975643, 6980999, 6985666, 6986093, 6985500, 6986382,
      6985645, 6982657, 6985388, 6985798, 6988495, 6986529, 6986764, 6986240, 6988573, 6992263,
      6993663, 7001156, 7001835, 7005828, 7004116, 7007681, 7009382, 7007692, 7011986, 7010263,
      7016013, 7016321, 7014765, 7014029, 7013076, 7009869, 7011022, 7015061, 7013875, 7011845,
      7016007, 7011662, 7016546, 7016147, 7013701, 7008943, 7012102, 7009222, 7009657, 7014144,
      7015235, 7019842, 7018111, 7019999, 7014459, 7010222, 7010850, 7011334, 7012546, 7010290},
     1.0076960908116137,
     {0, -65500}},
    // GOOG's 200th daily close against EURUSD's 200th hourly close x 100 through a
    // 300-bar halt of both, then three more closes of each.
    {"the reference's halt of GOOG against EURUSD x 100",
     20,
     1,
     100,
     1000,
     {28026, 28026, 28026, 28026, 28026, 28026, 28026, 28026, 28026, 28026,
      28026, 28026, 28026, 28026, 28026, 28026, 28026, 29094, 29312, 27956},
     {109040, 109040, 109040, 109040, 109040, 109040, 109040, 109040, 109040, 109040,
      109040, 109040, 109040, 109040, 109040, 109040, 109040, 109050, 109052, 108984},
     15.668883961403566,
     {0, 4000, 69700}},
};

// The answer on the window's last bar, within 1e-8 of max(1, |exact|) at every level
// (the tree that read small pivots as singular read 0.0 for each).
TEST(PairLevel, RegularWindowsAnswerNearExactAtEveryLevel) {
    for (const Reproducer& w : kReproducers)
        for (const std::int64_t offset : w.offsets) {
            IndicatorBox ind = make("GrangerCausality", {static_cast<double>(w.period), static_cast<double>(w.lag)});
            std::optional<double> got;
            for (std::size_t i = 0; i < w.period; ++i)
                got = feed_pair(*ind, price(w.c[i] + offset * static_cast<std::int64_t>(w.c_unit), w.c_unit),
                                price(w.r[i] + offset * static_cast<std::int64_t>(w.r_unit), w.r_unit));
            ASSERT_TRUE(got.has_value()) << w.label;
            EXPECT_NEAR(*got, w.exact, w.tolerance * std::max(1.0, std::fabs(w.exact))) << w.label << ", offset " << offset;
        }
}

}  // namespace
}  // namespace torvex
