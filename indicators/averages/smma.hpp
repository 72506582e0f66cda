// Wilder's smoothed moving average: a simple mean of the first n closes, then
// (close + (n - 1)·previous) / n.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

// Averages that start from the plain mean of their first n closes and move on by a
// rule of their own: Derived supplies `double next(double value, double close) const`.
// Only the count and the sum of the seed closes matter, so no seed list is kept.
template <class Derived>
class MeanSeeded : public CloseIndicator<Derived> {
public:
    // The answer is built from the new value itself, not copied back out of value_:
    // reading the whole optional just after its two parts were stored would wait for
    // those stores to reach the cache, on every bar.
    std::optional<double> step(double close) {
        if (value_) {
            const double v = static_cast<const Derived*>(this)->next(*value_, close);
            value_ = v;
            return v;
        }
        seed_sum_ = seed_sum_ + close;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        const double v = seed_sum_ / static_cast<double>(period_);
        value_ = v;
        return v;
    }

    std::uint64_t warmup() const override { return period_; }

protected:
    explicit MeanSeeded(std::uint64_t n) : period_(n) {}

    std::uint64_t period() const { return period_; }

private:
    std::optional<double> value_;
    std::uint64_t seed_count_ = 0;
    std::uint64_t period_;
    double seed_sum_ = 0.0;
};

class Smma final : public MeanSeeded<Smma> {
public:
    static std::expected<Smma, IndicatorError> create(std::uint64_t n);

    double next(double value, double close) const {
        const double n = static_cast<double>(period());
        return (close + (n - 1.0) * value) / n;
    }

private:
    explicit Smma(std::uint64_t n) : MeanSeeded(n) {}
};

}  // namespace torvex
