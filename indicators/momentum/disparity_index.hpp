// Disparity index: percent distance of the close from its n-bar simple average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"

namespace torvex {

class DisparityIndex final : public CloseIndicator<DisparityIndex> {
public:
    static std::expected<DisparityIndex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!mean_.advance(close)) return std::nullopt;
        // A mean near 0 is the window's own, not the running sum's drift.
        mean_.settle_cancelled();
        const double m = mean_.mean();
        if (m == 0.0) return 0.0;
        return 100.0 * (close - m) / m;
    }
    std::uint64_t warmup() const override { return mean_.period(); }

private:
    explicit DisparityIndex(SmaCore mean) : mean_(std::move(mean)) {}
    SmaCore mean_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, DisparityIndex);

}  // namespace torvex
