#include "indicators/cores/sorted_window.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "indicators/numeric.hpp"

namespace torvex {

namespace {

[[noreturn]] void invariant_failed(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

SortedWindow::SortedWindow(std::uint64_t n) : values_(n), capacity_(n) { sorted_.reserve(n); }

std::expected<SortedWindow, IndicatorError> SortedWindow::create(std::uint64_t n) {
    if (n == 0) return std::unexpected(IndicatorError::invalid_period("window size must be non-zero"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return SortedWindow(n);
}

std::size_t SortedWindow::lower_bound(double v) const {
    const std::int64_t key = total_order_key(v);
    std::size_t size = sorted_.size();
    if (size == 0) return 0;
    std::size_t base = 0;
    while (size > 1) {
        const std::size_t half = size / 2;
        const std::size_t mid = base + half;
        if (total_order_key(sorted_[mid]) < key) base = mid;
        size -= half;
    }
    return base + (total_order_key(sorted_[base]) < key ? 1 : 0);
}

std::optional<double> SortedWindow::push(double x) {
    std::optional<double> evicted;
    if (values_.size() == capacity_) {
        if (values_.empty()) invariant_failed("window is full");
        const double o = values_.front();
        values_.pop_front();
        const std::size_t at = lower_bound(o);
        if (at >= sorted_.size()) invariant_failed("window is full");
        sorted_.erase(sorted_.begin() + static_cast<std::ptrdiff_t>(at));
        evicted = o;
    }
    values_.push_back(x);
    sorted_.insert(sorted_.begin() + static_cast<std::ptrdiff_t>(lower_bound(x)), x);
    return evicted;
}

double SortedWindow::quantile_of(std::span<const double> values, double q) {
    const std::size_t m = values.size();
    if (m == 0) invariant_failed("non-empty");
    const double pos = q * static_cast<double>(m - 1);
    const double fl = std::floor(pos);
    const std::size_t lo = static_cast<std::size_t>(saturating_u64(fl));
    if (lo >= m - 1) return values[m - 1];
    return values[lo] + (values[lo + 1] - values[lo]) * (pos - fl);
}

void SortedWindow::abs_deviations(std::span<const double> s, double c, std::vector<double>& out) {
    out.clear();
    // p = number of values below c, by binary search on the ascending values.
    std::size_t lo = 0;
    std::size_t hi = s.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (s[mid] < c) lo = mid + 1;
        else hi = mid;
    }
    std::size_t left = lo;  // one past the next left value
    std::size_t right = lo;
    while (left > 0 && right < s.size()) {
        const double dl = std::fabs(s[left - 1] - c);
        const double dr = std::fabs(s[right] - c);
        if (total_order_key(dl) > total_order_key(dr)) {
            out.push_back(dr);
            right += 1;
        } else {
            out.push_back(dl);
            left -= 1;
        }
    }
    while (left > 0) {
        left -= 1;
        out.push_back(std::fabs(s[left] - c));
    }
    while (right < s.size()) {
        out.push_back(std::fabs(s[right] - c));
        right += 1;
    }
}

}  // namespace torvex
