#include "indicators/momentum/cci.hpp"

#include <cmath>

namespace torvex {

std::expected<CciCore, IndicatorError> CciCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CciCore(n);
}

std::optional<double> CciCore::step(const Ohlcv& bar) {
    const double tp = typical_price(bar);
    window_.push(tp);
    if (!window_.full()) return std::nullopt;
    const double n = static_cast<double>(period_);
    const double mean = window_.sum() / n;
    double dev = -0.0;
    window_.ring().for_each([&](double v) { dev += std::fabs(v - mean); });
    dev = dev / n;
    if (dev == 0.0) return 0.0;
    return (tp - mean) / (dev * 0.015);
}

std::expected<Cci, IndicatorError> Cci::create(std::uint64_t n) {
    auto core = CciCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Cci(std::move(*core));
}

}  // namespace torvex
