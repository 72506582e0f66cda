// A bar's volume relative to the simple average of the last n volumes, the current
// one included: the width of the volume-proportional bar transforms.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sma_core.hpp"

namespace torvex {

class RelativeVolume {
public:
    // Z(n), M(n).
    static std::expected<RelativeVolume, IndicatorError> create(std::uint64_t n) {
        auto average = SmaCore::create(n);
        if (!average) return std::unexpected(average.error());
        return RelativeVolume(std::move(*average));
    }

    // A valid candle's volume; volume / average once n volumes came, 0 while the
    // average is not above zero.
    std::optional<double> step(double volume) {
        const std::optional<double> a = average_.step(volume);
        if (!a) return std::nullopt;
        return *a > 0.0 ? volume / *a : 0.0;
    }

    std::uint64_t period() const { return average_.period(); }

private:
    explicit RelativeVolume(SmaCore average) : average_(std::move(average)) {}
    SmaCore average_;
};

}  // namespace torvex
