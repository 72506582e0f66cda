// Three-line break: the direction of the line-break chart of the closes. A new line
// continues the trend past the last line, or reverses it past every one of the last n
// lines.
#pragma once

#include <algorithm>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>

#include "indicators/cores/fixed_ring.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class ThreeLineBreak final : public CandleIndicator<ThreeLineBreak> {
public:
    // n == 0: ZeroPeriod; above MAX_PERIOD: the maximum text.
    static std::expected<ThreeLineBreak, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(const Ohlcv& bar) {
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
    std::uint64_t warmup() const override { return 2; }

private:
    explicit ThreeLineBreak(std::uint64_t n) : lines_(n + 1), n_(n) {}

    FixedRing<double> lines_;  // the last n lines, oldest first (room for one more)
    std::uint64_t n_;
    int direction_ = 0;  // 0 none, +1 up, -1 down
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, ThreeLineBreak);

}  // namespace torvex
