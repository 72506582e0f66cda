// TrendStrengthIndex takes the period's sixth power times squared price differences
// in its products: over a long window at a price level far above any market's they
// overflow, though the signed coefficient of determination they give stays in
// [-1, 1] and does not depend on the price level.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indicators/trend/trend_strength_index.hpp"

namespace torvex {
namespace {

double last_answer(std::uint64_t n, const std::vector<double>& closes) {
    TrendStrengthIndex ind = *TrendStrengthIndex::create(n);
    std::optional<double> a;
    for (double c : closes) a = ind.step(c);
    return a.value_or(NAN);
}

TEST(TrendStrengthIndex, AnswersAlikeWhereItsProductsOverflow) {
    struct Case {
        double step;     // per bar
        double wobble;   // added on every third bar
        double want;     // the answer at the price level 100
    };
    // A straight line reads +-1; a wobbled line a little less, worked at level 100
    // and required at 2^490 times it, where n^6 times the squared differences passes
    // the largest double.
    const Case cases[] = {{0.25, 0.0, 1.0}, {-0.25, 0.0, -1.0}, {0.25, 3.0, 0.0}, {-0.5, 7.0, 0.0}};
    const std::uint64_t n = 213;
    for (const Case& c : cases) {
        std::vector<double> closes, scaled;
        for (std::uint64_t i = 0; i < n; ++i) {
            const double v = 100.0 + c.step * static_cast<double>(i) + (i % 3 == 0 ? c.wobble : 0.0);
            closes.push_back(v);
            scaled.push_back(std::ldexp(v, 490));
        }
        const double plain = last_answer(n, closes);
        const double big = last_answer(n, scaled);
        if (c.wobble == 0.0) EXPECT_NEAR(plain, c.want, 1e-12) << c.step;
        EXPECT_GT(std::fabs(plain), 0.0);
        EXPECT_LE(std::fabs(plain), 1.0);
        EXPECT_NEAR(big, plain, 1e-12 * std::fabs(plain)) << c.step << " " << c.wobble;
    }
}

}  // namespace
}  // namespace torvex
