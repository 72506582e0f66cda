// Triple exponential moving average: 3·e1 − 3·e2 + e3 over three chained averages.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/ema_chain.hpp"

namespace torvex {

class Tema final : public CloseIndicator<Tema> {
public:
    static std::expected<Tema, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        if (!chain_.advance(close)) return std::nullopt;
        return answer({chain_.value(0), chain_.value(1), chain_.value(2)});
    }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        chain_.run_closes(closes, n, out, [this](double close) { return step(close); }, answer);
    }
    std::uint64_t warmup() const override { return chain_.warmup(); }

private:
    static double answer(const std::array<double, 3>& e) { return (e[0] * 3.0 - e[1] * 3.0) + e[2]; }

    explicit Tema(EmaChain<3> chain) : chain_(std::move(chain)) {}
    EmaChain<3> chain_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Tema);

}  // namespace torvex
