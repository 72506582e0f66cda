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
    std::optional<double> step(double close) {
        if (!prev_) {
            prev_ = close;
            return std::nullopt;
        }
        const double change = close - *prev_;
        prev_ = close;
        if (change > 0.0) gains_ = change + gains_;
        if (change < 0.0) losses_ = losses_ - change;
        if (losses_ != 0.0) return 100.0 - 100.0 / (gains_ / losses_ + 1.0);
        return gains_ == 0.0 ? 50.0 : 100.0;
    }
    std::uint64_t warmup() const override { return 2; }

private:
    AnchoredRsi() = default;

    std::optional<double> prev_;
    double gains_ = 0.0;
    double losses_ = 0.0;
};

}  // namespace torvex
