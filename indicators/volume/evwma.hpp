// Elastic volume-weighted moving average: each close weighs in with the bar's share
// of the volume of the last n bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Evwma final : public CandleIndicator<Evwma> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Evwma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        volumes_.push(bar.volume);
        if (!volumes_.full()) return std::nullopt;
        const double s = volumes_.sum();
        const double v = bar.volume;
        if (s > 0.0) {
            const double e = value_ ? *value_ : bar.close;
            value_ = (bar.close * v + e * (s - v)) / s;
            return value_;
        }
        if (!value_) value_ = bar.close;
        return value_;
    }
    std::uint64_t warmup() const override { return volumes_.period(); }

private:
    explicit Evwma(std::uint64_t n) : volumes_(n) {}

    std::optional<double> value_;
    // The volume sum is tested against zero, so it is re-added from the window every
    // n bars: a window of zero volumes reads exactly zero again.
    ResummedRing volumes_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Evwma);

}  // namespace torvex
