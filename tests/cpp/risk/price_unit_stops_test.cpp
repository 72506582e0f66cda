// The brick and step stops on the printed decimals: whole bricks and steps counted
// exactly, and each stop the double nearest its decimal (checked bit for bit).
#include <gtest/gtest.h>

#include <vector>

#include "indicators/risk/renko_trailing_stop.hpp"
#include "indicators/risk/step_trailing_stop.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using test::box;

TEST(PriceUnitStops, StopsAreTheDecimalsTheyShouldBe) {
    const struct {
        const char* label;
        test::Maker make;
        std::vector<double> closes;
        std::vector<double> want;
    } cases[] = {
        // A flip down to 62.01 puts the stop a brick above, 64.01, not 64.00999999999999.
        {"Renko 2 across 64", box<RenkoTrailingStop>(2.0), {70.0, 62.01}, {68.0, 64.01}},
        {"Renko two bricks of a cent", box<RenkoTrailingStop>(0.01), {100.00, 100.02, 100.03}, {99.99, 100.01, 100.02}},
        {"Renko one brick back", box<RenkoTrailingStop>(0.01), {1090.13, 1090.12, 1090.11}, {1090.12, 1090.12, 1090.12}},
        {"Renko two bricks back flips", box<RenkoTrailingStop>(0.01), {1090.13, 1090.11}, {1090.12, 1090.12}},
        // 9,999 x 0.01 is 99.99000000000001.
        {"Step a cent below 100", box<StepTrailingStop>(0.01), {100.00}, {99.99}},
        {"Step a cent below 99.96", box<StepTrailingStop>(0.01), {99.96}, {99.95}},
        {"Step flips to a cent above", box<StepTrailingStop>(0.01), {100.00, 99.98}, {99.99, 99.99}},
        {"Step 1 on whole prices", box<StepTrailingStop>(1.0), {1100.0, 1099.0}, {1099.0, 1099.0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        auto ind = c.make();
        ASSERT_TRUE(ind.has_value());
        for (std::size_t i = 0; i < c.closes.size(); ++i) {
            const auto got = test::feed_close(**ind, c.closes[i]);
            ASSERT_TRUE(got.has_value());
            EXPECT_EQ(*got, c.want[i]) << "bar " << i + 1;
        }
    }
}

}  // namespace
}  // namespace torvex
