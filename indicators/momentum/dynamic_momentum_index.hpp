// Dynamic momentum index: an RSI-style ratio of up and down changes whose length
// shortens when the short-term volatility runs above its average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"
#include "indicators/cores/sma_core.hpp"
#include "indicators/statistics/variance.hpp"

namespace torvex {

class DynamicMomentumIndex final : public CloseIndicator<DynamicMomentumIndex> {
public:
    // p: the base length, scaled by average volatility over current volatility.
    static std::expected<DynamicMomentumIndex, IndicatorError> create(std::uint64_t p);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 31; }

private:
    static constexpr std::uint64_t kDeviationLen = 5;
    static constexpr std::uint64_t kAverageLen = 10;
    static constexpr std::uint64_t kMaxChanges = 30;
    static constexpr std::uint64_t kMinChanges = 5;

    DynamicMomentumIndex(VarianceWindow deviation, SmaCore average, std::uint64_t p)
        : deviation_(std::move(deviation)), changes_(kMaxChanges), average_(std::move(average)), base_period_(p) {}

    VarianceWindow deviation_;
    std::optional<double> sd_;
    std::optional<double> prev_;
    FixedRing<double> changes_;
    SmaCore average_;
    std::optional<double> average_sd_;
    std::uint64_t base_period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, DynamicMomentumIndex);

}  // namespace torvex
