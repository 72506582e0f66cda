// True strength index: the one-bar momentum smoothed twice, over its magnitude
// smoothed the same way, in percent.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/decay_scale.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Tsi final : public CloseIndicator<Tsi> {
public:
    // r: first smoothing, s: second smoothing.
    static std::expected<Tsi, IndicatorError> create(std::uint64_t r, std::uint64_t s);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return momentum1_.period() + momentum2_.period(); }

private:
    Tsi(std::uint64_t r, std::uint64_t s) : momentum1_(r), momentum2_(s), magnitude1_(r), magnitude2_(s) {}

    // A run of repeated closes decays all four averages alike. Once the magnitude falls
    // below DecayScale::kLow they are held times a power of two (the magnitudes lead:
    // neither momentum average exceeds its magnitude), and these steps take the bars.
    [[gnu::noinline]] std::optional<double> step_scaled(double m);
    [[gnu::noinline]] double scaled_answer();

    std::optional<double> prev_;
    SeededEma momentum1_;
    SeededEma momentum2_;
    SeededEma magnitude1_;
    SeededEma magnitude2_;
    DecayScale scale_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Tsi);

}  // namespace torvex
