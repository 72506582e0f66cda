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

    std::optional<double> step(double close);
    // The second average seeds on the n-th value of the first, which comes on bar n.
    std::uint64_t warmup() const override { return 2 * first_.period() - 1; }

private:
    explicit Dema(std::uint64_t n) : first_(n), second_(n) {}

    SeededEma first_;
    SeededEma second_;
};

}  // namespace torvex
