// Hedge ratio and intercept of the close on the reference tracked by a two-state
// Kalman filter (a random walk for both, state noise delta / (1 - delta)); also
// publishes the innovation of each bar as the spread.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/pairs/pair_feed.hpp"

namespace torvex {

class KalmanHedgeRatio final : public MultiOutput<KalmanHedgeRatio, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"hedge_ratio", "intercept", "spread"};
    static constexpr InputGate kGate = InputGate::None;

    static std::expected<KalmanHedgeRatio, IndicatorError> create(double delta, double observation_var);

    std::optional<std::array<double, 3>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return 1; }

private:
    KalmanHedgeRatio(double delta, double observation_var)
        : delta_(delta), q_(delta / (1.0 - delta)), r_(observation_var) {}

    double p00_ = 0.0;
    double p01_ = 0.0;
    double p10_ = 0.0;
    double p11_ = 0.0;
    [[maybe_unused]] double delta_;
    double q_;
    double r_;
    double beta_ = 0.0;
    double alpha_ = 0.0;
    std::uint64_t updates_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, KalmanHedgeRatio, 3);

}  // namespace torvex
