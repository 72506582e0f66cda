// Zweig breadth thrust: an exponential average over `period` bars of the advancing
// share adv / (adv + dec), seeded with the plain mean of its first `period` values.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/breadth/breadth_feed.hpp"

namespace torvex {

class BreadthThrust final : public BreadthIndicator<BreadthThrust> {
public:
    static std::expected<BreadthThrust, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const CrossSection& panel);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit BreadthThrust(std::uint64_t period);

    std::uint64_t period_;
    double weight_;
    double keep_;
    double average_ = 0.0;
    double seed_sum_ = 0.0;
    std::uint64_t seed_count_ = 0;
    bool seeded_ = false;
};

}  // namespace torvex
