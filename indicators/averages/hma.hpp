// Hull moving average: a weighted average of length round(sqrt(n)) over
// 2·WMA(n / 2) − WMA(n), which cancels most of the weighted average's lag.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/averages/wma.hpp"

namespace torvex {

// The inner lengths of the Hull family: max(1, floor(n / 2)) and
// max(1, round(sqrt(n))), the root rounded half away from zero.
struct HullLengths {
    std::uint64_t half;
    std::uint64_t root;
};
HullLengths hull_lengths(std::uint64_t n);

class Hma final : public CloseIndicator<Hma> {
public:
    static std::expected<Hma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return period_ + smooth_.period() - 1; }

private:
    Hma(WmaCore half, WmaCore full, WmaCore smooth, std::uint64_t n)
        : half_(std::move(half)), full_(std::move(full)), smooth_(std::move(smooth)), period_(n) {}

    WmaCore half_;
    WmaCore full_;
    WmaCore smooth_;
    std::uint64_t period_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Hma);

}  // namespace torvex
