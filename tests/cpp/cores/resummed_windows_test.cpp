// The re-summed windows against an independent model: on ordinary data (signed values
// whose sum crosses zero) the running sums carry exactly the bits of "subtract the
// leaving value, add the new one, re-add from the window every n pushes"; after a huge
// value the flat window is exact on the very push that takes the value out.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <vector>

#include "indicators/cores/resummed_ring.hpp"
#include "indicators/cores/sliding_extreme.hpp"
#include "indicators/cores/sliding_extremes.hpp"
#include "indicators/cores/nan_skipping_extremes.hpp"
#include "indicators/cores/summed_pair_window.hpp"
#include "indicators/risk/window_measures.hpp"

namespace torvex {
namespace {

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Running sum with a re-add from `start` every n pushes, oldest first.
struct PeriodicModel {
    PeriodicModel(std::uint64_t n_, double start_) : n(n_), start(start_) {}
    std::uint64_t n;
    double start;
    std::deque<double> window;
    double sum = 0.0;
    std::uint64_t since = 0;
    void push(double x) {
        if (window.size() == n) {
            sum = sum - window.front();
            window.pop_front();
        }
        window.push_back(x);
        sum = sum + x;
        if (++since >= n) {
            since = 0;
            sum = start;
            for (double v : window) sum += v;
        }
    }
};

std::vector<double> signed_noise(int count) {
    std::vector<double> xs;
    for (int i = 0; i < count; ++i) xs.push_back(std::sin(i * 0.71) * 3.0 + std::cos(i * 0.13) * 0.01);
    return xs;
}

TEST(ResummedWindows, OrdinarySignedDataKeepsThePeriodicBits) {
    for (std::uint64_t n : {1u, 3u, 10u, 50u}) {
        ResummedRing ring(n);
        SummedPairWindow pairs(n);
        ReturnWindow returns(n);
        PeriodicModel ring_model(n, -0.0);
        PeriodicModel a_model(n, 0.0);
        PeriodicModel b_model(n, 0.0);
        PeriodicModel return_model(n, -0.0);
        for (double x : signed_noise(2000)) {
            ring.push(x);
            ring_model.push(x);
            pairs.push(x, -0.5 * x);
            a_model.push(x);
            b_model.push(-0.5 * x);
            returns.push(x * 0.01);
            return_model.push(x * 0.01);
            ASSERT_EQ(bits(ring.sum()), bits(ring_model.sum)) << n;
            ASSERT_EQ(bits(pairs.sum_a()), bits(a_model.sum)) << n;
            ASSERT_EQ(bits(pairs.sum_b()), bits(b_model.sum)) << n;
            ASSERT_EQ(bits(returns.sum()), bits(return_model.sum)) << n;
        }
    }
}

// Values of 0.1 (inexact in binary), one of 1e15, then ones: once the huge value
// has left, every window holds only ones and each sum must be exactly n (or 0).
TEST(ResummedWindows, FlatAsSoonAsAHugeValueLeaves) {
    constexpr std::uint64_t n = 16;
    ResummedRing ring(n);
    SummedPairWindow pairs(n);
    ReturnWindow returns(n);
    std::vector<double> xs(3 * n + 5, 0.1);
    xs.push_back(1e15);
    const std::size_t spike = xs.size() - 1;
    xs.resize(xs.size() + 3 * n, 1.0);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        ring.push(xs[i]);
        pairs.push(xs[i], -xs[i]);
        returns.push(-xs[i]);
        if (i < spike + n) continue;
        ASSERT_EQ(ring.sum(), static_cast<double>(n)) << i;
        ASSERT_EQ(pairs.sum_a(), static_cast<double>(n)) << i;
        ASSERT_EQ(pairs.sum_b(), -static_cast<double>(n)) << i;
        ASSERT_EQ(returns.loss_total(), static_cast<double>(n)) << i;
    }
}

// Which of two equal extremes each policy keeps: -0.0 then +0.0 in one window.
TEST(ExtremeQueue, TiePoliciesKeepOldestOrNewest) {
    SlidingExtremes strict(4);  // a scan with strict comparisons: the oldest
    strict.push(-0.0, -0.0);
    strict.push(0.0, 0.0);
    EXPECT_EQ(bits(strict.highest()), bits(-0.0));
    EXPECT_EQ(bits(strict.lowest()), bits(-0.0));

    NanSkippingExtremes newest(4);
    newest.push(-0.0);
    newest.push(0.0);
    EXPECT_EQ(bits(newest.hi_lo().hi), bits(0.0));
    EXPECT_EQ(bits(newest.hi_lo().lo), bits(0.0));

    SlidingExtreme<Extreme::Largest> largest(4);
    SlidingExtreme<Extreme::Smallest> smallest(4);
    for (std::uint64_t seq : {1u, 2u}) {
        const double v = seq == 1 ? 0.0 : -0.0;
        largest.push(seq, v);
        smallest.push(seq, v);
    }
    EXPECT_EQ(bits(*largest.value()), bits(-0.0));
    EXPECT_EQ(bits(*smallest.value()), bits(-0.0));
    largest.expire_before(3);
    EXPECT_FALSE(largest.value().has_value());
}

// The sequence-numbered queue against a scan of the live span.
TEST(ExtremeQueue, SequenceWindowMatchesScan) {
    constexpr std::uint64_t span = 5;
    SlidingExtreme<Extreme::Largest> largest(span);
    SlidingExtreme<Extreme::Smallest> smallest(span);
    std::vector<double> xs;
    for (int i = 0; i < 400; ++i) xs.push_back(std::round(std::sin(i * 1.3) * 5.0));
    for (std::uint64_t seq = 0; seq < xs.size(); ++seq) {
        const std::uint64_t first = seq + 1 >= span ? seq + 1 - span : 0;
        largest.expire_before(first);
        smallest.expire_before(first);
        largest.push(seq, xs[seq]);
        smallest.push(seq, xs[seq]);
        double hi = -INFINITY;
        double lo = INFINITY;
        for (std::uint64_t j = first; j <= seq; ++j) {
            hi = std::max(hi, xs[j]);
            lo = std::min(lo, xs[j]);
        }
        ASSERT_EQ(*largest.value(), hi) << seq;
        ASSERT_EQ(*smallest.value(), lo) << seq;
    }
}

}  // namespace
}  // namespace torvex
