// Ehlers' two-pole super smoother of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class SuperSmoother final : public CloseIndicator<SuperSmoother> {
public:
    static std::expected<SuperSmoother, IndicatorError> create(std::uint64_t n);

    // The first two answers are the closes themselves.
    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit SuperSmoother(std::uint64_t n) : core_(static_cast<double>(n)), period_(n) {}

    SuperSmootherCore core_;
    [[maybe_unused]] std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, SuperSmoother);

}  // namespace torvex
