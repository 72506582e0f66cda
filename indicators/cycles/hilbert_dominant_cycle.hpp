// Smoothed dominant cycle period of the close, in bars (Hilbert transform).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HilbertDominantCycle final : public CloseIndicator<HilbertDominantCycle> {
public:
    static std::expected<HilbertDominantCycle, IndicatorError> create() { return HilbertDominantCycle(); }

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 50; }

private:
    HilbertDominantCycle() = default;

    HilbertDominantCycleCore core_;
};

}  // namespace torvex
