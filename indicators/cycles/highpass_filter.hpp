// Ehlers' two-pole high-pass filter of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class HighpassFilter final : public CloseIndicator<HighpassFilter> {
public:
    static std::expected<HighpassFilter, IndicatorError> create(std::uint64_t n);

    // 0.0 on the first two bars.
    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit HighpassFilter(std::uint64_t n) : core_(n) {}

    TwoPoleHighpassCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, HighpassFilter);

}  // namespace torvex
