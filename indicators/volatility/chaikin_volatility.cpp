#include "indicators/volatility/chaikin_volatility.hpp"

namespace torvex {

std::expected<ChaikinVolatility, IndicatorError> ChaikinVolatility::create(std::uint64_t e, std::uint64_t r) {
    if (auto ok = check_period(e); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(r); !ok) return std::unexpected(ok.error());
    return ChaikinVolatility(e, r);
}

std::optional<double> ChaikinVolatility::step(const Ohlcv& bar) {
    const double range = bar.high - bar.low;
    if (!is_finite(range)) return std::nullopt;
    const std::optional<double> ema = ema_.step(range);
    if (!ema || !is_finite(*ema)) return std::nullopt;
    window_.push(*ema);
    if (!window_.full()) return std::nullopt;
    const double old = window_.front();
    last_ = old == 0.0 ? 0.0 : (*ema - old) / old * 100.0;
    return last_;
}

}  // namespace torvex
