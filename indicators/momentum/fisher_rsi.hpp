// Fisher transform of the RSI: the RSI rescaled to (-1, 1) and stretched by the
// inverse hyperbolic tangent, so that extremes stand out.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"

namespace torvex {

class FisherRsi final : public CloseIndicator<FisherRsi> {
public:
    static std::expected<FisherRsi, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return rsi_.period() + 1; }

private:
    explicit FisherRsi(RsiCore rsi) : rsi_(std::move(rsi)) {}
    RsiCore rsi_;
};

}  // namespace torvex
