#include "indicators/statistics/sample_entropy.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, SampleEntropy);

SampleEntropy::SampleEntropy(std::uint64_t n, std::uint64_t m, double r_factor)
    : window_(n), period_(n), m_(m), r_factor_(r_factor) {
    scratch_.reserve(n);
    const std::uint64_t starts = n - m;
    if (starts <= kKeptStarts) {
        near_.assign(starts * (starts - 1) / 2, 0.0);
        far_.assign(starts * (starts - 1) / 2, 0.0);
    }
}

namespace {

// How many of the values are at most r: two comparisons at a time (one instruction
// on any x86-64), each true lane (all ones, -1) taken off its count, in four counts.
std::uint64_t count_within(const std::vector<double>& values, double r) {
    using Two = double __attribute__((vector_size(16)));
    using Counts = std::int64_t __attribute__((vector_size(16)));
    const Two limit = {r, r};
    Counts c0 = {0, 0}, c1 = {0, 0}, c2 = {0, 0}, c3 = {0, 0};
    const double* v = values.data();
    const std::size_t size = values.size();
    std::size_t k = 0;
    const auto at = [v](std::size_t i) {
        Two x;
        std::memcpy(&x, v + i, sizeof x);
        return x;
    };
    for (; k + 8 <= size; k += 8) {
        c0 -= at(k) <= limit;
        c1 -= at(k + 2) <= limit;
        c2 -= at(k + 4) <= limit;
        c3 -= at(k + 6) <= limit;
    }
    const Counts c = (c0 + c1) + (c2 + c3);
    std::uint64_t count = static_cast<std::uint64_t>(c[0] + c[1]);
    for (; k < size; ++k) count += v[k] <= r ? 1 : 0;
    return count;
}

}  // namespace

void SampleEntropy::set_distances(const double* x, std::uint64_t starts, std::uint64_t slot_i, std::uint64_t i,
                                  std::uint64_t slot_j, std::uint64_t j) {
    double near = 0.0;
    for (std::uint64_t k = 0; k < m_; ++k) near = std::max(near, std::fabs(x[i + k] - x[j + k]));
    const double far = std::max(near, std::fabs(x[i + m_] - x[j + m_]));
    // Slot pairs a < b, row by row: row a holds b = a + 1 .. starts − 1.
    const std::uint64_t a = slot_i < slot_j ? slot_i : slot_j, b = slot_i < slot_j ? slot_j : slot_i;
    const std::uint64_t at = a * starts - a * (a + 1) / 2 + (b - a - 1);
    near_[at] = near;
    far_[at] = far;
}

void SampleEntropy::update_distances(const double* x, std::uint64_t starts) {
    // The slot of the window's oldest start (counted from the first value), and of
    // the start at position i after it.
    const std::uint64_t oldest = (values_ - period_) % starts;
    const auto slot = [&](std::uint64_t i) { return oldest + i < starts ? oldest + i : oldest + i - starts; };
    if (!distances_ready_) {
        for (std::uint64_t i = 0; i < starts; ++i)
            for (std::uint64_t j = i + 1; j < starts; ++j) set_distances(x, starts, slot(i), i, slot(j), j);
        distances_ready_ = true;
        return;
    }
    const std::uint64_t newest = starts - 1, newest_slot = slot(newest);
    for (std::uint64_t j = 0; j < newest; ++j) set_distances(x, starts, newest_slot, newest, slot(j), j);
}

std::expected<SampleEntropy, IndicatorError> SampleEntropy::create(std::uint64_t n, std::uint64_t m,
                                                                  double r_factor) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    // n >= m + 2 tested without forming m + 2, which could wrap.
    if (n < 2 || m > n - 2) {
        return std::unexpected(IndicatorError::invalid_period("sample entropy needs period >= m + 2"));
    }
    if (!is_finite(r_factor) || !(r_factor > 0.0)) {
        return std::unexpected(IndicatorError::invalid_parameter("sample entropy r_factor must be finite and positive"));
    }
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return SampleEntropy(n, m, r_factor);
}

std::optional<double> SampleEntropy::step(double close) {
    push_capped(window_, period_, close);
    values_ += 1;
    if (window_.size() < period_) return std::nullopt;
    scratch_.assign(window_.begin(), window_.end());
    const double* x = scratch_.data();
    const double n = static_cast<double>(period_);
    const std::uint64_t starts = period_ - m_;  // start positions 0 .. n − m − 1
    if (!near_.empty()) update_distances(x, starts);

    double total = -0.0;
    for (std::uint64_t i = 0; i < period_; ++i) total += x[i];
    const double mean = total / n;
    double squares = 0.0;
    for (std::uint64_t i = 0; i < period_; ++i) {
        const double d = x[i] - mean;
        squares += d * d;
    }
    const double var = std::max(squares / n, 0.0);
    if (var == 0.0 || m_ == period_) return 0.0;
    const double r = std::sqrt(var) * r_factor_;

    std::uint64_t b = 0;
    std::uint64_t a = 0;
    if (!near_.empty()) {
        // A pair matches where no difference exceeds r: where its distance does not.
        // The distances are never NaN, so for a number r that is distance <= r (a
        // comparison that runs several at once), and for a NaN r every pair.
        if (r != r) {
            b = a = near_.size();
        } else {
            b = count_within(near_, r);
            a = count_within(far_, r);
        }
    } else {
        for (std::uint64_t i = 0; i < starts; ++i) {
            for (std::uint64_t j = i + 1; j < starts; ++j) {
                bool matched = true;
                for (std::uint64_t k = 0; k < m_; ++k) {
                    if (std::fabs(x[i + k] - x[j + k]) > r) {
                        matched = false;
                        break;
                    }
                }
                if (!matched) continue;
                b += 1;
                if (!(std::fabs(x[i + m_] - x[j + m_]) > r)) a += 1;
            }
        }
    }
    if (b == 0) return 0.0;
    if (a == 0) return std::log(static_cast<double>(b));
    return -std::log(static_cast<double>(a) / static_cast<double>(b));
}

}  // namespace torvex
