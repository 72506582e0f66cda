// Stochastic of the RSI: where the latest RSI sits within the range of the last k.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"

namespace torvex {

class StochRsi final : public CloseIndicator<StochRsi> {
public:
    // n is the RSI length, k the stochastic window.
    static std::expected<StochRsi, IndicatorError> create(std::uint64_t n, std::uint64_t k);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return rsi_.period() + window_len_; }

private:
    StochRsi(RsiCore rsi, std::uint64_t k) : rsi_(std::move(rsi)), window_(k), window_len_(k) {}

    RsiCore rsi_;
    FixedRing<double> window_;
    std::uint64_t window_len_;
    FlatRun closes_;
};

}  // namespace torvex
