// Generalised double exponential average: e1·(1 + v) − e2·v, with e2 the average
// of e1; v = 1 gives the classic DEMA, v = 0 the plain average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/ema_chain.hpp"

namespace torvex {

class GeneralizedDema final : public CloseIndicator<GeneralizedDema> {
public:
    // v must be finite and within [0, 1].
    static std::expected<GeneralizedDema, IndicatorError> create(std::uint64_t n, double v);

    std::optional<double> step(double close) {
        const auto e = chain_.step(close);
        if (!e) return std::nullopt;
        const auto [e1, e2] = *e;
        return e1 * (1.0 + v_) - e2 * v_;
    }
    std::uint64_t warmup() const override { return chain_.warmup(); }

private:
    GeneralizedDema(EmaChain<2> chain, double v) : chain_(std::move(chain)), v_(v) {}

    EmaChain<2> chain_;
    double v_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, GeneralizedDema);

}  // namespace torvex
