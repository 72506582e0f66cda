// McGinley dynamic: a moving average whose speed adapts to the ratio of the close
// to the average, seeded with the simple mean of the first n closes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/averages/smma.hpp"

namespace torvex {

class McGinleyDynamic final : public MeanSeeded<McGinleyDynamic> {
public:
    static std::expected<McGinleyDynamic, IndicatorError> create(std::uint64_t n);

    double next(double value, double close) const;

private:
    explicit McGinleyDynamic(std::uint64_t n) : MeanSeeded(n) {}
};

}  // namespace torvex
