#include "indicators/cores/sorted_window.hpp"

#include <algorithm>
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

std::size_t SortedWindow::lower_bound(double v) const { return first_key_at_least(total_order_key(v)); }

std::size_t SortedWindow::first_key_at_least(std::int64_t key) const {
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

std::pair<std::size_t, std::size_t> SortedWindow::first_keys_at_least(std::int64_t a, std::int64_t b) const {
    std::size_t size = sorted_.size();
    if (size == 0) return {0, 0};
    std::size_t base_a = 0;
    std::size_t base_b = 0;
    while (size > 1) {
        const std::size_t half = size / 2;
        if (total_order_key(sorted_[base_a + half]) < a) base_a += half;
        if (total_order_key(sorted_[base_b + half]) < b) base_b += half;
        size -= half;
    }
    return {base_a + (total_order_key(sorted_[base_a]) < a ? 1 : 0),
            base_b + (total_order_key(sorted_[base_b]) < b ? 1 : 0)};
}

std::size_t SortedWindow::first_key_above(std::int64_t key, std::size_t from) const {
    const std::size_t size = sorted_.size();
    std::size_t lo = from;  // every key before lo is not above `key`, as the caller knows
    std::size_t hi = size;
    for (std::size_t step = 1; lo < size; step *= 2) {
        const std::size_t probe = std::min(lo + step - 1, size - 1);
        if (total_order_key(sorted_[probe]) > key) {
            hi = probe;
            break;
        }
        lo = probe + 1;
    }
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (total_order_key(sorted_[mid]) > key) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

// Without NaN the total order differs from the ordinary one only in putting -0.0
// before +0.0, so a zero is looked up as the zero at the matching end.
std::size_t SortedWindow::count_below(double v) const { return lower_bound(v == 0.0 ? -0.0 : v); }

std::size_t SortedWindow::count_not_above(double v) const {
    return first_key_at_least(total_order_key(v == 0.0 ? 0.0 : v) + 1);
}

SortedWindow::Rank SortedWindow::rank_of_newest() const {
    const double x = values_.back();
    // A zero's equals include the other zero, which the total order keeps apart.
    if (x == 0.0) return {count_below(x), count_not_above(x)};
    return {newest_at_, first_key_above(total_order_key(x), newest_at_ + 1)};
}

std::optional<double> SortedWindow::push(double x) {
    if (values_.size() < capacity_) {
        values_.push_back(x);
        newest_at_ = lower_bound(x);
        sorted_.insert(sorted_.begin() + static_cast<std::ptrdiff_t>(newest_at_), x);
        return std::nullopt;
    }
    if (values_.empty()) invariant_failed("window is full");
    const double o = values_.front();
    values_.pop_front();
    values_.push_back(x);
    auto [at, to] = first_keys_at_least(total_order_key(o), total_order_key(x));  // at: o itself
    if (at >= sorted_.size()) invariant_failed("window is full");
    // x's place once o has gone: o's equals all sit before x's place or from it on.
    if (at < to) to -= 1;
    newest_at_ = to;
    double* s = sorted_.data();
    if (at < to) std::copy(s + at + 1, s + to + 1, s + at);
    else if (to < at) std::copy_backward(s + to, s + at, s + at + 1);
    s[to] = x;
    return o;
}

double SortedWindow::quantile_of(std::span<const double> values, double q) {
    const QuantileAt at = quantile_at(values.size(), q);
    if (at.last) return values[at.lo];
    return interpolate(values[at.lo], values[at.lo + 1], at.frac);
}

double SortedWindow::median_of(std::span<const double> s) {
    const std::size_t m = s.size();
    if (m == 0) invariant_failed("non-empty");
    if (m % 2 == 1) return s[m / 2];
    return midpoint(s[m / 2 - 1], s[m / 2]);
}

SortedWindow::QuantileAt SortedWindow::quantile_at(std::size_t m, double q) {
    if (m == 0) invariant_failed("non-empty");
    const double pos = q * static_cast<double>(m - 1);
    const double fl = std::floor(pos);
    const std::size_t lo = static_cast<std::size_t>(saturating_u64(fl));
    if (lo >= m - 1) return {m - 1, 0.0, true};
    return {lo, pos - fl, false};
}

namespace {

// Values of s below c by the ordinary comparison: the deviations left of this place
// grow leftward, those from it on grow rightward.
std::size_t centre_place(std::span<const double> s, double c) {
    std::size_t lo = 0;
    std::size_t hi = s.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (s[mid] < c) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

}  // namespace

void SortedWindow::abs_deviations(std::span<const double> s, double c, std::vector<double>& out) {
    out.clear();
    const std::size_t p = centre_place(s, c);
    std::size_t left = p;  // one past the next left value
    std::size_t right = p;
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

SortedWindow::DeviationPair SortedWindow::abs_deviation_pair(double c, std::size_t k) const {
    const std::span<const double> s = sorted_;
    const std::size_t m = s.size();
    if (k >= m) invariant_failed("non-empty");
    // Two ascending runs: a[i] = |s[p-1-i] − c| leftward and b[j] = |s[p+j] − c|
    // rightward, both free of NaN unless c is NaN, when p is 0 and a is empty. The
    // first k + 1 of the merged list take i from a and k + 1 − i from b, for the
    // least i whose a[i] is not below b's last one taken.
    const std::size_t p = centre_place(s, c);
    const auto a = [&](std::size_t i) { return std::fabs(s[p - 1 - i] - c); };
    const auto b = [&](std::size_t j) { return std::fabs(s[p + j] - c); };
    const std::size_t na = p;
    const std::size_t nb = m - p;
    const std::size_t take = k + 1;
    std::size_t lo = take > nb ? take - nb : 0;
    std::size_t hi = std::min(na, take);
    while (lo < hi) {
        const std::size_t i = lo + (hi - lo) / 2;
        if (b(take - i - 1) > a(i)) lo = i + 1;
        else hi = i;
    }
    const std::size_t i = lo;
    const std::size_t j = take - i;
    DeviationPair out{};
    if (i == 0) out.at = b(j - 1);
    else if (j == 0) out.at = a(i - 1);
    else out.at = std::max(a(i - 1), b(j - 1));
    if (i < na && j < nb) out.next = std::min(a(i), b(j));
    else if (i < na) out.next = a(i);
    else if (j < nb) out.next = b(j);
    return out;
}

double SortedWindow::abs_deviation_quantile(double c, double q) const {
    const QuantileAt at = quantile_at(sorted_.size(), q);
    const DeviationPair d = abs_deviation_pair(c, at.lo);
    if (at.last) return d.at;
    return interpolate(d.at, d.next, at.frac);
}

double SortedWindow::abs_deviation_median(double c) const {
    const std::size_t m = sorted_.size();
    if (m == 0) invariant_failed("non-empty");
    const DeviationPair d = abs_deviation_pair(c, (m - 1) / 2);
    if (m % 2 == 1) return d.at;
    return midpoint(d.at, d.next);
}

}  // namespace torvex
