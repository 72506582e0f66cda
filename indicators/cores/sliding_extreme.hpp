// The largest (or smallest) of the values pushed within the last span of sequence
// numbers, by a monotone queue: amortised O(1) per push, exact (values are only
// compared, never combined). Storage for `capacity` entries is allocated once. A
// value tied with a newer one gives way to it, and so does every value before a NaN.
#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

#include "indicators/cores/sliding_extremes.hpp"

namespace torvex {

enum class Extreme : std::uint8_t { Largest, Smallest };

namespace detail {
struct NotStrictlyAbove {
    static bool gives_way(double kept, double incoming) { return !(kept > incoming); }
};
struct NotStrictlyBelow {
    static bool gives_way(double kept, double incoming) { return !(kept < incoming); }
};
}  // namespace detail

template <Extreme Which>
class SlidingExtreme {
public:
    // capacity >= 1: the most entries alive at once (the span of the window).
    explicit SlidingExtreme(std::uint64_t capacity) : queue_(capacity) {}

    // Drops the entries pushed before sequence number `first`.
    void expire_before(std::uint64_t first) { queue_.expire_before(first); }

    // Adds v under sequence number seq (increasing from push to push).
    void push(std::uint64_t seq, double v) { queue_.push(seq, v); }

    // The extreme of the live entries, or nothing when none is alive.
    std::optional<double> value() const {
        if (queue_.empty()) return std::nullopt;
        return queue_.front().value;
    }

private:
    using Policy = std::conditional_t<Which == Extreme::Largest, detail::NotStrictlyAbove, detail::NotStrictlyBelow>;
    ExtremeQueue<Policy> queue_;
};

}  // namespace torvex
