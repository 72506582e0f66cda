#include "indicators/cores/aroon_window.hpp"

namespace torvex {

std::expected<AroonWindow, IndicatorError> AroonWindow::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return AroonWindow(n);
}

template <class Beaten>
void AroonWindow::enter(CappedRing<Entry>& queue, double value, Beaten beaten) const {
    // Bar `count_` has just come; the window holds bars count_ − n .. count_.
    if (!queue.empty() && queue.front().seq + period_ < count_) queue.pop_front();
    while (!queue.empty() && beaten(queue.back().value, value)) queue.pop_back();
    queue.push(Entry{count_, value});
}

std::optional<AroonPair> AroonWindow::step(const Ohlcv& bar) {
    enter(highs_, bar.high, [](double kept, double v) { return kept <= v; });
    enter(lows_, bar.low, [](double kept, double v) { return kept >= v; });
    count_ += 1;
    if (count_ <= period_) return std::nullopt;
    const std::uint64_t oldest = count_ - 1 - period_;
    const double n = static_cast<double>(period_);
    return AroonPair{static_cast<double>(highs_.front().seq - oldest) * 100.0 / n,
                     static_cast<double>(lows_.front().seq - oldest) * 100.0 / n};
}

}  // namespace torvex
