// Relative momentum index: an RSI whose gains and losses are m-bar changes rather
// than one-bar changes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class Rmi final : public CloseIndicator<Rmi> {
public:
    // n smooths the gains and losses, m is the momentum lag.
    static std::expected<Rmi, IndicatorError> create(std::uint64_t n, std::uint64_t m);

    std::optional<double> step(double close) {
        if (closes_.size() < lag_) {
            closes_.push_back(close);
            return std::nullopt;
        }
        const double old = closes_.front();
        closes_.pop_front();
        closes_.push_back(close);
        const double change = close - old;
        const double gain = change > 0.0 ? change : 0.0;
        const double loss = change < 0.0 ? -change : 0.0;

        const double n = static_cast<double>(period_);
        if (seeded_) {
            avg_gain_ = (gain + (n - 1.0) * avg_gain_) / n;
            avg_loss_ = (loss + (n - 1.0) * avg_loss_) / n;
        } else {
            seed_gain_ = seed_gain_ + gain;
            seed_loss_ = seed_loss_ + loss;
            seed_count_ += 1;
            if (seed_count_ < period_) return std::nullopt;
            avg_gain_ = seed_gain_ / n;
            avg_loss_ = seed_loss_ / n;
            seeded_ = true;
        }
        const double total = avg_gain_ + avg_loss_;
        if (below_normal(total)) return 50.0;  // both 0, or sunk below the normal range
        return (avg_gain_ / total) * 100.0;
    }
    std::uint64_t warmup() const override { return period_ + lag_; }

private:
    Rmi(std::uint64_t n, std::uint64_t m) : closes_(m), period_(n), lag_(m) {}

    FixedRing<double> closes_;  // the last m closes
    // The first n gains and losses are added in arrival order from 0, which is what
    // summing the seed lists once would give, without keeping the lists.
    double seed_gain_ = 0.0;
    double seed_loss_ = 0.0;
    std::uint64_t seed_count_ = 0;
    bool seeded_ = false;
    double avg_gain_ = 0.0;
    double avg_loss_ = 0.0;
    std::uint64_t period_;
    std::uint64_t lag_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Rmi);

}  // namespace torvex
