#include "indicators/momentum/pgo.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<Pgo, IndicatorError> Pgo::create(std::uint64_t n) {
    auto closes = SmaCore::create(n);
    if (!closes) return std::unexpected(closes.error());
    return Pgo(SeededEma(n), std::move(*closes));
}

std::optional<double> Pgo::step(const Ohlcv& bar) {
    const std::optional<double> avg = close_average_.step(bar.close);
    double tr = bar.high - bar.low;
    if (prev_close_) {
        tr = std::max(std::max(tr, std::fabs(bar.high - *prev_close_)), std::fabs(bar.low - *prev_close_));
    }
    prev_close_ = bar.close;
    if (!is_finite(tr)) return std::nullopt;
    const std::optional<double> atr = tr_average_.step(tr);
    if (!atr || !avg) return std::nullopt;
    if (!(*atr > 0.0)) return last_;
    const double pgo = (bar.close - *avg) / *atr;
    last_ = pgo;
    return pgo;
}

}  // namespace torvex
