// Population standard deviation of the last n closes.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/variance.hpp"

namespace torvex {

class StdDev final : public CloseIndicator<StdDev> {
public:
    static std::expected<StdDev, IndicatorError> create(std::uint64_t n);

    // No input guard (the base refuses a non-finite close).
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        last_ = std::sqrt(window_.variance());
        return last_;
    }
    std::uint64_t warmup() const override { return window_.period(); }

    // A whole close column: the window's column run, the last answer kept as
    // stepping would keep it.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        const std::size_t produced =
            window_.run_column(closes, count, out, [](double variance) { return std::sqrt(variance); });
        if (produced > 0) last_ = out[produced - 1];
    }

    // The last answer, for owners that read it after a bar without one.
    std::optional<double> last() const { return last_; }

private:
    explicit StdDev(VarianceWindow window) : window_(std::move(window)) {}

    std::optional<double> last_;
    VarianceWindow window_;
};

}  // namespace torvex
