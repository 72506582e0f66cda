// Inverse Fisher transform of the scaled close: tanh(close·scale), on (−1, 1).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class InverseFisherTransform final : public CloseIndicator<InverseFisherTransform> {
public:
    // scale above zero, else InvalidPeriod "scale must be a positive finite number".
    static std::expected<InverseFisherTransform, IndicatorError> create(double scale);

    std::optional<double> step(double close) { return std::tanh(close * scale_); }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit InverseFisherTransform(double scale) : scale_(scale) {}

    double scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, InverseFisherTransform);

}  // namespace torvex
