// The one ring against a std::deque model: wrap-around, eviction from either end,
// indexing, iteration, copies, and the mirrored layout's contiguous view.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <vector>

#include "indicators/cores/fixed_ring.hpp"

namespace torvex {
namespace {

template <RingLayout Layout>
void check_against_model(std::uint64_t cap, std::uint64_t seed) {
    FixedRing<double, Layout> ring(cap);
    std::deque<double> model;
    std::mt19937_64 rng(seed);
    for (int step = 0; step < 4000; ++step) {
        const std::uint64_t r = rng() % 10;
        const double v = static_cast<double>(step) * 0.25 - 300.0;
        if (r < 6) {  // push: evicts the oldest when full
            std::optional<double> want;
            if (model.size() == cap) {
                want = model.front();
                model.pop_front();
            }
            model.push_back(v);
            ASSERT_EQ(ring.push(v), want) << "cap " << cap << " step " << step;
        } else if (r < 7 && model.size() < cap) {
            model.push_back(v);
            ring.push_back(v);
        } else if (r < 8 && !model.empty()) {
            model.pop_front();
            ring.pop_front();
        } else if (r < 9 && !model.empty()) {
            model.pop_back();
            ring.pop_back();
        } else if (step % 97 == 0) {
            model.clear();
            ring.clear();
        }
        ASSERT_EQ(ring.size(), model.size());
        ASSERT_EQ(ring.empty(), model.empty());
        ASSERT_EQ(ring.full(), model.size() == cap);
        if (model.empty()) continue;
        ASSERT_EQ(ring.front(), model.front());
        ASSERT_EQ(ring.back(), model.back());
        for (std::size_t i = 0; i < model.size(); ++i) {
            ASSERT_EQ(ring[i], model[i]);
            ASSERT_EQ(ring.from_newest(i), model[model.size() - 1 - i]);
        }
        const std::vector<double> want(model.begin(), model.end());
        std::vector<double> walked;
        ring.for_each([&](double x) { walked.push_back(x); });
        ASSERT_EQ(walked, want);
        ASSERT_EQ(std::vector<double>(ring.begin(), ring.end()), want);
        std::vector<double> copied(ring.size());
        ring.copy_to(copied.begin());
        ASSERT_EQ(copied, want);
        if constexpr (Layout == RingLayout::Mirrored) {
            const auto view = ring.view();
            ASSERT_EQ(std::vector<double>(view.begin(), view.end()), want) << "cap " << cap << " step " << step;
        }
    }
}

TEST(FixedRing, MatchesADequeAcrossWrapAround) {
    for (std::uint64_t cap : {1u, 2u, 3u, 7u, 64u}) {
        check_against_model<RingLayout::Plain>(cap, cap);
        check_against_model<RingLayout::Mirrored>(cap, cap + 100);
    }
}

TEST(FixedRing, CopyIsIndependentAndKeepsOrder) {
    FixedRing<double> ring(3);
    for (double v : {1.0, 2.0, 3.0, 4.0}) ring.push(v);  // wrapped: 2 3 4
    FixedRing<double> copy = ring;
    ring.push(5.0);
    EXPECT_EQ(std::vector<double>(copy.begin(), copy.end()), (std::vector<double>{2.0, 3.0, 4.0}));
    EXPECT_EQ(std::vector<double>(ring.begin(), ring.end()), (std::vector<double>{3.0, 4.0, 5.0}));
    EXPECT_EQ(copy.push(6.0), 2.0);
    copy = ring;
    EXPECT_EQ(copy.back(), 5.0);
    EXPECT_EQ(copy.size(), 3u);
}

}  // namespace
}  // namespace torvex
