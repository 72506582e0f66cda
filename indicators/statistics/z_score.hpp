// Distance of the close from the mean of the last n closes, in population standard
// deviations.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/variance.hpp"

namespace torvex {

class ZScore final : public CloseIndicator<ZScore> {
public:
    static std::expected<ZScore, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        // Both from one packed division (the same bits as mean() and variance()).
        const ShiftedSums::Moments m = window_.moments();
        // A flat window has no spread to measure the distance in.
        if (m.variance == 0.0) return 0.0;
        return (close - m.mean) / std::sqrt(m.variance);
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit ZScore(VarianceWindow window) : window_(std::move(window)) {}
    VarianceWindow window_;
};

}  // namespace torvex
