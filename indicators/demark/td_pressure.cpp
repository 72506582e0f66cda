#include "indicators/demark/td_pressure.hpp"

namespace torvex {

std::expected<TdPressure, IndicatorError> TdPressure::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return TdPressure(n);
}

std::optional<double> TdPressure::step(const Ohlcv& bar) {
    const double range = bar.high - bar.low;
    const double pressure = range > 0.0 ? ((bar.close - bar.open) / range) * bar.volume : 0.0;
    if (pressures_.full()) {
        pressures_.drop_oldest();
        volumes_.drop_oldest();
    }
    pressures_.push_back(pressure);
    volumes_.push_back(bar.volume);
    if (!pressures_.full()) return std::nullopt;
    const double n = static_cast<double>(n_);
    const double p = sum_from_oldest(pressures_) / n;
    const double v = sum_from_oldest(volumes_) / n;
    return v != 0.0 ? p * 100.0 / v : 0.0;
}

}  // namespace torvex
