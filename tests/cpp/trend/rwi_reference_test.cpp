// The random walk index against its plain definition, each span's true ranges summed
// afresh from the oldest on every bar: bit for bit, both outputs, through update and
// through the column loop in pieces, on rough candles (ties, signed zeros, flat runs,
// refused bars, magnitudes whose differences overflow). Any NaN matches any NaN: a
// NaN reaches the matrix only as 0.0.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/numeric.hpp"
#include "reference_compare.hpp"
#include "registry/registry.hpp"

namespace torvex {
namespace {

// The last n valid candles; on each, every span k = 2..n sums its k − 1 newest true
// ranges from -0.0, oldest first.
class RwiModel {
public:
    explicit RwiModel(std::size_t n) : n_(n) {}

    std::optional<std::array<double, 2>> step(const Ohlcv& bar) {
        if (!candle_is_valid(bar)) return std::nullopt;
        if (!bars_.empty()) ranges_.push_back(true_range(bar, bars_.back().close));
        bars_.push_back(bar);
        if (bars_.size() > n_) bars_.erase(bars_.begin());
        if (ranges_.size() > n_ - 1) ranges_.erase(ranges_.begin());
        if (bars_.size() < n_) return std::nullopt;
        double high = 0.0, low = 0.0;
        for (std::size_t k = 2; k <= n_; ++k) {
            double sum = -0.0;
            for (std::size_t j = ranges_.size() - (k - 1); j < ranges_.size(); ++j) sum += ranges_[j];
            const double denominator = std::sqrt(static_cast<double>(k)) * (sum / static_cast<double>(k - 1));
            if (denominator == 0.0) continue;
            const Ohlcv& reference = bars_[n_ - k];
            high = max_skipping_nan((bar.high - reference.low) / denominator, high);
            low = max_skipping_nan((reference.high - bar.low) / denominator, low);
        }
        return std::array<double, 2>{high, low};
    }

private:
    std::size_t n_;
    std::vector<Ohlcv> bars_;
    std::vector<double> ranges_;
};

TEST(RwiReference, SpanSumsAsSummedAfresh) {
    for (const std::size_t n : {2u, 3u, 14u, 30u, 100u, 1000u}) {
        const std::vector<double> params{static_cast<double>(n)};
        const std::vector<Ohlcv> bars = testing_reference::rough_candles(40 + n, n + 400);
        RwiModel model(n);
        std::vector<double> want_high(bars.size(), 0.0), want_low(bars.size(), 0.0);
        IndicatorBox stepped = std::move(*build_indicator("Rwi", params));
        // A field's column holds the last published list's value: on a bar without an
        // answer, the one before.
        std::optional<std::array<double, 2>> last;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const auto want = model.step(bars[i]);
            const std::optional<double> got = stepped->update(BarContext(bars[i]));
            ASSERT_EQ(got.has_value(), want.has_value()) << "n " << n << " bar " << i;
            if (want) {
                const std::vector<NamedOutput> outs = stepped->outputs();
                ASSERT_EQ(outs.size(), 2u);
                ASSERT_TRUE(test::same_bits(outs[0].value, (*want)[0], true)) << "n " << n << " bar " << i << " high";
                ASSERT_TRUE(test::same_bits(outs[1].value, (*want)[1], true)) << "n " << n << " bar " << i << " low";
                last = want;
            }
            if (last) {
                want_high[i] = (*last)[0];
                want_low[i] = (*last)[1];
            }
        }
        for (const auto& [field, want] : {std::pair{"high", &want_high}, std::pair{"low", &want_low}}) {
            for (const std::size_t piece : {bars.size(), std::size_t{1}, std::size_t{97}}) {
                IndicatorBox column = std::move(*build_indicator("Rwi", params));
                std::vector<double> got(bars.size(), -1.0);
                for (std::size_t from = 0; from < bars.size(); from += piece) {
                    const std::size_t len = std::min(piece, bars.size() - from);
                    ColumnRun run{std::span<double>(got).subspan(from, len), std::string_view(field)};
                    column->run_column(BarColumns(std::span<const Ohlcv>(bars).subspan(from, len)), run);
                }
                for (std::size_t i = 0; i < bars.size(); ++i)
                    ASSERT_TRUE(test::same_bits(got[i], (*want)[i], true)) << "n " << n << " " << field << " pieces of " << piece
                                                          << " bar " << i << ": " << got[i] << " vs " << (*want)[i];
            }
        }
    }
}

}  // namespace
}  // namespace torvex
