// Geometric moving average: the exponential of the mean logarithm of the window.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/indicator.hpp"
#include "indicators/cores/summed_window.hpp"

namespace torvex {

class GeometricMa final : public CloseIndicator<GeometricMa> {
public:
    static std::expected<GeometricMa, IndicatorError> create(std::uint64_t n);

    // Refuses a close not above zero (no logarithm) as well as a non-finite one.
    std::optional<double> step(double close) {
        if (!(close > 0.0)) return std::nullopt;
        const double l = std::log(close);
        // The oldest logarithm leaves before the new one comes in; the re-sum then adds
        // exactly the n held.
        if (logs_.full()) logs_.drop_oldest();
        logs_.append(l);
        logs_.count_update();
        if (!logs_.full()) return std::nullopt;
        return std::exp(logs_.sum() / static_cast<double>(logs_.period()));
    }
    std::uint64_t warmup() const override { return logs_.period(); }

private:
    explicit GeometricMa(SummedWindow logs) : logs_(std::move(logs)) {}

    SummedWindow logs_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, GeometricMa);

}  // namespace torvex
