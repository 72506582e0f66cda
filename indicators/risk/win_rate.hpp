// Share of the last n returns that are gains (a zero return is not a win).
#pragma once

#include <cstdint>
#include <deque>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

class WinRate final : public CloseIndicator<WinRate> {
public:
    // Z then M on n.
    static std::expected<WinRate, IndicatorError> create(std::uint64_t n);

    // wins / n once n returns are held.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit WinRate(std::uint64_t n) : period_(n) {}

    std::deque<double> window_;
    std::uint64_t period_;
    std::uint64_t wins_ = 0;
};

}  // namespace torvex
