// Stochastic oscillator: where the close lies within the range of the last k bars
// (%K, 0 at the lowest low, 100 at the highest high), and its simple average (%D).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/sma_core.hpp"
#include "indicators/cores/capped_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Stochastic final : public MultiOutput<Stochastic, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"k", "d"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Zero tests on both, then d against MAX_PERIOD; k is bounded too (after d), as
    // its windows are reserved here.
    static std::expected<Stochastic, IndicatorError> create(std::uint64_t k_period, std::uint64_t d_period);

    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return k_period_ + d_average_.period() - 1; }

private:
    struct Entry {
        std::uint64_t index = 0;
        double value = 0.0;
    };

    Stochastic(std::uint64_t k_period, SmaCore d_average)
        : highs_(k_period), lows_(k_period), d_average_(std::move(d_average)), k_period_(k_period) {}

    // Index queues of the window's extremes; a new bar evicts every earlier bar it
    // matches or beats, so each front is the newest of the window's extreme bars.
    CappedRing<Entry> highs_;
    CappedRing<Entry> lows_;
    SmaCore d_average_;
    std::uint64_t k_period_;
    std::uint64_t index_ = 0;  // bars taken so far
};

}  // namespace torvex
