// Close price over a reference value (for instance the collateral per contract).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class EstimatedLeverageRatio final : public DynIndicator {
public:
    static std::expected<EstimatedLeverageRatio, IndicatorError> create() { return EstimatedLeverageRatio(); }

    // No candle rule: only the close and the reference are read, and both must be finite.
    std::optional<double> update(const BarContext& ctx) override {
        if (!ctx.reference) return std::nullopt;
        const double reference = *ctx.reference;
        const double close = ctx.candle.close;
        if (!is_finite(reference) || !is_finite(close)) return std::nullopt;
        if (reference > 0.0) return close / reference;
        return 0.0;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    EstimatedLeverageRatio() = default;
};

}  // namespace torvex
