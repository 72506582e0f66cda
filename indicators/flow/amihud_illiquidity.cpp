#include "indicators/flow/amihud_illiquidity.hpp"

#include <cmath>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

std::expected<AmihudIlliquidity, IndicatorError> AmihudIlliquidity::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return AmihudIlliquidity(period);
}

std::optional<double> AmihudIlliquidity::trade(const Trade& t) {
    // A print of nothing moves no money: it neither enters the window nor becomes
    // the previous price.
    if (t.quantity == 0.0) return last_;
    const std::optional<double> prev = previous_;
    previous_ = t.price;
    if (!prev) return std::nullopt;
    const double illiq = std::fabs(std::log(t.price / *prev)) / (t.price * t.quantity);
    if (const std::optional<double> left = values_.push(illiq)) sum_ -= *left;
    sum_ += illiq;
    if (clock_.tick(sum_)) {
        double s = 0.0;
        values_.for_each([&s](double v) { s += v; });
        sum_ = s;
        settle_window(clock_, values_, period_, sum_);
    }
    if (!values_.full()) return std::nullopt;
    last_ = sum_ / static_cast<double>(period_);
    return last_;
}

std::optional<double> AmihudIlliquidity::step(const BarContext& ctx) {
    std::optional<double> result;
    for (const Trade& t : ctx.trades) result = trade(t);
    return result;
}

}  // namespace torvex
