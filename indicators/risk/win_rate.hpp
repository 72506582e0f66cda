// Share of the last n returns that are gains (a zero return is not a win).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/value_ring.hpp"

namespace torvex {

class WinRate final : public CloseIndicator<WinRate> {
public:
    // Z then M on n.
    static std::expected<WinRate, IndicatorError> create(std::uint64_t n);

    // wins / n once n returns are held.
    std::optional<double> step(double close) {
        if (const auto old = window_.push(close); old && *old > 0.0) wins_ -= 1;
        if (close > 0.0) wins_ += 1;
        if (!window_.full()) return std::nullopt;
        return static_cast<double>(wins_) / static_cast<double>(window_.capacity());
    }
    std::uint64_t warmup() const override { return window_.capacity(); }

private:
    explicit WinRate(std::uint64_t n) : window_(n) {}

    ValueRing window_;
    std::uint64_t wins_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, WinRate);

}  // namespace torvex
