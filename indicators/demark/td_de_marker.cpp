#include "indicators/demark/td_de_marker.hpp"

namespace torvex {

std::expected<TdDeMarker, IndicatorError> TdDeMarker::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdDeMarker(n);
}

std::optional<double> TdDeMarker::step(const Ohlcv& bar) {
    if (!previous_) {
        previous_ = bar;
        return std::nullopt;
    }
    const double up = bar.high - previous_->high;
    const double down = previous_->low - bar.low;
    previous_ = bar;
    if (de_max_.full()) {
        de_max_.drop_oldest();
        de_min_.drop_oldest();
    }
    de_max_.push_back(up <= 0.0 ? 0.0 : up);
    de_min_.push_back(down <= 0.0 ? 0.0 : down);
    if (!de_max_.full()) return std::nullopt;
    const double n = static_cast<double>(n_);
    const double a = sum_from_oldest(de_max_) / n;
    const double b = sum_from_oldest(de_min_) / n;
    const double d = a + b;
    return d != 0.0 ? a / d : 0.5;
}

}  // namespace torvex
