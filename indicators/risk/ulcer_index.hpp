// Ulcer index of the close: the root mean square of the percentage drawdowns from
// the rolling n-close maximum, over the last n drawdowns.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

class UlcerIndex final : public CloseIndicator<UlcerIndex> {
public:
    // Z then M on n.
    static std::expected<UlcerIndex, IndicatorError> create(std::uint64_t n);

    // The first drawdown is recorded at close n, the first answer comes at 2n − 1.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 2 * period_ - 1; }

private:
    explicit UlcerIndex(std::uint64_t n) : max_queue_(n), sq_window_(n), period_(n) {}

    std::optional<double> last_;
    // Monotone queue of (bar index, close), closes falling from the front: the
    // front is the highest close of the last n (the newest of equal highs).
    ExtremeQueue<NotAboveIncoming> max_queue_;
    ResummedRing sq_window_;  // squared drawdowns and their sum
    std::uint64_t period_;
    std::uint64_t bar_index_ = 0;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, UlcerIndex);

}  // namespace torvex
