// Width of the Bollinger band relative to its middle line.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/bollinger_core.hpp"

namespace torvex {

class BollingerBandwidth final : public CloseIndicator<BollingerBandwidth> {
public:
    static std::expected<BollingerBandwidth, IndicatorError> create(std::uint64_t n, double k);

    std::optional<double> step(double close) {
        const std::optional<BandPoint> b = bands_.step(close);
        if (!b) return std::nullopt;
        if (b->middle == 0.0) return 0.0;
        return (b->upper - b->lower) / b->middle;
    }
    std::uint64_t warmup() const override { return bands_.period(); }

private:
    explicit BollingerBandwidth(BollingerCore bands) : bands_(std::move(bands)) {}
    BollingerCore bands_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, BollingerBandwidth);

}  // namespace torvex
