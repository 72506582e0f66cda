// AutocorrelationPeriodogram through the registry against a plain implementation
// that takes the sine and cosine of every angle on every bar: the table the
// indicator keeps must give the same answers bit for bit, on either side of the
// table's size limit, over rough series with ties, signed zeros, NaN, infinities
// and flat runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

class PlainPeriodogram {
public:
    PlainPeriodogram(std::uint64_t lo, std::uint64_t hi)
        : roofing_(10.0, hi), corr_(hi + 1, 0.0), power_(hi + 1, 0.0), lo_(lo), hi_(hi) {}

    std::optional<double> update(double close) {
        if (!std::isfinite(close)) return std::nullopt;
        const std::optional<double> filt = roofing_.step(close);
        if (!filt) return std::nullopt;
        filtered_.push_front(*filt);  // newest first
        if (filtered_.size() > hi_ + 3) filtered_.pop_back();
        if (filtered_.size() < hi_ + 3) return std::nullopt;

        double sx = 0.0, sxx = 0.0;
        for (std::size_t k = 0; k < 3; ++k) {
            sx += filtered_[k];
            sxx += filtered_[k] * filtered_[k];
        }
        for (std::size_t lag = 0; lag <= hi_; ++lag) {
            double sy = 0.0, syy = 0.0, sxy = 0.0;
            for (std::size_t k = 0; k < 3; ++k) {
                const double y = filtered_[lag + k];
                sy += y;
                syy += y * y;
                sxy += filtered_[k] * y;
            }
            const double d = (3.0 * sxx - sx * sx) * (3.0 * syy - sy * sy);
            corr_[lag] = d > 0.0 ? (3.0 * sxy - sx * sy) / std::sqrt(d) : 0.0;
        }
        peak_ = 0.995 * peak_;
        for (std::uint64_t p = lo_; p <= hi_; ++p) {
            const double pf = static_cast<double>(p);
            double cos_part = 0.0, sin_part = 0.0;
            for (std::uint64_t j = 3; j <= hi_; ++j) {
                const double t = j == 3 ? 18.84955592153876 / pf : (static_cast<double>(j) * 6.283185307179586) / pf;
                cos_part += corr_[j] * std::cos(t);
                sin_part += corr_[j] * std::sin(t);
            }
            const double sq = cos_part * cos_part + sin_part * sin_part;
            power_[p] = 0.2 * sq * sq + 0.8 * power_[p];
            if (power_[p] > peak_) peak_ = power_[p];
        }
        if (peak_ > 0.0) {
            double num = 0.0, den = 0.0;
            for (std::uint64_t p = lo_; p <= hi_; ++p) {
                const double pwr = power_[p] / peak_;
                if (pwr >= 0.5) {
                    num += static_cast<double>(p) * pwr;
                    den += pwr;
                }
            }
            if (den > 0.0) return std::clamp(num / den, static_cast<double>(lo_), static_cast<double>(hi_));
        }
        return static_cast<double>(lo_);
    }

private:
    RoofingCore roofing_;
    std::deque<double> filtered_;
    std::vector<double> corr_, power_;
    std::uint64_t lo_, hi_;
    double peak_ = 0.0;
};

TEST(PeriodogramReference, TableAnswersMatchThePerBarAnglesBitForBit) {
    const struct {
        std::uint64_t lo, hi;
        bool table;
        std::size_t bars;  // beyond the warm-up
    } cases[] = {
        {4, 14, true, 600},     {4, 30, true, 600},    {10, 100, true, 400},
        {4, 300, true, 150},    // 88,506 pairs: computed per bar before the table grew
        {1539, 2050, true, 3},  // exactly 2^20 pairs
        {1538, 2050, false, 3},
    };
    std::uint64_t seed = 23;
    for (const auto& c : cases) {
        std::string label = "(";
        label += std::to_string(c.lo);
        label += ',';
        label += std::to_string(c.hi);
        label += ')';
        EXPECT_EQ(AutocorrelationPeriodogram::create(c.lo, c.hi)->has_table(), c.table) << label;
        auto built = build_indicator("AutocorrelationPeriodogram",
                                     std::vector<double>{static_cast<double>(c.lo), static_cast<double>(c.hi)});
        ASSERT_TRUE(built.has_value()) << label;
        PlainPeriodogram plain(c.lo, c.hi);
        // More than enough accepted closes for the window and then c.bars answers, NaN
        // and the infinities (about a sixth of the series) aside; the feed stops there.
        const std::vector<double> closes = test::rough_closes(seed++, (c.hi + 3 + c.bars) * 3 / 2, false);
        std::size_t produced = 0;
        for (std::size_t i = 0; i < closes.size() && produced < c.bars; ++i) {
            const std::optional<double> want = plain.update(closes[i]);
            ASSERT_TRUE(test::same_bits(test::feed_close(**built, closes[i]), want)) << label << " bar " << i;
            produced += want ? 1 : 0;
        }
        EXPECT_EQ(produced, c.bars) << label;
    }
}

}  // namespace
}  // namespace torvex
