// Zig-zag swing tracker: follows the highs and lows of accepted bars and confirms a
// turning point once price has moved back from the running extreme by a fixed
// fraction. The most recent confirmed points are kept, oldest first, in a small
// inline list, so a step never allocates.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

namespace torvex {

// One confirmed turning point.
struct Pivot {
    double price = 0.0;      // the extreme of the leg that ended here
    double direction = 0.0;  // +1.0 for a top, -1.0 for a bottom
    std::uint64_t bar = 0;   // tracker index of the bar that set the extreme

    friend bool operator==(const Pivot&, const Pivot&) = default;
};

// Smallest positive normal double: the floor of every relative tolerance, so that
// two zero prices still count as equal.
inline constexpr double kToleranceFloor = 2.2250738585072014e-308;

// |a - b| <= frac * max(|a|, |b|, floor); a NaN operand of the maximum is ignored,
// and the comparison itself fails for NaN.
inline bool near_within(double a, double b, double frac) {
    const double m = std::fmax(std::fmax(std::fabs(a), std::fabs(b)), kToleranceFloor);
    return std::fabs(a - b) <= frac * m;
}

class SwingTracker {
public:
    // The most pivots any owner keeps.
    static constexpr std::size_t kCapacity = 8;

    // `max_pivots` is a fixed setting of the owner; a larger one is held to kCapacity.
    constexpr SwingTracker(double reversal, std::size_t max_pivots)
        : reversal_(reversal), max_pivots_(max_pivots < kCapacity ? max_pivots : kCapacity) {}

    // Advances one bar; true exactly when this bar confirmed a new pivot. A bar that
    // makes a new extreme never confirms one, even when its other end lies beyond
    // the reversal threshold.
    bool step(double high, double low) {
        const std::uint64_t i = bar_count_;
        bar_count_ = i + 1;
        if (!started_) {
            started_ = true;
            direction_ = 1.0;
            extreme_ = high;
            extreme_bar_ = i;
            return false;
        }
        if (direction_ > 0.0) {
            if (high > extreme_) {
                extreme_ = high;
                extreme_bar_ = i;
                return false;
            }
            if (!(low <= (1.0 - reversal_) * extreme_)) return false;
            append({extreme_, 1.0, extreme_bar_});
            direction_ = -1.0;
            extreme_ = low;
        } else {
            if (low < extreme_) {
                extreme_ = low;
                extreme_bar_ = i;
                return false;
            }
            if (!(high >= (reversal_ + 1.0) * extreme_)) return false;
            append({extreme_, -1.0, extreme_bar_});
            direction_ = 1.0;
            extreme_ = high;
        }
        extreme_bar_ = i;
        return true;
    }

    // The confirmed pivots, oldest first.
    std::span<const Pivot> pivots() const { return {list_.data(), size_}; }
    std::size_t size() const { return size_; }
    // Steps taken; the bar stepped last has index bar_count() - 1.
    std::uint64_t bar_count() const { return bar_count_; }

private:
    // Appends and, past the bound, drops the oldest pivot.
    void append(const Pivot& p) {
        if (size_ < max_pivots_) {
            list_[size_++] = p;
            return;
        }
        if (max_pivots_ == 0) return;
        for (std::size_t k = 1; k < size_; ++k) list_[k - 1] = list_[k];
        list_[size_ - 1] = p;
    }

    std::array<Pivot, kCapacity> list_{};
    std::size_t size_ = 0;
    double reversal_;
    std::size_t max_pivots_;
    double direction_ = 1.0;
    double extreme_ = 0.0;
    std::uint64_t extreme_bar_ = 0;
    std::uint64_t bar_count_ = 0;
    bool started_ = false;
};

}  // namespace torvex
