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

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return n_; }

private:
    explicit TdPressure(std::uint64_t n) : pressures_(n), volumes_(n), n_(n) {}

    FixedRing<double> pressures_;
    FixedRing<double> volumes_;
    std::uint64_t n_;
};

}  // namespace torvex
