// Ehlers' two-pole band-pass filter of the close around the period n.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class BandpassFilter final : public CloseIndicator<BandpassFilter> {
public:
    // bandwidth finite in (0, 1), else InvalidParameter; then a bounded filter (see
    // BandpassCore::bounded), else InvalidPeriod naming the period from which every
    // longer one is bounded at this bandwidth.
    static std::expected<BandpassFilter, IndicatorError> create(std::uint64_t n, double bandwidth);

    // 0.0 on the first two bars.
    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 1; }

    double beta() const { return core_.beta(); }
    double alpha() const { return core_.alpha(); }

private:
    BandpassFilter(std::uint64_t n, double bandwidth, BandpassCore core)
        : core_(core), period_(n), bandwidth_(bandwidth) {}

    BandpassCore core_;
    [[maybe_unused]] std::uint64_t period_;
    [[maybe_unused]] double bandwidth_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, BandpassFilter);

}  // namespace torvex
