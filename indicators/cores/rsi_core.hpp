// The Wilder relative-strength step: average gain against average loss, seeded
// with plain means of the first n changes and smoothed with weight 1/n after.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <vector>

#include "indicators/bar.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/error.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

// Mean of a seed list, summed in order from -0.0 and divided by its length.
double seed_mean(const std::vector<double>& seed);

// The RSI-style share 100·up/(up + down), or 50 when both are 0 (no movement). A run
// of quiet bars decays both by one factor a bar, which leaves the share where it was:
// owners hold such averages in a DecayScale, so that their sum is 0 only when it is 0.
inline double strength_share(double up, double down) {
    const double total = up + down;
    return total == 0.0 ? 50.0 : (100.0 * up) / total;
}

// The whole step is inline and keeps nothing on the heap: the seed means are
// running sums in the order a seed list would be summed, so that an owner running
// in a column loop keeps every field in registers.
class RsiCore {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<RsiCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed). The first accepted value
    // only primes; from the (n + 1)-th on, answers 100·gain/(gain + loss), or 50
    // when both averages are 0.
    std::optional<double> step(double x) {
        if (!is_finite(x)) return std::nullopt;
        if (seeded_) [[likely]] {
            if (scale_.active()) [[unlikely]] return careful_step(x);
            const Move m = move_to(x);
            avg_gain_ = std::fma(avg_gain_, n_minus_1_, m.gain) * inv_n_;
            avg_loss_ = std::fma(avg_loss_, n_minus_1_, m.loss) * inv_n_;
            return share();
        }
        if (!has_prev_) {
            prev_ = x;
            has_prev_ = true;
            return std::nullopt;
        }
        const Move m = move_to(x);
        gain_seed_ += m.gain;
        loss_seed_ += m.loss;
        seed_count_ += 1;
        if (seed_count_ < period_) return std::nullopt;
        avg_gain_ = gain_seed_ / static_cast<double>(seed_count_);
        avg_loss_ = loss_seed_ / static_cast<double>(seed_count_);
        seeded_ = true;
        return share();
    }

    // The answer of the last accepted value; nothing before the first.
    std::optional<double> last() const {
        if (!seeded_) return std::nullopt;
        return strength_share(avg_gain_, avg_loss_);
    }
    std::uint64_t period() const { return period_; }
    bool seeded() const { return seeded_; }
    double avg_gain() const { return scale_.own(avg_gain_); }
    double avg_loss() const { return scale_.own(avg_loss_); }
    // No fall since the seed began: the share is then exactly 100 (or 50, with no gain
    // either), where 100·gain/gain may round a unit in the last place off 100.
    bool without_loss() const { return avg_loss_ == 0.0; }

private:
    explicit RsiCore(std::uint64_t n);

    struct Move {
        double gain;
        double loss;
    };
    // The share of the averages; a sum below DecayScale::kLow (quiet bars decaying
    // both, or no movement at all) takes the careful path.
    double share() {
        const double total = avg_gain_ + avg_loss_;
        if (total < DecayScale::kLow) [[unlikely]] return careful_share();
        return (100.0 * avg_gain_) / total;
    }
    // The averages scaled up by a power of two (no quotient changes), then the share.
    [[gnu::noinline]] double careful_share();
    // A step while the averages are held scaled: the changes join them in their units.
    [[gnu::noinline]] double careful_step(double x);

    // The change from the previous accepted value, split into its up and down parts.
    Move move_to(double x) {
        const double d = x - prev_;
        prev_ = x;
        return {d > 0.0 ? d : 0.0, d < 0.0 ? -d : 0.0};
    }

    std::uint64_t period_;
    std::uint64_t seed_count_ = 0;
    double n_minus_1_;
    double inv_n_;
    double prev_ = 0.0;
    double gain_seed_ = -0.0;
    double loss_seed_ = -0.0;
    double avg_gain_ = 0.0;
    double avg_loss_ = 0.0;
    DecayScale scale_;  // holds avg_gain_ and avg_loss_ through a long quiet run
    bool has_prev_ = false;
    bool seeded_ = false;
};

}  // namespace torvex
