// Population variance of the last n closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/variance_window.hpp"

namespace torvex {

class Variance final : public CloseIndicator<Variance> {
public:
    static std::expected<Variance, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        return window_.variance();
    }
    std::uint64_t warmup() const override { return window_.period(); }

    // A whole close column: the window's column run.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        window_.run_column(closes, count, out, [](auto variance) { return variance; });
    }

private:
    explicit Variance(VarianceWindow window) : window_(std::move(window)) {}
    VarianceWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Variance);

}  // namespace torvex
