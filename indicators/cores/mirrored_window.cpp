#include "indicators/cores/mirrored_window.hpp"

#include <algorithm>

namespace torvex {

std::optional<double> MirroredWindow::push(double v) {
    if (count_ < period_) {
        buf_.push_back(v);
        count_ += 1;
        return std::nullopt;
    }
    if (buf_.size() < 2 * period_) {
        buf_.resize(2 * period_);
        std::copy(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(period_),
                  buf_.begin() + static_cast<std::ptrdiff_t>(period_));
    }
    const double evicted = buf_[start_];
    buf_[start_] = v;
    buf_[start_ + period_] = v;
    start_ = start_ + 1 == period_ ? 0 : start_ + 1;
    return evicted;
}

}  // namespace torvex
