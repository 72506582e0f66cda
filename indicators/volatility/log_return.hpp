// Logarithmic return of the close over n accepted bars: ln(close / close n bars ago).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/log_return_step.hpp"
#include "indicators/cores/lag_window.hpp"

namespace torvex {

class LogReturn final : public CloseIndicator<LogReturn> {
public:
    static std::expected<LogReturn, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero (it does not count as a bar).
    std::optional<double> step(double close) {
        if (!accepts_log_close(close)) return std::nullopt;
        const std::optional<double> old = window_.push(close);
        if (!old) return std::nullopt;
        return std::log(close / *old);
    }
    std::uint64_t warmup() const override { return window_.period() + 1; }

private:
    explicit LogReturn(LagWindow window) : window_(std::move(window)) {}
    LagWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LogReturn);

}  // namespace torvex
