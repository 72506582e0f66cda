// Detrended price oscillator: the close ⌊n/2⌋ bars back against the current n-bar mean.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/resum_clock.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Dpo final : public CloseIndicator<Dpo> {
public:
    static std::expected<Dpo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        window_.push_back(close);
        sum_ = close + sum_;
        magnitude_ = std::fabs(close) + magnitude_;
        const std::size_t len = window_.size();
        // The close that has just left the last n.
        if (len > period_) {
            sum_ -= window_[len - 1 - period_];
            magnitude_ -= std::fabs(window_[len - 1 - period_]);
        }
        if (len > capacity_) window_.pop_front();
        // Closes may have either sign: the sum is watched through their magnitudes.
        if (clock_.tick(magnitude_)) {
            double s = -0.0;
            double m = 0.0;
            for (std::size_t i = window_.size() - std::min<std::size_t>(period_, window_.size()); i < window_.size(); ++i) {
                s += window_[i];
                m += std::fabs(window_[i]);
            }
            sum_ = s;
            magnitude_ = m;
            const std::size_t held = std::min<std::size_t>(period_, window_.size());
            clock_.settle(
                ResumClock::first_leaves(period_, held),
                [this, held](auto&& fn) {
                    for (std::size_t i = window_.size() - held; i < window_.size(); ++i) fn(window_[i]);
                },
                m);
        }
        if (window_.size() < capacity_) return std::nullopt;
        return window_[window_.size() - 1 - lag_] - sum_ / static_cast<double>(period_);
    }
    std::uint64_t warmup() const override { return capacity_; }

private:
    explicit Dpo(std::uint64_t n);

    FixedRing<double> window_;
    std::uint64_t period_;
    std::uint64_t lag_;       // ⌊n/2⌋: how far back the detrended close lies
    std::uint64_t capacity_;  // max(n, ⌊n/2⌋ + 2): enough for both the mean and the lagged close
    double sum_ = 0.0;        // sum of the last n closes
    double magnitude_ = 0.0;  // Σ|close| over the same closes
    ResumClock clock_;
};

}  // namespace torvex
