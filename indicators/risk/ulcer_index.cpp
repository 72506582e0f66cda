#include "indicators/risk/ulcer_index.hpp"

#include <cmath>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

std::expected<UlcerIndex, IndicatorError> UlcerIndex::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return UlcerIndex(n);
}

std::optional<double> UlcerIndex::step(double close) {
    bar_index_ += 1;
    const std::uint64_t i = bar_index_;
    while (!max_queue_.empty() && close >= max_queue_.back().second) max_queue_.pop_back();
    max_queue_.emplace_back(i, close);
    const std::uint64_t oldest = i >= period_ - 1 ? i - (period_ - 1) : 0;
    while (max_queue_.front().first < oldest) max_queue_.pop_front();
    if (i < period_) return std::nullopt;

    const double max = max_queue_.front().second;
    double sq = 0.0;
    if (max != 0.0) {
        const double pct = ((close - max) * 100.0) / max;
        sq = pct * pct;
    }
    if (const auto old = sq_window_.push(sq)) sq_sum_ = sq_sum_ - *old;
    sq_sum_ = sq + sq_sum_;
    since_resum_ += 1;
    if (since_resum_ >= period_) {
        sq_sum_ = -0.0;
        for (double v : sq_window_) sq_sum_ += v;
        since_resum_ = 0;
    }
    if (!sq_window_.full()) return std::nullopt;
    // A rounding residue can leave the running sum of squares just below 0 between
    // two re-sums; it is read as 0 rather than answering a NaN.
    last_ = std::sqrt(max_num(sq_sum_, 0.0) / static_cast<double>(period_));
    return last_;
}

}  // namespace torvex
