// Ehlers' center of gravity oscillator: the balance point of the last n closes,
// weighted 1 for the newest up to n for the oldest, around the window's middle.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class CenterOfGravity final : public CloseIndicator<CenterOfGravity> {
public:
    static std::expected<CenterOfGravity, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        window_.push(close);
        if (!window_.full()) return std::nullopt;
        const std::span<const double> w = window_.view();
        double num = 0.0;
        double den = 0.0;
        double weight = 1.0;
        for (std::size_t i = w.size(); i-- > 0;) {
            num += weight * w[i];
            den += w[i];
            weight += 1.0;
        }
        if (!(std::fabs(den) > 2.220446049250313e-16)) return 0.0;
        return (static_cast<double>(period_) + 1.0) * 0.5 - num / den;
    }
    std::uint64_t warmup() const override { return period_; }

private:
    explicit CenterOfGravity(std::uint64_t n) : window_(n), period_(n) {}

    MirroredWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
