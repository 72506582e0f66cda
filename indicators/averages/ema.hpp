// Exponential moving average of the close, seeded with the simple mean of the
// first n closes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/ema_chain.hpp"

namespace torvex {

class Ema final : public CloseIndicator<Ema> {
public:
    static std::expected<Ema, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!chain_.advance(close)) return std::nullopt;
        return chain_.value(0);
    }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        chain_.run_closes(
            closes, n, out, [this](double close) { return step(close); },
            [](const std::array<double, 1>& v) { return v[0]; });
    }
    std::uint64_t warmup() const override { return chain_.warmup(); }

private:
    explicit Ema(EmaChain<1> chain) : chain_(std::move(chain)) {}
    EmaChain<1> chain_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Ema);

}  // namespace torvex
