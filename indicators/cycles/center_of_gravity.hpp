// Ehlers' center of gravity oscillator: the balance point of the last n closes,
// weighted 1 for the newest up to n for the oldest, around the window's middle.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/mirrored_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class CenterOfGravity final : public CloseIndicator<CenterOfGravity> {
public:
    static std::expected<CenterOfGravity, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_; }

private:
    explicit CenterOfGravity(std::uint64_t n) : window_(n), period_(n) {}

    MirroredWindow window_;
    std::uint64_t period_;
};

}  // namespace torvex
