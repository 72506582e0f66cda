// Exponential Hull average: the Hull construction over seeded exponential
// averages instead of weighted ones.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Ehma final : public CloseIndicator<Ehma> {
public:
    static std::expected<Ehma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        const std::optional<double> half = half_.step(close);
        const std::optional<double> full = full_.step(close);
        if (!half || !full) return std::nullopt;
        const double d = 2.0 * *half - *full;
        if (!is_finite(d)) return std::nullopt;
        return smooth_.step(d);
    }
    std::uint64_t warmup() const override { return full_.period() + smooth_.period() - 1; }

private:
    Ehma(std::uint64_t half, std::uint64_t n, std::uint64_t root) : half_(half), full_(n), smooth_(root) {}

    SeededEma half_;
    SeededEma full_;
    SeededEma smooth_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Ehma);

}  // namespace torvex
