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

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return body_.period() + 1; }

private:
    explicit Reflex(std::uint64_t n) : body_(n) {}

    RmsNormalisedWindow body_;
};

}  // namespace torvex
