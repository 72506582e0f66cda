// Zero-lag exponential average: a seeded exponential average of the de-lagged
// input 2·x − x[L], with L = floor((n − 1) / 2).
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class ZlemaCore {
public:
    static std::expected<ZlemaCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite x (no value, nothing changed); answers from the
    // (n + L)-th accepted input on.
    std::optional<double> step(double x) {
        if (!is_finite(x)) return std::nullopt;
        window_.push(x);
        if (!window_.full()) return std::nullopt;
        const double d = std::fma(x, 2.0, -window_.from_oldest(0));
        if (!is_finite(d)) return std::nullopt;
        return ema_.step(d);
    }

    std::uint64_t period() const { return period_; }
    std::uint64_t lag() const { return lag_; }
    std::uint64_t warmup() const { return period_ + lag_; }

private:
    explicit ZlemaCore(std::uint64_t n) : window_((n - 1) / 2 + 1), ema_(n), period_(n), lag_((n - 1) / 2) {}

    FixedRing<double> window_;  // the last L + 1 inputs
    SeededEma ema_;
    std::uint64_t period_;
    std::uint64_t lag_;
};

class Zlema final : public CloseIndicator<Zlema> {
public:
    static std::expected<Zlema, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.warmup(); }

private:
    explicit Zlema(ZlemaCore core) : core_(std::move(core)) {}
    ZlemaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Zlema);

}  // namespace torvex
