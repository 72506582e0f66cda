// Phase of the dominant cycle of the close, in degrees (Hilbert transform).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HtDcPhase final : public CloseIndicator<HtDcPhase> {
public:
    static std::expected<HtDcPhase, IndicatorError> create() { return HtDcPhase(); }

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 50; }

private:
    HtDcPhase() = default;

    HtDcPhaseCore core_;
};

}  // namespace torvex
