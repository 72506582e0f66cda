// Ehlers' reflex: how far the smoothed close lies from the straight line between
// the ends of its n-bar window, normalised by its running root mean square.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

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
            return sum / nf;
        });
    }
    std::uint64_t warmup() const override { return body_.period() + 1; }

private:
    explicit Reflex(std::uint64_t n) : body_(n) {}

    RmsNormalisedWindow body_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Reflex);

}  // namespace torvex
