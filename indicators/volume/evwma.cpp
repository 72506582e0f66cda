#include "indicators/volume/evwma.hpp"

namespace torvex {

std::expected<Evwma, IndicatorError> Evwma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Evwma(n);
}

std::optional<double> Evwma::step(const Ohlcv& bar) {
    volumes_.push(bar.volume);
    if (!volumes_.full()) return std::nullopt;
    const double s = volumes_.sum();
    const double v = bar.volume;
    if (s > 0.0) {
        const double e = value_ ? *value_ : bar.close;
        value_ = (bar.close * v + e * (s - v)) / s;
        return value_;
    }
    if (!value_) value_ = bar.close;
    return value_;
}

}  // namespace torvex
