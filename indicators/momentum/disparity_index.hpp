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
        const double m = mean_.divisor_mean();
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
