// Trix: the one-bar percent change of a triple exponential average of the close.
#pragma once

#include <cmath>
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
            return change(e3_.value(), prev);
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
        return change(*e3, *prev);
    }
    // Once every average is seeded, the same steps with the three averages and the
    // previous value in registers: only the smoothing is carried from bar to bar.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        std::size_t r = 0;
        for (; r < n && !prev_; ++r) out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
        if (r == n) return;
        const double alpha = e1_.alpha(), keep = e1_.one_minus_alpha();  // one length, one factor
        double e1 = e1_.value(), e2 = e2_.value(), e3 = e3_.value(), prev = *prev_;
        for (; r < n; ++r) {
            const double x = closes[r];
            if (!is_finite(x)) [[unlikely]] {
                out[r] = 0.0;
                continue;
            }
            e1 = std::fma(alpha, x, keep * e1);
            if (!is_finite(e1)) [[unlikely]] {
                out[r] = 0.0;
                continue;
            }
            e2 = std::fma(alpha, e1, keep * e2);
            if (!is_finite(e2)) [[unlikely]] {
                out[r] = 0.0;
                continue;
            }
            e3 = std::fma(alpha, e2, keep * e3);
            out[r] = change(e3, prev);
            prev = e3;
        }
        e1_.set_value(e1);
        e2_.set_value(e2);
        e3_.set_value(e3);
        prev_ = prev;
    }
    std::uint64_t warmup() const override { return 3 * e1_.period() - 1; }

private:
    static double change(double e3, double prev) { return prev == 0.0 ? 0.0 : ((e3 - prev) * 100.0) / prev; }

    explicit Trix(std::uint64_t n) : e1_(n), e2_(n), e3_(n) {}

    std::optional<double> prev_;  // the previous triple-smoothed value
    SeededEma e1_;
    SeededEma e2_;
    SeededEma e3_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Trix);

}  // namespace torvex
