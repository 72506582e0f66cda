// Chaikin money flow: the money-flow volume of the last n bars over their volume.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

class ChaikinMoneyFlow final : public CandleIndicator<ChaikinMoneyFlow> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<ChaikinMoneyFlow, IndicatorError> create(std::uint64_t n);

    // Σ money-flow volume / Σ volume once n bars are held; 0 for a window without volume.
    std::optional<double> step(const Ohlcv& bar) {
        flows_.push(money_flow_volume(bar));
        volumes_.push(bar.volume);
        if (!volumes_.full()) return std::nullopt;
        if (volumes_.sum() == 0.0) return 0.0;
        return flows_.sum() / volumes_.sum();
    }
    std::uint64_t warmup() const override { return volumes_.period(); }

private:
    explicit ChaikinMoneyFlow(std::uint64_t n) : flows_(n), volumes_(n) {}

    // The volume sum is tested for zero, so both sums are re-added every n bars.
    ResummedRing flows_;
    ResummedRing volumes_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ChaikinMoneyFlow);

}  // namespace torvex
