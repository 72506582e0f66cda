#include "indicators/levels/fib_confluence.hpp"

#include <algorithm>
#include <cmath>

namespace torvex {

std::expected<FibConfluence, IndicatorError> FibConfluence::create() { return FibConfluence{}; }

FibConfluence::Near FibConfluence::levels_near(std::span<const double> levels, double target) {
    Near r{0, -0.0};
    for (const double x : levels) {
        if (near_within(x, target, 0.03)) {
            r.count += 1;
            r.sum = r.sum + x;
        }
    }
    return r;
}

std::array<double, 2> FibConfluence::levels(std::span<const Pivot> p, std::uint64_t) {
    // Three levels per consecutive leg: at most 3 x (kept - 1).
    std::array<double, 3 * (SwingTracker::kCapacity - 1)> list{};
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const double later = p[i + 1].price;
        const double d = p[i].price - later;
        for (const double r : {0.382, 0.5, 0.618}) list[n++] = later + r * d;
    }
    const std::span<const double> all(list.data(), n);
    Near best{0, -0.0};
    for (const double candidate : all) {
        const Near r = levels_near(all, candidate);
        if (r.count >= best.count) best = r;
    }
    const double count = static_cast<double>(best.count);
    return {best.sum / count, count};
}

}  // namespace torvex
