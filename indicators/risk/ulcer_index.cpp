#include "indicators/risk/ulcer_index.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, UlcerIndex);

std::expected<UlcerIndex, IndicatorError> UlcerIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return UlcerIndex(n);
}

std::optional<double> UlcerIndex::step(double close) {
    bar_index_ += 1;
    const std::uint64_t i = bar_index_;
    const std::uint64_t oldest = i >= period_ - 1 ? i - (period_ - 1) : 0;
    max_queue_.expire_front_before(oldest);
    max_queue_.push(i, close);
    if (i < period_) return std::nullopt;

    const double max = max_queue_.front().value;
    double sq = 0.0;
    if (max != 0.0) {
        const double pct = ((close - max) * 100.0) / max;
        sq = pct * pct;
    }
    sq_window_.push(sq);
    if (!sq_window_.full()) return std::nullopt;
    // A rounding residue can leave the running sum of squares just below 0 between
    // two re-sums; it is read as 0 rather than answering a NaN.
    const double value = std::sqrt(max_num(sq_window_.sum(), 0.0) / static_cast<double>(period_));
    // Answered from the value itself: a copy of last_ read back just after its two
    // parts were stored would wait for those stores to reach the cache.
    last_ = value;
    return value;
}

}  // namespace torvex
