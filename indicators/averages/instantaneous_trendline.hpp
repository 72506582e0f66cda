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

    std::optional<double> step(double close) {
        count_ += 1;
        const double c1 = close1_.value_or(close);
        const double c2 = close2_.value_or(close);
        close2_ = close1_;
        close1_ = close;
        double it;
        if (count_ < 7) {
            it = (close + 2.0 * c1 + c2) / 4.0;
        } else {
            it = g_close_ * close + g_close1_ * c1 - g_close2_ * c2 + g_it1_ * it1_ - g_it2_ * it2_;
        }
        it2_ = it1_;
        it1_ = it;
        return it;
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit InstantaneousTrendline(std::uint64_t n);

    std::uint64_t count_ = 0;
    std::optional<double> close1_;
    std::optional<double> close2_;
    double it1_ = 0.0;
    double it2_ = 0.0;
    std::uint64_t period_;
    double alpha_;
    // Gains of the recursion: (a − a²/4), a²/2, (a − 0.75a²), 2(1 − a), (1 − a)².
    double g_close_;
    double g_close1_;
    double g_close2_;
    double g_it1_;
    double g_it2_;
};

}  // namespace torvex
