// Linearly weighted moving average of the close (the oldest value weighs 1, the
// newest n) and its running-sum core, which other averages embed.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

// Weighted mean over a ring of n values, kept with a weighted and a plain running
// sum; both are re-added from the ring every 16 wraps (16·n full updates).
class WmaCore {
public:
    // Zero length: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<WmaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); the weighted mean once
    // n values came.
    std::optional<double> step(double x);

    std::uint64_t period() const { return period_; }
    std::uint64_t count() const { return ring_.size(); }

private:
    explicit WmaCore(std::uint64_t n);

    // Both sums re-added from the ring, oldest first.
    void resum();

    FixedRing<double> ring_;
    std::uint64_t period_;
    double weighted_sum_ = 0.0;
    double plain_sum_ = 0.0;
    double denominator_;  // (n + 1)·n·0.5
    std::uint64_t since_full_ = 0;  // updates since the ring last turned once
    std::uint64_t wraps_ = 0;
};

class Wma final : public CloseIndicator<Wma> {
public:
    static std::expected<Wma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Wma(WmaCore core) : core_(std::move(core)) {}
    WmaCore core_;
};

}  // namespace torvex
