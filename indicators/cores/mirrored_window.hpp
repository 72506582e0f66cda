// The last n values in arrival order, always readable as one contiguous span: a
// ring written twice (at slot i and i + n), so the window never wraps. While it
// fills it grows with the data; the mirror half is laid out once, on the first push
// that evicts, and no later push allocates.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace torvex {

class MirroredWindow {
public:
    // n checked by the owner (1..MAX_PERIOD, or a small multiple of it).
    explicit MirroredWindow(std::uint64_t n) : period_(n) {}

    // Appends v; when n values are held the oldest leaves first and is answered.
    std::optional<double> push(double v);

    // Oldest first, newest last.
    std::span<const double> view() const { return {buf_.data() + start_, count_}; }
    double newest() const { return buf_[start_ + count_ - 1]; }
    double oldest() const { return buf_[start_]; }

    std::uint64_t size() const { return count_; }
    bool full() const { return count_ == period_; }
    std::uint64_t period() const { return period_; }

private:
    std::vector<double> buf_;
    std::uint64_t period_;
    std::uint64_t count_ = 0;
    std::uint64_t start_ = 0;  // slot of the oldest value, 0..n−1
};

}  // namespace torvex
