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

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 3 * e1_.period() - 1; }

private:
    explicit Trix(std::uint64_t n) : e1_(n), e2_(n), e3_(n) {}

    std::optional<double> prev_;  // the previous triple-smoothed value
    SeededEma e1_;
    SeededEma e2_;
    SeededEma e3_;
};

}  // namespace torvex
