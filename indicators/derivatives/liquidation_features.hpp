// Long and short liquidations of the snapshot, their net, total and imbalance.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

class LiquidationFeatures final : public MultiOutput<LiquidationFeatures, 5> {
public:
    static constexpr std::array<std::string_view, 5> kOutputNames{"long", "short", "net", "total", "imbalance"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<LiquidationFeatures, IndicatorError> create() { return LiquidationFeatures(); }

    std::optional<std::array<double, 5>> step(const BarContext& ctx) const {
        if (!ctx.derivatives) return std::nullopt;
        const double l = ctx.derivatives->long_liquidations;
        const double s = ctx.derivatives->short_liquidations;
        const double net = l - s;
        const double total = l + s;
        const double imbalance = total == 0.0 ? 0.0 : net / total;
        return std::array<double, 5>{l, s, net, total, imbalance};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    LiquidationFeatures() = default;
};

}  // namespace torvex
