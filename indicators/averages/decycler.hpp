// Ehlers' decycler: the close less its two-pole high-pass, a trend line with the
// short cycles taken out.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Decycler final : public CloseIndicator<Decycler> {
public:
    static std::expected<Decycler, IndicatorError> create(std::uint64_t n);

    // The close itself on the first two bars.
    std::optional<double> step(double close) { return close - highpass_.step(close); }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit Decycler(std::uint64_t n) : highpass_(n) {}

    TwoPoleHighpassCore highpass_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Decycler);

}  // namespace torvex
