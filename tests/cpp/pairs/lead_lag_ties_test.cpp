// The lead-lag pick between correlations of equal strength in exact arithmetic that
// rounding sets a few ulps apart: the earlier shift keeps the tie.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pair_support.hpp"

namespace torvex {
namespace {

using test::feed_pair;
using test::make;

struct TieCase {
    const char* what;
    double window;
    double max_lag;
    std::vector<double> closes;
    std::vector<double> references;
    double expected;  // the exact strongest correlation, the earliest shift on a tie
    double tolerance;
};

// Over two bars a correlation is the sign of the product of the two changes, so the
// answer is the unshifted pair's sign whenever both series move; its rounding to
// 0.9999999999999999 must not lose to a shifted pair's -1.
TEST(LeadLagTies, EarlierShiftKeepsAnExactTie) {
    const std::vector<TieCase> cases = {
        // Closes rise 102.01 -> 102.37; the unshifted references rise, both shifted
        // ones fall (daily cents, row 9 of the daily file against a cent walk).
        {"two bars, rounds below 1", 2, 1, {106.15, 102.01, 102.37, 100.25},
         {49.82999999999999, 49.49999999999999, 50.18999999999999, 49.23999999999999}, 1.0, 2e-16},
        // Closes fall 193.3 -> 190.64 while the unshifted references rise.
        {"two bars, falling closes", 2, 1, {185.97, 193.3, 190.64, 196.03},
         {53.28999999999999, 53.029999999999994, 53.48, 53.86}, -1.0, 2e-16},
        {"two bars, five-decimal prices", 2, 1, {1.07506, 1.07659, 1.07657, 1.07574},
         {6.579999999999999, 5.959999999999999, 6.079999999999999, 6.239999999999999}, -1.0, 2e-16},
        {"two bars, unshifted rise", 2, 1, {1.09366, 1.09404, 1.09461, 1.0925},
         {5.680000000000002, 4.690000000000002, 5.2600000000000025, 6.180000000000002}, 1.0, 2e-16},
        // Whole numbers: every correlation is exact, the unshifted one still leads.
        {"two bars, exact integers", 2, 1, {5, 1, 2, 7}, {0, 4, 3, 0}, -1.0, 0.0},
        // Three bars: the references one bar on (1.67, 1, 1) and three bars back
        // (1.29, 1, 1) deviate by multiples of (2, -1, -1), those five bars on
        // (1, 1.38, 1.38) by a multiple of (-2, 1, 1): three correlations of
        // |r| = 0.995340785056002461856..., the first of them positive.
        {"three bars, proportional references", 3, 5,
         {1.20446, 1.2036, 1.20326, 1.20252, 1.20198, 1.20142, 1.19931, 1.19906, 1.19899, 1.20038, 1.19858, 1.19715,
          1.19699},
         {1.0, 1.0, 1.29, 1.0, 1.0, 1.0, 1.67, 1.0, 1.0, 1.0, 1.0, 1.38, 1.38}, 0.99534078505600246, 1e-15},
        // Cent pairs whose shifts tie on their decimals while their doubles, a
        // rounding apart, round the opposite sign a few ulps stronger. Window 11: the
        // unshifted references and a shifted copy of opposite sign both read
        // |r| = sqrt(11/46) on the cents (rationals over the printed values).
        {"eleven bars, cents", 11, 3,
         {100.01, 100.0, 100.0, 100.0, 100.0, 100.01, 100.01, 100.02, 100.01, 100.01, 100.0, 100.0, 100.01, 100.01,
          100.01, 100.02, 100.02},
         {100.01, 100.0, 100.01, 100.01, 100.02, 100.01, 100.02, 100.01, 100.01, 100.01, 100.0, 100.0, 100.01, 100.01,
          100.01, 100.01, 100.02},
         0.48900964692182576, 1e-12},
        // Window 5 against references at 10: the strongest shifts read
        // |r| = sqrt(5/8) on the cents, the earliest of them negative.
        {"five bars, cents at two levels", 5, 4,
         {100.01, 100.01, 100.01, 100.0, 100.0, 100.01, 100.01, 100.02, 100.01, 100.01, 100.01, 100.0, 100.01},
         {10.03, 10.02, 10.03, 10.03, 10.02, 10.03, 10.03, 10.03, 10.02, 10.03, 10.03, 10.03, 10.03},
         -0.79056941504209483, 1e-12},
    };
    for (const TieCase& c : cases) {
        IndicatorBox ll = make("LeadLagCrossCorrelation", {c.window, c.max_lag});
        std::optional<double> got;
        for (std::size_t i = 0; i < c.closes.size(); ++i) got = feed_pair(*ll, c.closes[i], c.references[i]);
        ASSERT_TRUE(got) << c.what;
        EXPECT_NEAR(*got, c.expected, c.tolerance) << c.what;
    }
}

}  // namespace
}  // namespace torvex
