#include "indicators/cores/nan_skipping_extremes.hpp"

#include <cmath>
#include <limits>

namespace torvex {

void NanSkippingExtremes::Wedge::push_back(Entry e) {
    if (len_ == buf_.size()) {
        std::vector<Entry> grown(buf_.empty() ? 8 : 2 * buf_.size());
        for (std::size_t i = 0; i < len_; ++i) grown[i] = buf_[wrap(head_ + i)];
        buf_ = std::move(grown);
        head_ = 0;
    }
    buf_[wrap(head_ + len_)] = e;
    len_ += 1;
}

void NanSkippingExtremes::push(double v) {
    const std::uint64_t at = pushed_;
    pushed_ += 1;
    // The entry pushed n pushes ago leaves the window now.
    if (!hi_.empty() && hi_.front().at + period_ <= at) hi_.pop_front();
    if (!lo_.empty() && lo_.front().at + period_ <= at) lo_.pop_front();
    if (std::isnan(v)) return;
    while (!hi_.empty() && hi_.back().value <= v) hi_.pop_back();
    hi_.push_back({v, at});
    while (!lo_.empty() && lo_.back().value >= v) lo_.pop_back();
    lo_.push_back({v, at});
}

HiLo NanSkippingExtremes::hi_lo() const {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    return HiLo{hi_.empty() ? -kInf : hi_.front().value, lo_.empty() ? kInf : lo_.front().value};
}

}  // namespace torvex
