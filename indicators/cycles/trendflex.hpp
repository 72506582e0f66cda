// Ehlers' trendflex: the mean rise of the smoothed close over its last n values,
// normalised by its running root mean square.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/rms_normalised_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Trendflex final : public CloseIndicator<Trendflex> {
public:
    static std::expected<Trendflex, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        return body_.step(close, [](std::span<const double> w) {
            const std::size_t n = w.size() - 1;
            const double newest = w[n];
            double sum = 0.0;
            for (std::size_t k = 1; k <= n; ++k) sum = sum + (newest - w[n - k]);
            return sum / static_cast<double>(n);
        });
    }
    std::uint64_t warmup() const override { return body_.period() + 1; }

private:
    explicit Trendflex(std::uint64_t n) : body_(n) {}

    RmsNormalisedWindow body_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Trendflex);

}  // namespace torvex
