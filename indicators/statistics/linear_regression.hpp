// Value at the newest position of the least-squares line through the last n closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

class LinearRegression final : public CloseIndicator<LinearRegression> {
public:
    // n below 2: "linear regression needs period >= 2"; above MAX_PERIOD: refused.
    static std::expected<LinearRegression, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) { return line_.step(close); }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        line_.run_values(closes, n, out, [this](const auto& l) { return line_.value(l); });
    }
    std::uint64_t warmup() const override { return line_.period(); }

private:
    explicit LinearRegression(LinRegCore line) : line_(std::move(line)) {}
    LinRegCore line_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LinearRegression);

}  // namespace torvex
