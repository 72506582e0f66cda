// Ehlers' decycler oscillator: the fast decycler less the slow one.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/ehlers_filter_cores.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class DecyclerOscillator final : public CloseIndicator<DecyclerOscillator> {
public:
    // fast below slow; slow bounded by MAX_PERIOD; fast 2 at least (the high-pass poles).
    static std::expected<DecyclerOscillator, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    std::optional<double> step(double close) {
        const double hp_fast = fast_.step(close);
        const double hp_slow = slow_.step(close);
        return (close - hp_fast) - (close - hp_slow);
    }
    std::uint64_t warmup() const override { return 1; }

private:
    DecyclerOscillator(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    TwoPoleHighpassCore fast_;
    TwoPoleHighpassCore slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, DecyclerOscillator);

}  // namespace torvex
