// Ulcer index of the close: the root mean square of the percentage drawdowns from
// the rolling n-close maximum, over the last n drawdowns.
#pragma once

#include <cstdint>
#include <deque>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/indicator.hpp"
#include "indicators/cores/value_ring.hpp"

namespace torvex {

class UlcerIndex final : public CloseIndicator<UlcerIndex> {
public:
    // Z then M on n.
    static std::expected<UlcerIndex, IndicatorError> create(std::uint64_t n);

    // The first drawdown is recorded at close n, the first answer comes at 2n − 1.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 2 * period_ - 1; }

private:
    explicit UlcerIndex(std::uint64_t n) : sq_window_(n), period_(n) {}

    std::optional<double> last_;
    // Monotone queue of (bar index, close), closes falling from the front: the
    // front is the highest close of the last n.
    std::deque<std::pair<std::uint64_t, double>> max_queue_;
    ValueRing sq_window_;  // squared drawdowns
    std::uint64_t period_;
    std::uint64_t bar_index_ = 0;
    double sq_sum_ = 0.0;
    std::uint64_t since_resum_ = 0;
};

}  // namespace torvex
