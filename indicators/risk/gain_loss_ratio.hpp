// Average gain over average loss of the last n returns.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class GainLossRatio final : public WindowScan<GainLossRatio> {
public:
    // Z then M on n.
    static std::expected<GainLossRatio, IndicatorError> create(std::uint64_t n);

    // (gain sum / gains, or 0 without gains) / (loss sum / losses); without losses
    // 1.0 when there are no gains either, else +infinity. Zeros count as neither.
    double evaluate(const ValueRing& window) const;

private:
    explicit GainLossRatio(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
