#include "indicators/volume/mfi.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::expected<Mfi, IndicatorError> Mfi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Mfi(n);
}

std::optional<double> Mfi::step(const Ohlcv& bar) {
    const double tp = typical_price(bar);
    if (!prev_tp_) {
        prev_tp_ = tp;
        return std::nullopt;
    }
    const double raw = bar.volume * tp;
    positive_.push(tp > *prev_tp_ ? raw : 0.0);
    negative_.push(tp < *prev_tp_ ? raw : 0.0);
    prev_tp_ = tp;
    if (!positive_.full()) return std::nullopt;
    const double p = positive_.sum();
    const double n = negative_.sum();
    if (n == 0.0) return p == 0.0 ? 50.0 : 100.0;
    return 100.0 - 100.0 / (1.0 + p / n);
}

}  // namespace torvex
