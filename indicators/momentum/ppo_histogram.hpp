// PPO histogram: the percentage price oscillator minus its signal average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/momentum/ppo.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class PpoHistogram final : public CloseIndicator<PpoHistogram> {
public:
    static std::expected<PpoHistogram, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                              std::uint64_t signal);

    std::optional<double> step(double close) {
        const std::optional<double> ppo = line_.step(close);
        if (!ppo || !is_finite(*ppo)) return std::nullopt;
        const std::optional<double> signal = signal_.step(*ppo);
        if (!signal) return std::nullopt;
        return *ppo - *signal;
    }
    std::uint64_t warmup() const override { return line_.slow_period() + signal_.period() - 1; }

private:
    PpoHistogram(PpoLine line, SeededEma signal) : line_(line), signal_(signal) {}

    PpoLine line_;
    SeededEma signal_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, PpoHistogram);

}  // namespace torvex
