#include "indicators/momentum/cci.hpp"

#include <cmath>

namespace torvex {

std::expected<CciCore, IndicatorError> CciCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return CciCore(n);
}

std::optional<double> CciCore::step(const Ohlcv& bar) {
    const double tp = typical_price(bar);
    if (window_.full()) {
        sum_ = sum_ - window_.front();
        window_.pop_front();
    }
    window_.push(tp);
    sum_ = sum_ + tp;
    since_resum_ += 1;
    if (since_resum_ == period_) {
        double s = -0.0;
        window_.for_each([&s](double v) { s += v; });
        sum_ = s;
        since_resum_ = 0;
    }
    if (!window_.full()) return std::nullopt;
    const double n = static_cast<double>(period_);
    const double mean = sum_ / n;
    double dev = -0.0;
    window_.for_each([&](double v) { dev += std::fabs(v - mean); });
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
