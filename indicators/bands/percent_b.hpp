// Where the close lies inside the Bollinger band: 0 at the lower band, 1 at the upper.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/bollinger_core.hpp"

namespace torvex {

class PercentB final : public CloseIndicator<PercentB> {
public:
    static std::expected<PercentB, IndicatorError> create(std::uint64_t n, double k);

    std::optional<double> step(double close) {
        const std::optional<BandPoint> b = bands_.step(close);
        if (!b) return std::nullopt;
        const double width = b->upper - b->lower;
        // Coinciding bands put the close in the middle.
        if (width == 0.0) return 0.5;
        return (close - b->lower) / width;
    }
    std::uint64_t warmup() const override { return bands_.period(); }

private:
    explicit PercentB(BollingerCore bands) : bands_(std::move(bands)) {}
    BollingerCore bands_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, PercentB);

}  // namespace torvex
