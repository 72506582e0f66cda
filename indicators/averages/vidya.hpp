// Variable index dynamic average: an exponential average whose factor is scaled by
// the absolute Chande momentum, so it follows trends and stalls in ranges.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/cmo_core.hpp"

namespace torvex {

class Vidya final : public CloseIndicator<Vidya> {
public:
    // p: smoothing length (only its factor is kept); q: momentum window.
    static std::expected<Vidya, IndicatorError> create(std::uint64_t p, std::uint64_t q);

    std::optional<double> step(double close) {
        const std::optional<double> cmo = cmo_.step(close);
        if (!cmo) return std::nullopt;
        const double k = (std::fabs(*cmo) / 100.0) * alpha_;
        const double base = value_.value_or(close);
        const double v = (1.0 - k) * base + close * k;
        value_ = v;
        return v;
    }
    std::uint64_t warmup() const override { return cmo_.period() + 1; }

private:
    Vidya(CmoCore cmo, double alpha) : cmo_(std::move(cmo)), alpha_(alpha) {}

    CmoCore cmo_;
    std::optional<double> value_;
    double alpha_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Vidya);

}  // namespace torvex
