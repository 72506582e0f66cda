// MESA adaptive moving average and its following average, as a pair.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/hilbert_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Mama final : public MultiOutput<Mama, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"mama", "fama"};
    static constexpr InputGate kGate = InputGate::None;

    // Both finite and 0 < slow_limit <= fast_limit <= 1.
    static std::expected<Mama, IndicatorError> create(double fast_limit, double slow_limit);

    // The core refuses a non-finite close itself; values from the 33rd accepted close on.
    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        const std::optional<MamaPoint> p = core_.step(ctx.candle.close);
        if (!p) return std::nullopt;
        return std::array<double, 2>{p->mama, p->fama};
    }
    std::uint64_t warmup() const override { return 33; }

private:
    explicit Mama(MamaCore core) : core_(core) {}

    MamaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Mama, 2);

}  // namespace torvex
