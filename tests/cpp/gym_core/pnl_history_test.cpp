// The Sharpe ratio of an episode's pnl list, kept as the list grows: on every append,
// bit for bit the two-pass ratio of the whole list (sum in list order, then squared
// deviations from the mean), except that a list of equal values answers 0.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "gym_core/pnl_history.hpp"

namespace torvex::gym {
namespace {

double two_pass(const std::vector<double>& h) {
    if (h.empty()) return 0.0;
    const double n = static_cast<double>(h.size());
    double sum = 0.0;
    for (double x : h) sum += x;
    const double mean = sum / n;
    double sq = 0.0;
    for (double x : h) sq += (x - mean) * (x - mean);
    const double var = sq / n;
    return var > 0.0 ? mean / std::sqrt(var) : 0.0;
}

TEST(PnlHistory, EveryAppendAnswersTheTwoPassRatio) {
    std::mt19937_64 rng(41);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::size_t compared = 0, equal_lists = 0;
    for (int list = 0; list < 400; ++list) {
        PnlHistory kept;
        std::vector<double> h;
        const int kind = list % 4;
        for (int i = 0; i < 120; ++i) {
            double x = 0.0;
            switch (kind) {
                case 0: x = unit(rng); break;                                      // ordinary
                case 1: x = std::round(unit(rng) * 3.0) * 0.1; break;             // ties, 0 and -0
                case 2: x = i < 60 ? 0.1 : unit(rng) * 1e-17; break;              // equal, then tiny
                case 3: x = (rng() % 5 == 0) ? -0.0 : std::ldexp(unit(rng), -1070); break;  // subnormal
            }
            h.push_back(x);
            kept.append(x);
            bool equal = true;
            for (double v : h) equal = equal && v == h.front();
            const double want = equal ? 0.0 : two_pass(h);
            equal_lists += equal ? 1 : 0;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(kept.sharpe()), std::bit_cast<std::uint64_t>(want))
                << "list " << list << " after " << h.size() << " values: " << kept.sharpe() << " vs " << want;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 400u * 120u);
    EXPECT_GT(equal_lists, 100u * 60u);  // the lists of equal values were reached
}

// Equal values answer 0 where the two-pass arithmetic finds a rounding of variance:
// 0.1 three times sums to 0.30000000000000004.
TEST(PnlHistory, EqualValuesHaveNoVariance) {
    const struct {
        double value;
        int count;
    } cases[] = {{0.1, 3}, {0.1, 50}, {7.3, 11}, {-0.7, 29}, {113.2074966078069, 200}, {1.0, 5}, {0.0, 4}};
    for (const auto& c : cases) {
        PnlHistory kept;
        std::vector<double> h;
        bool rounding_seen = false;
        for (int i = 0; i < c.count; ++i) {
            kept.append(c.value);
            h.push_back(c.value);
            EXPECT_EQ(kept.sharpe(), 0.0) << c.value << " x " << i + 1;
            rounding_seen = rounding_seen || two_pass(h) != 0.0;
        }
        if (c.value == 0.1 || c.value == 7.3) {
            EXPECT_TRUE(rounding_seen) << c.value << ": the case shows nothing";
        }
        kept.append(c.value + 1.0);  // one different value: the ordinary ratio again
        h.push_back(c.value + 1.0);
        EXPECT_EQ(kept.sharpe(), two_pass(h)) << c.value;
        kept.clear();
        EXPECT_EQ(kept.sharpe(), 0.0);
        kept.append(2.0);
        kept.append(4.0);
        EXPECT_EQ(kept.sharpe(), two_pass({2.0, 4.0}));
    }
}

}  // namespace
}  // namespace torvex::gym
