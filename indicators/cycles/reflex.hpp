// Ehlers' reflex: how far the smoothed close lies from the straight line between
// the ends of its n-bar window, normalised by its running root mean square.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <span>

#include "indicators/cores/rms_normalised_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Reflex final : public CloseIndicator<Reflex> {
public:
    static std::expected<Reflex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        return body_.step(close, [](std::span<const double> w) {
            const std::size_t n = w.size() - 1;
            const double nf = static_cast<double>(n);
            const double newest = w[n];
            const double slope = (w[0] - newest) / nf;
            double sum = 0.0;
            for (std::size_t i = 1; i <= n; ++i) sum = ((static_cast<double>(i) * slope + newest) - w[n - i]) + sum;
            // A sum within the rounding of its own arithmetic is 0: at n = 1 it is 0 for
            // every window, on a settled line nearly so, and divided by a running mean
            // square made of that same rounding it would read as an answer of order 1.
            // The bound is four times the first-order error of the computation: three
            // roundings in each i·slope (slope's two included), one in each addition of
            // newest, one in each subtraction, and the partial sums, each at most
            // Σ|term| <= Σ i·|slope| + n·|newest| + Σ|w|.
            const double lines = std::fabs(slope) * (nf * (nf + 1.0) * 0.5);
            const double terms = (lines + nf * std::fabs(newest)) + magnitude(w.first(n));
            const double bound = 0x1p-51 * ((3.0 * lines + nf * std::fabs(newest)) + (nf + 2.0) * terms);
            if (std::fabs(sum) <= bound && std::isfinite(bound)) return 0.0;
            return sum / nf;
        });
    }
    std::uint64_t warmup() const override { return body_.period() + 1; }

private:
    explicit Reflex(std::uint64_t n) : body_(n) {}

    // Σ|v| in four independent running sums (the order is free: it only bounds).
    static double magnitude(std::span<const double> v) {
        double s[4] = {0.0, 0.0, 0.0, 0.0};
        std::size_t i = 0;
        for (; i + 4 <= v.size(); i += 4)
            for (std::size_t k = 0; k < 4; ++k) s[k] += std::fabs(v[i + k]);
        for (; i < v.size(); ++i) s[0] += std::fabs(v[i]);
        return (s[0] + s[1]) + (s[2] + s[3]);
    }

    RmsNormalisedWindow body_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Reflex);

}  // namespace torvex
