// Bollinger bands on the spread close − reference over the last `period` bars:
// the mean, bands `num_std` population deviations away, and where the spread sits
// between them.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/variance_window.hpp"
#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class SpreadBollingerBands final : public MultiOutput<SpreadBollingerBands, 4> {
public:
    static constexpr std::array<std::string_view, 4> kOutputNames{"middle", "upper", "lower", "percent_b"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<SpreadBollingerBands, IndicatorError> create(std::uint64_t period, double num_std);

    std::optional<std::array<double, 4>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    SpreadBollingerBands(VarianceWindow window, double num_std) : window_(std::move(window)), num_std_(num_std) {}

    // The answer for bands within the gate: a flat window, in binary or in the
    // decimals of the newest prices a and b, has coinciding bands and the spread in the
    // middle; others read as usual.
    [[gnu::noinline]] std::array<double, 4> narrow_bands(double middle, double upper, double lower, double a,
                                                         double b) const;

    VarianceWindow window_;
    double num_std_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, SpreadBollingerBands, 4);

}  // namespace torvex
