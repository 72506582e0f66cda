#include "indicators/trend/rwi.hpp"

#include <cmath>

#include "indicators/cores/wilder_atr.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, Rwi, 2);

std::expected<Rwi, IndicatorError> Rwi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (n == 1) return std::unexpected(IndicatorError::invalid_period("RWI requires period >= 2"));
    return Rwi(n);
}

std::optional<std::array<double, 2>> Rwi::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const double tr = bars_.size() == 0 ? bar.high - bar.low : true_range(bar, bars_.newest().close);
    bars_.push(bar);
    if (bars_.size() >= 2) ranges_.push(tr);
    if (!bars_.full()) return std::nullopt;

    const std::uint64_t n = bars_.capacity();
    const std::uint64_t m = ranges_.size();  // n − 1
    double high_index = 0.0;
    double low_index = 0.0;
    for (std::uint64_t k = 2; k <= n; ++k) {
        double sum = -0.0;
        for (std::uint64_t j = m - (k - 1); j < m; ++j) sum += ranges_[j];
        const double average = sum / static_cast<double>(k - 1);
        const double denominator = std::sqrt(static_cast<double>(k)) * average;
        if (denominator == 0.0) continue;
        const Ohlcv& reference = bars_[n - k];
        high_index = max_skipping_nan((bar.high - reference.low) / denominator, high_index);
        low_index = max_skipping_nan((reference.high - bar.low) / denominator, low_index);
    }
    return std::array<double, 2>{high_index, low_index};
}

}  // namespace torvex
