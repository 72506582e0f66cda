// The mirrored window against a plain double-ended queue of the same length.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "indicators/cores/mirrored_window.hpp"

namespace torvex {
namespace {

TEST(MirroredWindow, HoldsTheLastNValuesOldestFirst) {
    for (std::uint64_t n : {1u, 2u, 5u, 64u}) {
        MirroredWindow w(n);
        std::deque<double> want;
        for (int i = 0; i < 500; ++i) {
            const double v = i * 1.5 - 7.0;
            std::optional<double> left;
            if (want.size() == n) {
                left = want.front();
                want.pop_front();
            }
            want.push_back(v);
            ASSERT_EQ(w.push(v), left) << "n " << n << " push " << i;
            ASSERT_EQ(w.size(), want.size());
            ASSERT_EQ(w.full(), want.size() == n);
            const auto view = w.view();
            ASSERT_EQ(std::vector<double>(view.begin(), view.end()), std::vector<double>(want.begin(), want.end()))
                << "n " << n << " push " << i;
            ASSERT_EQ(w.oldest(), want.front());
            ASSERT_EQ(w.newest(), want.back());
        }
    }
}

}  // namespace
}  // namespace torvex
