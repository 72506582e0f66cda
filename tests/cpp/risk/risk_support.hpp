// Helpers of the risk-measure tests: series checks that also accept an infinite
// answer, and a maker for every family type by name.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "test_support.hpp"

namespace torvex::risk_test {

inline constexpr double kInf = std::numeric_limits<double>::infinity();

// Feeds `closes` and checks every answer: nothing where `want` has nothing, the
// same infinity, or a value within a relative 1e-12.
inline void expect_answers(const char* label, const test::Maker& make, const std::vector<double>& closes,
                           const test::Expected& want) {
    SCOPED_TRACE(label);
    auto ind = make();
    ASSERT_TRUE(ind.has_value()) << ind.error().display();
    ASSERT_EQ(closes.size(), want.size());
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const auto got = test::feed_close(**ind, closes[i]);
        ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i + 1;
        if (!got) continue;
        if (std::isinf(*want[i])) {
            EXPECT_EQ(*got, *want[i]) << "bar " << i + 1;
        } else {
            EXPECT_NEAR(*got, *want[i], 1e-12 * std::max(1.0, std::fabs(*want[i]))) << "bar " << i + 1;
        }
    }
}

struct Answers {
    const char* label;
    test::Maker make;
    std::vector<double> closes;
    test::Expected want;
};

inline void expect_all(const std::vector<Answers>& cases) {
    for (const Answers& c : cases) expect_answers(c.label, c.make, c.closes, c.want);
}

// `lead` Nones then the given values.
inline test::Expected after(std::size_t lead, std::initializer_list<double> values) {
    test::Expected out(lead, std::nullopt);
    for (double v : values) out.push_back(v);
    return out;
}

}  // namespace torvex::risk_test
