// Coppock curve: a weighted average of the sum of two rates of change of the close.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/momentum/rate_of_change.hpp"
#include "indicators/averages/wma.hpp"

namespace torvex {

class Coppock final : public CloseIndicator<Coppock> {
public:
    static std::expected<Coppock, IndicatorError> create(std::uint64_t r1, std::uint64_t r2, std::uint64_t w);

    std::optional<double> step(double close) {
        // Both stages see every close, whether or not the other has a rate yet.
        const std::optional<double> old1 = first_.push(close);
        const std::optional<double> old2 = second_.push(close);
        if (!old1 || !old2) return std::nullopt;
        const double roc1 = lag_formula::RatePercent::apply(close, *old1);
        const double roc2 = lag_formula::RatePercent::apply(close, *old2);
        return average_.step(roc1 + roc2);
    }
    std::uint64_t warmup() const override;

private:
    Coppock(LagWindow first, LagWindow second, WmaCore average)
        : first_(std::move(first)), second_(std::move(second)), average_(std::move(average)) {}

    LagWindow first_;
    LagWindow second_;
    WmaCore average_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Coppock);

}  // namespace torvex
