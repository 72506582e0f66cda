// The close scaled to the range of the last n closes (itself included): 0 at the
// low, 1 at the high, 0.5 for a flat window.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class RollingMinMaxScaler final : public CloseIndicator<RollingMinMaxScaler> {
public:
    // Zero period, above MAX_PERIOD, then 1: "min-max scaler needs period >= 2".
    static std::expected<RollingMinMaxScaler, IndicatorError> create(std::uint64_t n);

    // The window's extremes slide with it (the oldest of equal extremes, as a scan
    // from the oldest finds): a cost per value that does not grow with the window.
    [[gnu::always_inline]] std::optional<double> step(double close) {
        extremes_.push(close, close);
        if (!extremes_.full()) return std::nullopt;
        const double hi = extremes_.highest(), lo = extremes_.lowest();
        const double span = hi - lo;
        if (!(span > 0.0)) return 0.5;
        return (close - lo) / span;
    }
    std::uint64_t warmup() const override { return extremes_.period(); }

private:
    // Accepted closes are finite.
    explicit RollingMinMaxScaler(std::uint64_t n) : extremes_(n, ExtremeInputs::NeverNaN) {}

    SlidingExtremes extremes_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, RollingMinMaxScaler);

}  // namespace torvex
