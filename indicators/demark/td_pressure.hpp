// DeMark pressure: the mean of the volume-weighted close-versus-open pressure over the
// mean volume of the last n bars, in percent; 0.0 when the window holds no volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdPressure final : public CandleIndicator<TdPressure> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<TdPressure, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
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
    std::uint64_t warmup() const override { return n_; }

private:
    explicit TdPressure(std::uint64_t n) : pressures_(n), volumes_(n), n_(n) {}

    FixedRing<double> pressures_;
    FixedRing<double> volumes_;
    std::uint64_t n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TdPressure);

}  // namespace torvex
