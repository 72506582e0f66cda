// The relative-volatility step: the population deviation of the last n values,
// credited to the up side on a rising close and to the down side on a falling
// one, both sides Wilder-smoothed; the answer is the up share in percent.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class RviVolatilityCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod; n = 1: InvalidPeriod
    // "RVI period must be >= 2".
    static std::expected<RviVolatilityCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); answers from the
    // (2n − 1)-th accepted value on, 50 when neither side moved.
    std::optional<double> step(double x) {
        if (!is_finite(x)) return std::nullopt;
        if (!window_.push(x)) {
            prev_close_ = x;
            return std::nullopt;
        }
        const double n = static_cast<double>(period_);
        const double sd = std::sqrt(window_.variance());
        // The window fills only after n accepted values, so a previous close exists.
        const double prev = *prev_close_;
        const double up = x > prev ? sd : 0.0;
        const double down = x < prev ? sd : 0.0;
        prev_close_ = x;
        if (up_avg_ && down_avg_) {
            if (scale_.active()) [[unlikely]] return careful_step(up, down);
            up_avg_ = std::fma(*up_avg_, n - 1.0, up) / n;
            down_avg_ = std::fma(*down_avg_, n - 1.0, down) / n;
        } else {
            up_seed_.push_back(up);
            down_seed_.push_back(down);
            if (up_seed_.size() < period_) return std::nullopt;
            up_avg_ = seed_mean(up_seed_);
            down_avg_ = seed_mean(down_seed_);
        }
        const double total = *up_avg_ + *down_avg_;
        // Neither side moved, or a quiet run decaying both: the careful path tells them apart.
        if (total < DecayScale::kLow) [[unlikely]] return careful_share();
        const double answer = (100.0 * *up_avg_) / total;
        last_ = answer;
        return answer;
    }

    std::optional<double> last() const { return last_; }
    std::uint64_t period() const { return period_; }

private:
    explicit RviVolatilityCore(VarianceWindow window);

    // The averages scaled up by a power of two (no quotient changes), then the share;
    // 50 only when both are 0.
    [[gnu::noinline]] double careful_share();
    // A step while the averages are held scaled: the deviations join them in their units.
    [[gnu::noinline]] double careful_step(double up, double down);

    std::optional<double> prev_close_;
    std::optional<double> up_avg_;
    std::optional<double> down_avg_;
    std::optional<double> last_;
    DecayScale scale_;  // holds both averages through a long quiet run
    VarianceWindow window_;  // the last n values with their shifted sums
    std::vector<double> up_seed_;
    std::vector<double> down_seed_;
    std::uint64_t period_;
};

}  // namespace torvex
