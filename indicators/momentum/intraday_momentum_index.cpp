#include "indicators/momentum/intraday_momentum_index.hpp"

namespace torvex {

std::expected<IntradayMomentumIndex, IndicatorError> IntradayMomentumIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return IntradayMomentumIndex(n);
}

std::optional<double> IntradayMomentumIndex::step(const Ohlcv& bar) {
    const double d = bar.close - bar.open;
    window_.push(d > 0.0 ? d : 0.0, d < 0.0 ? -d : 0.0);
    if (!window_.full()) return std::nullopt;
    const double total = window_.sum_b() + window_.sum_a();
    if (total == 0.0) return 50.0;
    return window_.sum_a() * 100.0 / total;
}

}  // namespace torvex
