// Relative strength index over every rise and fall of the close since the first
// one, without smoothing.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class AnchoredRsi final : public CloseIndicator<AnchoredRsi> {
public:
    // No parameter; never refuses.
    static std::expected<AnchoredRsi, IndicatorError> create() { return AnchoredRsi(); }

    // 100 − 100 / (gains / losses + 1); 100 with gains and no losses, 50 with
    // neither; nothing on the first close.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 2; }

private:
    AnchoredRsi() = default;

    std::optional<double> prev_;
    double gains_ = 0.0;
    double losses_ = 0.0;
};

}  // namespace torvex
