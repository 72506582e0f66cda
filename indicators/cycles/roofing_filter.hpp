// Ehlers' roofing filter: a one-pole high-pass of the close followed by the super
// smoother, a band-limited oscillator around zero.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class RoofingFilter final : public CloseIndicator<RoofingFilter> {
public:
    // lp_period below hp_period; only lp_period is bounded by MAX_PERIOD (no window
    // depends on either).
    static std::expected<RoofingFilter, IndicatorError> create(std::uint64_t lp_period, std::uint64_t hp_period);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 1; }

private:
    RoofingFilter(std::uint64_t lp_period, std::uint64_t hp_period)
        : core_(static_cast<double>(lp_period), hp_period) {}

    RoofingCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RoofingFilter);

}  // namespace torvex
