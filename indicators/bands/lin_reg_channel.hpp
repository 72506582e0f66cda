// Linear regression channel: bands around the fitted value of the least-squares
// line through the last n closes, at k root-mean-square residuals.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/regression_channel_core.hpp"

namespace torvex {

class LinRegChannel final : public MultiOutput<LinRegChannel, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"upper", "middle", "lower"};
    static constexpr InputGate kGate = InputGate::None;

    // n below 2: InvalidPeriod "linear regression channel needs period >= 2"; M(n); K(k).
    static std::expected<LinRegChannel, IndicatorError> create(std::uint64_t n, double k);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) { return core_.step(ctx.candle.close); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit LinRegChannel(RegressionChannelCore core) : core_(std::move(core)) {}
    RegressionChannelCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, LinRegChannel, 3);

}  // namespace torvex
