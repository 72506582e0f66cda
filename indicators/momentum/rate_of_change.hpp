// The lag family: the close compared with the close a fixed number of accepted bars
// earlier (Mom, Roc, Rocp, Rocr, Rocr100).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/lag_window.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

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

    // A whole close column: bar by bar while the window fills; then the first n bars
    // read their lagged close from the window and the rest from the column itself n
    // places back, in one pass with no state carried from bar to bar that also notes
    // whether every close was finite. If one was not, the pass is discarded (the
    // window is untouched until the end) and the bars are stepped one by one instead;
    // otherwise the window ends holding the last n closes.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        std::size_t r = 0;
        for (; r < count && !window_.full(); ++r) out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
        const std::size_t n = window_.period();
        const std::size_t from_window = count - r < n ? count : r + n;
        // Counted by a comparison rather than on the bit pattern (the same answer for
        // every double: NaN and both infinities fail it), which vectorises.
        constexpr double kMax = std::numeric_limits<double>::max();
        long refused = 0;
        for (std::size_t k = r; k < from_window; ++k) {
            refused += !(std::fabs(closes[k]) <= kMax);
            out[k] = Formula::apply(closes[k], window_.from_oldest(k - r));
        }
        for (std::size_t k = from_window; k < count; ++k) {
            refused += !(std::fabs(closes[k]) <= kMax);
            out[k] = Formula::apply(closes[k], closes[k - n]);
        }
        if (refused != 0) {
            for (; r < count; ++r) out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
            return;
        }
        for (std::size_t k = count - r > n ? count - n : r; k < count; ++k) window_.push(closes[k]);
    }

private:
    explicit LagIndicator(LagWindow window) : window_(std::move(window)) {}
    LagWindow window_;
};

namespace lag_formula {
// The ratios answer 0.0 rather than dividing by an old value that is zero (of either
// sign): the quotient is formed either way and the answer picked, so that a loop over
// many bars has no branch.
struct Momentum {
    static double apply(double close, double old) { return close - old; }
};
struct RatePercent {
    static double apply(double close, double old) { return pick(old == 0.0, 0.0, ((close - old) / old) * 100.0); }
};
struct RateFraction {
    static double apply(double close, double old) { return pick(old == 0.0, 0.0, (close - old) / old); }
};
struct Ratio {
    static double apply(double close, double old) { return pick(old == 0.0, 0.0, close / old); }
};
struct RatioPercent {
    static double apply(double close, double old) { return pick(old == 0.0, 0.0, (close / old) * 100.0); }
};
}  // namespace lag_formula

using Mom = LagIndicator<lag_formula::Momentum>;
using Roc = LagIndicator<lag_formula::RatePercent>;
using Rocp = LagIndicator<lag_formula::RateFraction>;
using Rocr = LagIndicator<lag_formula::Ratio>;
using Rocr100 = LagIndicator<lag_formula::RatioPercent>;

}  // namespace torvex
