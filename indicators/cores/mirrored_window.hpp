// The last n values in arrival order, always readable as one contiguous span: the
// fixed ring in its mirrored layout, allocated once at construction.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {

class MirroredWindow {
public:
    // n checked by the owner (1..MAX_PERIOD, or a small multiple of it).
    explicit MirroredWindow(std::uint64_t n) : ring_(n) {}

    // Appends v; when n values are held the oldest leaves first and is answered.
    std::optional<double> push(double v) { return ring_.push(v); }

    // Oldest first, newest last.
    std::span<const double> view() const { return ring_.view(); }
    double newest() const { return ring_.back(); }
    double oldest() const { return ring_.front(); }

    std::uint64_t size() const { return ring_.size(); }
    bool full() const { return ring_.full(); }
    std::uint64_t period() const { return ring_.capacity(); }

private:
    FixedRing<double, RingLayout::Mirrored> ring_;
};

}  // namespace torvex
