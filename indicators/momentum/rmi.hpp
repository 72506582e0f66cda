// Relative momentum index: an RSI whose gains and losses are m-bar changes rather
// than one-bar changes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Rmi final : public CloseIndicator<Rmi> {
public:
    // n smooths the gains and losses, m is the momentum lag.
    static std::expected<Rmi, IndicatorError> create(std::uint64_t n, std::uint64_t m);

    std::optional<double> step(double close);
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

}  // namespace torvex
