// Tillson's T3: six chained exponential averages combined with coefficients of the
// volume factor v, so that the result tracks like a lag-reduced third average.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/ema_chain.hpp"

namespace torvex {

class T3 final : public CloseIndicator<T3> {
public:
    // v must be finite and within [0, 1].
    static std::expected<T3, IndicatorError> create(std::uint64_t n, double v);

    std::optional<double> step(double close) {
        if (!chain_.advance(close)) return std::nullopt;
        return answer(chain_.value(5), chain_.value(4), chain_.value(3), chain_.value(2));
    }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        chain_.run_closes(
            closes, n, out, [this](double close) { return step(close); },
            [this](const std::array<double, 6>& e) { return answer(e[5], e[4], e[3], e[2]); });
    }
    std::uint64_t warmup() const override { return chain_.warmup(); }

    // Weights of the sixth, fifth, fourth and third averages; they add up to 1.
    double c6() const { return c6_; }
    double c5() const { return c5_; }
    double c4() const { return c4_; }
    double c3() const { return c3_; }

private:
    double answer(double e6, double e5, double e4, double e3) const {
        return ((c6_ * e6 + c5_ * e5) + c4_ * e4) + c3_ * e3;
    }

    T3(EmaChain<6> chain, double v);

    EmaChain<6> chain_;
    double c6_;
    double c5_;
    double c4_;
    double c3_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, T3);

}  // namespace torvex
