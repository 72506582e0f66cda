// Ehlers' instantaneous trendline of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class InstantaneousTrendline final : public CloseIndicator<InstantaneousTrendline> {
public:
    static std::expected<InstantaneousTrendline, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 1; }

private:
    explicit InstantaneousTrendline(std::uint64_t n);

    std::uint64_t count_ = 0;
    std::optional<double> close1_;
    std::optional<double> close2_;
    double it1_ = 0.0;
    double it2_ = 0.0;
    [[maybe_unused]] std::uint64_t period_;
    double alpha_;
    // Gains of the recursion: (a − a²/4), a²/2, (a − 0.75a²), 2(1 − a), (1 − a)².
    double g_close_;
    double g_close1_;
    double g_close2_;
    double g_it1_;
    double g_it2_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, InstantaneousTrendline);

}  // namespace torvex
