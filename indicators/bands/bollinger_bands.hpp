// Bollinger bands: the mean of the last n closes with bands k population standard
// deviations above and below.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/bollinger_core.hpp"

namespace torvex {

class BollingerBands final : public MultiOutput<BollingerBands, 4> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{"upper", "middle", "lower", "stddev"};
    static constexpr InputGate kGate = InputGate::Close;

    // Z(n), M(n), then K(k).
    static std::expected<BollingerBands, IndicatorError> create(std::uint64_t n, double k);

    // "stddev" is the deviation, not k times it.
    std::optional<std::array<double, 4>> step(double close) {
        if (!core_.advance(close)) return std::nullopt;
        const BandPoint p = core_.point();
        return std::array<double, 4>{p.upper, p.middle, p.lower, p.stddev};
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit BollingerBands(BollingerCore core) : core_(std::move(core)) {}

    BollingerCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, BollingerBands, 4);

}  // namespace torvex
