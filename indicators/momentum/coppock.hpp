// Coppock curve: a weighted average of the sum of two rates of change of the close.
#pragma once

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

    std::optional<double> step(double close);
    std::uint64_t warmup() const override;

private:
    Coppock(LagWindow first, LagWindow second, WmaCore average)
        : first_(std::move(first)), second_(std::move(second)), average_(std::move(average)) {}

    LagWindow first_;
    LagWindow second_;
    WmaCore average_;
};

}  // namespace torvex
