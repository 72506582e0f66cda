// Two pairs of Bollinger bands around one mean: an inner pair at k_inner and an
// outer pair at k_outer standard deviations.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/bollinger_core.hpp"

namespace torvex {

class DoubleBollinger final : public MultiOutput<DoubleBollinger, 5> {
public:
    static constexpr std::array<std::string_view, 5> kOutputNames{"upper_outer", "upper_inner", "middle",
                                                                  "lower_inner", "lower_outer"};
    static constexpr InputGate kGate = InputGate::None;

    // Both multipliers first, then their order, then the period (Z, M).
    static std::expected<DoubleBollinger, IndicatorError> create(std::uint64_t n, double k_inner, double k_outer);

    std::optional<std::array<double, 5>> step(const BarContext& ctx) {
        const std::optional<BandPoint> p = core_.step(ctx.candle.close);
        if (!p) return std::nullopt;
        const double inner = p->stddev * k_inner_;
        return std::array<double, 5>{p->upper, p->middle + inner, p->middle, p->middle - inner, p->lower};
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    DoubleBollinger(double k_inner, BollingerCore core) : k_inner_(k_inner), core_(std::move(core)) {}

    double k_inner_;
    BollingerCore core_;  // built with the outer multiplier
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, DoubleBollinger, 5);

}  // namespace torvex
