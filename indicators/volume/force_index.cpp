#include "indicators/volume/force_index.hpp"

namespace torvex {

std::expected<ForceIndex, IndicatorError> ForceIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ForceIndex(n);
}

std::optional<double> ForceIndex::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double raw = bar.volume * (bar.close - *prev_close_);
    prev_close_ = bar.close;
    if (!is_finite(raw)) return std::nullopt;
    return ema_.step(raw);
}

}  // namespace torvex
