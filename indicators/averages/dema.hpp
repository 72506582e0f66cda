// Double exponential average: twice an average of the close minus the average of
// that average, which cancels most of the single average's lag.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Dema final : public CloseIndicator<Dema> {
public:
    static std::expected<Dema, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) {
        const std::optional<double> e1 = first_.step(close);
        // An overflowed first average must not poison the second for good.
        if (!e1 || !is_finite(*e1)) return std::nullopt;
        const std::optional<double> e2 = second_.step(*e1);
        if (!e2) return std::nullopt;
        return (*e1 + *e1) - *e2;
    }
    // The second average seeds on the n-th value of the first, which comes on bar n.
    std::uint64_t warmup() const override { return 2 * first_.period() - 1; }

private:
    explicit Dema(std::uint64_t n) : first_(n), second_(n) {}

    SeededEma first_;
    SeededEma second_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Dema);

}  // namespace torvex
