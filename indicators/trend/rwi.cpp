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

Rwi::Rwi(std::uint64_t n) : bars_(n), sums_(n, -0.0), roots_(n + 1) {
    for (std::uint64_t k = 0; k <= n; ++k) roots_[k] = std::sqrt(static_cast<double>(k));
}

std::optional<std::array<double, 2>> Rwi::step(const BarContext& ctx) {
    const Ohlcv& bar = ctx.candle;
    const double tr = bars_.size() == 0 ? bar.high - bar.low : true_range(bar, bars_.newest().close);
    if (bars_.size() >= 1) {
        // The newest j ranges are the newest j − 1 of the last bar and this one.
        for (std::size_t j = sums_.size() - 1; j >= 1; --j) sums_[j] = sums_[j - 1] + tr;
    }
    bars_.push(bar);
    if (!bars_.full()) return std::nullopt;

    const std::uint64_t n = bars_.capacity();
    double high_index = 0.0;
    double low_index = 0.0;
    for (std::uint64_t k = 2; k <= n; ++k) {
        const double average = sums_[k - 1] / static_cast<double>(k - 1);
        const double denominator = roots_[k] * average;
        if (denominator == 0.0) continue;
        const Ohlcv& reference = bars_[n - k];
        high_index = max_skipping_nan((bar.high - reference.low) / denominator, high_index);
        low_index = max_skipping_nan((reference.high - bar.low) / denominator, low_index);
    }
    return std::array<double, 2>{high_index, low_index};
}

}  // namespace torvex
