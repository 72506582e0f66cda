// Price momentum oscillator: the one-bar rate of change smoothed twice by custom
// exponential averages (factor 2/p), the first scaled by ten.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Pmo final : public CloseIndicator<Pmo> {
public:
    static std::expected<Pmo, IndicatorError> create(std::uint64_t p1, std::uint64_t p2);

    std::optional<double> step(double close) {
        if (!prev_) {
            prev_ = close;
            return std::nullopt;
        }
        const double prev = *prev_;
        const double rate = prev == 0.0 ? 0.0 : (close / prev - 1.0) * 100.0;
        prev_ = close;
        if (!is_finite(rate)) return std::nullopt;
        first_.step(rate);
        const double e = first_.value() * 10.0;
        if (!is_finite(e)) return std::nullopt;
        return second_.step(e);
    }
    std::uint64_t warmup() const override { return 2; }

private:
    Pmo(SeededEma first, SeededEma second) : first_(first), second_(second) {}

    std::optional<double> prev_;
    // Period 1: each average takes its first input as its seed.
    SeededEma first_;
    SeededEma second_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Pmo);

}  // namespace torvex
