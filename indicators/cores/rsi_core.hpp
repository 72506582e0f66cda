// The Wilder relative-strength step: average gain against average loss, seeded
// with plain means of the first n changes and smoothed with weight 1/n after.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/error.hpp"

namespace torvex {

// Mean of a seed list, summed in order from -0.0 and divided by its length.
double seed_mean(const std::vector<double>& seed);

// The RSI-style share 100·up/(up + down), or 50 when both are 0 (no movement).
double strength_share(double up, double down);

class RsiCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<RsiCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed). The first accepted value
    // only primes; from the (n + 1)-th on, answers 100·gain/(gain + loss), or 50
    // when both averages are 0.
    std::optional<double> step(double x);

    std::optional<double> last() const { return last_; }
    std::uint64_t period() const { return period_; }
    bool seeded() const { return seeded_; }
    double avg_gain() const { return avg_gain_; }
    double avg_loss() const { return avg_loss_; }

private:
    explicit RsiCore(std::uint64_t n);

    std::optional<double> last_;
    std::vector<double> gains_;
    std::vector<double> losses_;
    std::uint64_t period_;
    double n_minus_1_;
    double inv_n_;
    double prev_ = 0.0;
    double avg_gain_ = 0.0;
    double avg_loss_ = 0.0;
    bool has_prev_ = false;
    bool seeded_ = false;
};

}  // namespace torvex
