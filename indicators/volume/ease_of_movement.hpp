// Ease of movement: the mean over n bars of the midpoint's move times the range per
// unit of volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class EaseOfMovement final : public CandleIndicator<EaseOfMovement> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<EaseOfMovement, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return values_.period() + 1; }

private:
    static constexpr double kVolumeScale = 100'000'000.0;
    explicit EaseOfMovement(std::uint64_t n) : values_(n), n_(static_cast<double>(n)) {}

    std::optional<double> prev_mid_;
    ResummedRing values_;
    double n_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, EaseOfMovement);

}  // namespace torvex
