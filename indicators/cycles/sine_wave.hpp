// Sine of the dominant-cycle phase of the close (Hilbert transform).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SineWave final : public CloseIndicator<SineWave> {
public:
    static std::expected<SineWave, IndicatorError> create() { return SineWave(); }

    std::optional<double> step(double close) {
        const std::optional<double> phase = core_.step(close);
        if (!phase) return std::nullopt;
        return std::sin(*phase * 0.017453292519943295);
    }
    std::uint64_t warmup() const override { return 50; }

private:
    SineWave() = default;

    HtDcPhaseCore core_;
};

}  // namespace torvex
