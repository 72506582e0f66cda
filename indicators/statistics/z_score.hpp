// Distance of the close from the mean of the last n closes, in population standard
// deviations.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/variance.hpp"

namespace torvex {

class ZScore final : public CloseIndicator<ZScore> {
public:
    static std::expected<ZScore, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit ZScore(VarianceWindow window) : window_(std::move(window)) {}
    VarianceWindow window_;
};

}  // namespace torvex
