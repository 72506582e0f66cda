// Simple average over `period` bars of the record-high percent: new highs as a share
// of new highs plus new lows, in %.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sma_core.hpp"
#include "indicators/breadth/breadth_feed.hpp"

namespace torvex {

class HighLowIndex final : public BreadthIndicator<HighLowIndex> {
public:
    static std::expected<HighLowIndex, IndicatorError> create(std::uint64_t period);

    std::optional<double> step(const CrossSection& panel);
    std::uint64_t warmup() const override { return average_.period(); }

private:
    explicit HighLowIndex(SmaCore average) : average_(std::move(average)) {}

    SmaCore average_;
};

}  // namespace torvex
