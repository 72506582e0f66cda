// Trix: the one-bar percent change of a triple exponential average of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Trix final : public CloseIndicator<Trix> {
public:
    static std::expected<Trix, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double x) {
        // Once the triple average has a previous value every average is seeded: the
        // steady state is three smoothing steps and the change.
        if (prev_) [[likely]] {
            e1_.smooth(x);
            if (!is_finite(e1_.value())) return std::nullopt;
            e2_.smooth(e1_.value());
            if (!is_finite(e2_.value())) return std::nullopt;
            e3_.smooth(e2_.value());
            const double prev = *prev_;
            prev_ = e3_.value();
            if (prev == 0.0) return 0.0;
            return ((e3_.value() - prev) * 100.0) / prev;
        }
        const auto e1 = e1_.step(x);
        if (!e1 || !is_finite(*e1)) return std::nullopt;
        const auto e2 = e2_.step(*e1);
        if (!e2 || !is_finite(*e2)) return std::nullopt;
        const auto e3 = e3_.step(*e2);
        if (!e3) return std::nullopt;
        const std::optional<double> prev = prev_;
        prev_ = *e3;
        if (!prev) return std::nullopt;
        if (*prev == 0.0) return 0.0;
        return ((*e3 - *prev) * 100.0) / *prev;
    }
    std::uint64_t warmup() const override { return 3 * e1_.period() - 1; }

private:
    explicit Trix(std::uint64_t n) : e1_(n), e2_(n), e3_(n) {}

    std::optional<double> prev_;  // the previous triple-smoothed value
    SeededEma e1_;
    SeededEma e2_;
    SeededEma e3_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Trix);

}  // namespace torvex
