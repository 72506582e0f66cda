// TTM trend: +1 while the close lies above the n-bar simple average of the bar
// midpoint, -1 otherwise.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/decimal_tie.hpp"
#include "indicators/cores/exact_sum.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class TtmTrend final : public CandleIndicator<TtmTrend> {
public:
    // Z(n), M(n).
    static std::expected<TtmTrend, IndicatorError> create(std::uint64_t n);

    // Always inlined: the column loop is instantiated in more than one translation
    // unit, and where the compiler calls the step the loop keeps its state in memory.
    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        const double mid = midpoint(bar.high, bar.low);
        if (!is_finite(mid)) return std::nullopt;
        if (midpoints_.full()) [[likely]] {
            const double old = midpoints_.replace_oldest(mid);
            sum_.remove(old);
            sum_.add(mid);
            const double less = approx_ - old;
            approx_ = mid + less;
            slack_ += (std::fabs(less) + std::fabs(approx_)) * kTwoRoundings;
            if (++since_resum_ == midpoints_.capacity()) [[unlikely]] resum();
        } else {
            midpoints_.push_back(mid);
            sum_.add(mid);
            approx_ = mid + approx_;
            slack_ += std::fabs(approx_) * kTwoRoundings;
            if (!midpoints_.full()) return std::nullopt;
        }
        // n·close − Σ from the running sum, with what its roundings can add up to and
        // what the midpoints' own roundings from their decimals can: where that cannot
        // reach zero its sign is the exact one, elsewhere the exact sum decides. A
        // non-finite close or sum never passes the test.
        const double scaled = count_ * bar.close, distance = scaled - approx_;
        if (std::fabs(distance) > slack_ + (std::fabs(scaled) + std::fabs(distance)) * kDecimalRoundings) [[likely]] {
            return distance > 0.0 ? 1.0 : -1.0;
        }
        return above_average(bar.close) ? 1.0 : -1.0;
    }
    std::uint64_t warmup() const override { return midpoints_.capacity(); }

private:
    explicit TtmTrend(std::uint64_t n) : midpoints_(n), count_(static_cast<double>(n)) {}

    // Twice the unit roundoff: a bound on one rounding with room for the roundings of
    // the bound's own sum.
    static constexpr double kTwoRoundings = 0x1p-52;
    // A bound on the roundings of n midpoints from their decimals, relative to n·close:
    // a price and its midpoint each within a unit in the last place.
    static constexpr double kDecimalRoundings = 0x1p-46;

    // The running sum taken again from the window every n updates, so that its error
    // bound stays that of the values held (O(1) amortised).
    [[gnu::noinline]] void resum() {
        approx_ = 0.0;
        slack_ = 0.0;
        midpoints_.for_each([this](double v) {
            approx_ = v + approx_;
            slack_ += std::fabs(approx_) * kTwoRoundings;
        });
        since_resum_ = 0;
    }

    // close > Σ/n decided as n·close > Σ on the decimals the prices were written in,
    // where the close and the midpoints read as such, else on the exact sum: a close a
    // fraction of a rounding from the average lies on the same side whatever bars came
    // before the window, and a close equal to n equal midpoints lies on neither.
    [[gnu::noinline]] bool above_average(double close) const {
        if (!is_finite(close)) return close > 0.0;
        if (const auto sign = sign_of_count_times_minus_sum_near_decimals(close, midpoints_.capacity(), midpoints_))
            return *sign > 0;
        return sum_.sign_of_count_times_minus_sum(midpoints_.capacity(), close) > 0;
    }

    FixedRing<double> midpoints_;
    ExactSum sum_;  // of the midpoints held
    double count_;  // n, exact as a double (n ≤ MAX_PERIOD)
    double approx_ = 0.0;  // Σ of the midpoints held, rounded at every step
    double slack_ = 0.0;   // a bound on |approx_ − Σ|
    std::uint64_t since_resum_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TtmTrend);

}  // namespace torvex
