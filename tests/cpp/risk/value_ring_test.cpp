// The value ring: eviction order, indexing and iteration oldest first across the wrap.
#include <gtest/gtest.h>

#include <vector>

#include "indicators/cores/value_ring.hpp"

namespace torvex {
namespace {

TEST(ValueRing, SlidesOldestFirst) {
    ValueRing ring(3);
    std::vector<std::optional<double>> evicted;
    for (double x : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0}) {
        evicted.push_back(ring.push(x));
        std::vector<double> held;
        for (double v : ring) held.push_back(v);
        std::vector<double> want;
        for (double v = std::max(1.0, x - 2.0); v <= x; v += 1.0) want.push_back(v);
        EXPECT_EQ(held, want) << "after " << x;
        EXPECT_EQ(ring[0], want.front());
        EXPECT_EQ(ring[ring.size() - 1], x);
        EXPECT_EQ(ring.full(), x >= 3.0);
    }
    const std::vector<std::optional<double>> want_evicted = {std::nullopt, std::nullopt, std::nullopt, 1.0, 2.0, 3.0, 4.0};
    EXPECT_EQ(evicted, want_evicted);
}

TEST(ValueRing, CapacityOne) {
    ValueRing ring(1);
    EXPECT_EQ(ring.push(5.0), std::nullopt);
    EXPECT_EQ(ring.push(-2.0), 5.0);
    EXPECT_EQ(ring[0], -2.0);
    EXPECT_EQ(ring.size(), 1u);
}

}  // namespace
}  // namespace torvex
