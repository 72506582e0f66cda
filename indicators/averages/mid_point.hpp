// Middle of the highest and lowest close of the window, by the sliding extremes: the
// oldest of equal extremes, as a scan of the window finds, at a cost per bar that does
// not grow with the window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

class MidPoint final : public CloseIndicator<MidPoint> {
public:
    static std::expected<MidPoint, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) {
        extremes_.push(close, close);
        if (!extremes_.full()) return std::nullopt;
        return midpoint(extremes_.highest(), extremes_.lowest());
    }
    std::uint64_t warmup() const override { return extremes_.period(); }

    // A whole close column: bar by bar while the window fills, then the rest of the
    // column at once where the sliding extremes take runs (a window of 5 to 4096
    // closes), stretch by stretch between refused closes where there are any; else
    // bar by bar.
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t count, double* __restrict out) {
        std::size_t r = 0;
        for (; r < count && !extremes_.full(); ++r)
            out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
        if (extremes_.takes_runs()) {
            if (extremes_.run(closes + r, closes + r, count - r, out + r, middle)) return;
            while (r < count) {
                std::size_t end = r;
                while (end < count && is_finite(closes[end])) ++end;
                if (!extremes_.run(closes + r, closes + r, end - r, out + r, middle))
                    for (; r < end; ++r) out[r] = step(closes[r]).value_or(0.0);
                if (end < count) out[end] = 0.0;  // refused: nothing changes
                r = end + 1;
            }
            return;
        }
        for (; r < count; ++r) out[r] = is_finite(closes[r]) ? step(closes[r]).value_or(0.0) : 0.0;
    }

private:
    static double middle(std::size_t /*k*/, double highest, double lowest) { return midpoint(highest, lowest); }

    // Accepted closes are finite.
    explicit MidPoint(std::uint64_t n) : extremes_(n, ExtremeInputs::NeverNaN) {}

    SlidingExtremes extremes_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, MidPoint);

}  // namespace torvex
