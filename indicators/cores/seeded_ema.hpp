// Exponential average seeded with the plain mean of its first `period` inputs.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/error.hpp"

namespace torvex {

class SeededEma {
public:
    // Checked form: k = 0 ZeroPeriod, above MAX_PERIOD InvalidPeriod; alpha 2/(k + 1).
    static std::expected<SeededEma, IndicatorError> create(std::uint64_t k);

    // For an owner that has checked k itself: alpha = 2/(k + 1) in f64.
    explicit SeededEma(std::uint64_t k);
    // A factor other than 2/(k + 1) (k >= 1, alpha already checked by the owner);
    // one_minus_alpha is 1 − alpha.
    SeededEma(std::uint64_t k, double alpha);

    // No input guard (the caller tests x). Sums the first k inputs and answers their
    // mean on the k-th; afterwards value = fma(alpha, x, (1 − alpha)·value).
    std::optional<double> step(double x) {
        if (!feed(x)) return std::nullopt;
        return value_;
    }

    // The same step answering whether there is a value (then value()): the form the
    // hot loops use, which passes nothing through memory.
    bool feed(double x) {
        if (seeded_) {
            smooth(x);
            return true;
        }
        seed_sum_ += x;
        seed_count_ += 1;
        if (seed_count_ != period_) return false;
        value_ = seed_sum_ / static_cast<double>(seed_count_);
        seeded_ = true;
        return true;
    }

    // The step of a seeded average alone, for owners that know it is seeded.
    void smooth(double x) { value_ = std::fma(alpha_, x, one_minus_alpha_ * value_); }

    double value() const { return value_; }
    // For an owner that ran the seeded smoothing in registers and hands the value back.
    void set_value(double v) { value_ = v; }
    bool seeded() const { return seeded_; }
    std::uint64_t period() const { return period_; }
    double alpha() const { return alpha_; }
    double one_minus_alpha() const { return one_minus_alpha_; }

private:
    std::uint64_t period_;
    double alpha_;
    double one_minus_alpha_;
    double value_ = 0.0;
    double seed_sum_ = -0.0;
    std::uint64_t seed_count_ = 0;
    bool seeded_ = false;
};

}  // namespace torvex
