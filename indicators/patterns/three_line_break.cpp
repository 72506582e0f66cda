#include "indicators/patterns/three_line_break.hpp"

#include <algorithm>
#include <limits>

namespace torvex {

std::expected<ThreeLineBreak, IndicatorError> ThreeLineBreak::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return ThreeLineBreak(n);
}

std::optional<double> ThreeLineBreak::step(const Ohlcv& bar) {
    const double close = bar.close;
    if (lines_.size() == 0) {
        lines_.push_back(close);
        return std::nullopt;
    }
    double greatest = -std::numeric_limits<double>::infinity();
    double least = std::numeric_limits<double>::infinity();
    lines_.for_each([&](double line) {
        greatest = std::max(greatest, line);
        least = std::min(least, line);
    });
    const double last = lines_.from_newest(0);
    int next = 0;  // the direction of a new line, 0 for none
    if (direction_ == -1) {
        if (close < last) {
            next = -1;
        } else if (close > greatest) {
            next = 1;
        }
    } else {
        if (close > last) {
            next = 1;
        } else if (close < least) {
            next = -1;
        }
    }
    if (next != 0) {
        direction_ = next;
        lines_.push_back(close);
        if (lines_.size() > n_) lines_.drop_oldest();
    }
    if (direction_ == 0) return std::nullopt;
    return static_cast<double>(direction_);
}

}  // namespace torvex
