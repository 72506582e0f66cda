// The lag family: the close compared with the close a fixed number of accepted bars
// earlier (Mom, Roc, Rocp, Rocr, Rocr100).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/lag_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// One close-price lag indicator; `Formula::apply(close, old)` gives its value.
template <class Formula>
class LagIndicator final : public CloseIndicator<LagIndicator<Formula>> {
public:
    static std::expected<LagIndicator, IndicatorError> create(std::uint64_t n) {
        auto window = LagWindow::create(n);
        if (!window) return std::unexpected(window.error());
        return LagIndicator(std::move(*window));
    }

    std::optional<double> step(double close) {
        const std::optional<double> old = window_.push(close);
        if (!old) return std::nullopt;
        return Formula::apply(close, *old);
    }

    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit LagIndicator(LagWindow window) : window_(std::move(window)) {}
    LagWindow window_;
};

namespace lag_formula {
// The ratios answer 0.0 rather than dividing by an old value that is zero (of either sign).
struct Momentum {
    static double apply(double close, double old) { return close - old; }
};
struct RatePercent {
    static double apply(double close, double old) { return old == 0.0 ? 0.0 : ((close - old) / old) * 100.0; }
};
struct RateFraction {
    static double apply(double close, double old) { return old == 0.0 ? 0.0 : (close - old) / old; }
};
struct Ratio {
    static double apply(double close, double old) { return old == 0.0 ? 0.0 : close / old; }
};
struct RatioPercent {
    static double apply(double close, double old) { return old == 0.0 ? 0.0 : (close / old) * 100.0; }
};
}  // namespace lag_formula

using Mom = LagIndicator<lag_formula::Momentum>;
using Roc = LagIndicator<lag_formula::RatePercent>;
using Rocp = LagIndicator<lag_formula::RateFraction>;
using Rocr = LagIndicator<lag_formula::Ratio>;
using Rocr100 = LagIndicator<lag_formula::RatioPercent>;

}  // namespace torvex
