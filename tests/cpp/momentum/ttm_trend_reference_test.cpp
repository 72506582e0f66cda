// TtmTrend against the exact side of the close, bit for bit: +1 where n·close is above
// the sum of the last n bar midpoints, -1 otherwise, decided by expansion arithmetic
// (an error-free sum of doubles), so that no rounding of a running mean can tip a
// close that lies a fraction of a rounding from the average.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "indicators/cores/sma_core.hpp"
#include "indicators/momentum/ttm_trend.hpp"
#include "reference_compare.hpp"

namespace torvex {
namespace {

// Adds b to a non-overlapping expansion held from the smallest component up, exactly;
// zero components are dropped.
void grow(std::vector<double>& expansion, double b) {
    std::vector<double> out;
    double q = b;
    for (const double e : expansion) {
        const double s = q + e;
        const double bv = s - q, av = s - bv;
        const double err = (q - av) + (e - bv);
        if (err != 0.0) out.push_back(err);
        q = s;
    }
    if (q != 0.0) out.push_back(q);
    expansion = std::move(out);
}

// The sign of n·close − Σ mids, exactly. Every term is scaled by 2^-16 first (exact for
// these prices) so that no partial sum of values near the largest double overflows.
int exact_side(const std::vector<double>& mids, double close) {
    std::vector<double> expansion;
    for (const double m : mids) {
        grow(expansion, std::ldexp(close, -16));
        grow(expansion, -std::ldexp(m, -16));
    }
    return expansion.empty() ? 0 : expansion.back() > 0.0 ? 1 : -1;
}

TEST(TtmTrend, StepsAsTheExactSideOfTheAverageOfMidpoints) {
    std::uint64_t seed = 23;
    for (std::uint64_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
        const std::vector<Ohlcv> bars = testing_reference::rough_candles(seed++, 2 * n + 2000);
        SmaCore average = *SmaCore::create(n);
        std::vector<double> mids;
        std::uint64_t flat_windows = 0, mean_misses = 0;
        const auto reference = [&](const Ohlcv& bar) -> std::optional<double> {
            if (!validate_candle(bar)) return std::nullopt;
            const double mid = midpoint(bar.high, bar.low);
            if (!std::isfinite(mid)) return std::nullopt;
            mids.push_back(mid);
            const std::optional<double> avg = average.step(mid);
            if (mids.size() > n) mids.erase(mids.begin());
            if (mids.size() < n) return std::nullopt;
            bool flat = true;
            for (const double m : mids) flat = flat && m == mid;
            flat_windows += flat ? 1 : 0;
            const double side = exact_side(mids, bar.close) > 0 ? 1.0 : -1.0;
            mean_misses += side != (bar.close > *avg ? 1.0 : -1.0) ? 1 : 0;
            return side;
        };
        testing_reference::expect_same_bits(
            "TtmTrend", [&] { return IndicatorBox(new TtmTrend(*TtmTrend::create(n))); }, reference, bars);
        if (n == 2) {
            EXPECT_GT(flat_windows, 0u) << "n = " << n << ": the candles hold no flat window";
            EXPECT_GT(mean_misses, 0u) << "n = " << n << ": the running mean never misses the side";
        }
    }
}

}  // namespace
}  // namespace torvex
