#include "indicators/volume/vzo.hpp"

namespace torvex {

std::expected<Vzo, IndicatorError> Vzo::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Vzo(n);
}

std::optional<double> Vzo::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double signed_volume =
        bar.close > *prev_close_ ? bar.volume : (bar.close < *prev_close_ ? -bar.volume : 0.0);
    prev_close_ = bar.close;
    const std::optional<double> vp = position_.step(signed_volume);
    const std::optional<double> tv = total_.step(bar.volume);
    if (!vp || !tv) return std::nullopt;
    if (*tv == 0.0) return 0.0;
    return *vp * 100.0 / *tv;
}

}  // namespace torvex
