// Connors RSI: the mean of a short RSI of the close, an RSI of the up/down streak
// length and the percent rank of the latest one-bar return.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"
#include "indicators/cores/sorted_window.hpp"

namespace torvex {

class ConnorsRsi final : public CloseIndicator<ConnorsRsi> {
public:
    // a: price RSI length, b: streak RSI length, c: rank window.
    static std::expected<ConnorsRsi, IndicatorError> create(std::uint64_t a, std::uint64_t b, std::uint64_t c);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override;

private:
    ConnorsRsi(RsiCore price_rsi, RsiCore streak_rsi, SortedWindow returns, std::uint64_t c)
        : price_rsi_(std::move(price_rsi)),
          streak_rsi_(std::move(streak_rsi)),
          returns_(std::move(returns)),
          rank_len_(c) {}

    RsiCore price_rsi_;
    RsiCore streak_rsi_;
    std::optional<double> prev_;
    SortedWindow returns_;  // the last c one-bar returns (finite or infinite, never NaN)
    std::uint64_t rank_len_;
    double streak_ = 0.0;  // bars in a row up (positive) or down (negative)
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, ConnorsRsi);

}  // namespace torvex
