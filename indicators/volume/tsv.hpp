// Time segmented volume: the sum of volume × close change over the last n bars.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/volume_force_step.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Tsv final : public CandleIndicator<Tsv> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<Tsv, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> t = force_.push(bar);
        if (!t) return std::nullopt;
        terms_.push(*t);
        if (!terms_.full()) return std::nullopt;
        return terms_.sum();
    }
    std::uint64_t warmup() const override { return terms_.period() + 1; }

private:
    explicit Tsv(std::uint64_t n) : terms_(n) {}

    VolumeForceStep force_;
    // The answer is the sum itself, so it is re-added every n bars: a huge term that
    // has left the window cannot keep spoiling the sum of the small ones after it.
    ResummedRing terms_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, Tsv);

}  // namespace torvex
