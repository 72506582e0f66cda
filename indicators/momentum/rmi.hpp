// Relative momentum index: an RSI whose gains and losses are m-bar changes rather
// than one-bar changes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/decay_scale.hpp"
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
            if (scale_.active()) [[unlikely]] return careful_step(gain, loss);
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
        // Both 0, or a quiet run decaying both: the careful path tells them apart.
        if (total < DecayScale::kLow) [[unlikely]] return careful_share();
        return (avg_gain_ / total) * 100.0;
    }
    std::uint64_t warmup() const override { return period_ + lag_; }

private:
    Rmi(std::uint64_t n, std::uint64_t m) : closes_(m), period_(n), lag_(m) {}

    // The averages scaled up by a power of two (no quotient changes), then the share;
    // 50 only when both are 0.
    [[gnu::noinline]] double careful_share();
    // A step while the averages are held scaled: the changes join them in their units.
    [[gnu::noinline]] double careful_step(double gain, double loss);

    FixedRing<double> closes_;  // the last m closes
    // The first n gains and losses are added in arrival order from 0, which is what
    // summing the seed lists once would give, without keeping the lists.
    double seed_gain_ = 0.0;
    double seed_loss_ = 0.0;
    std::uint64_t seed_count_ = 0;
    bool seeded_ = false;
    double avg_gain_ = 0.0;
    double avg_loss_ = 0.0;
    DecayScale scale_;  // holds avg_gain_ and avg_loss_ through a long quiet run
    std::uint64_t period_;
    std::uint64_t lag_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Rmi);

}  // namespace torvex
