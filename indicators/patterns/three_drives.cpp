#include "indicators/patterns/three_drives.hpp"

#include <cmath>

namespace torvex {

std::expected<ThreeDrives, IndicatorError> ThreeDrives::create() { return ThreeDrives{}; }

double ThreeDrives::judge(std::span<const Pivot> p) {
    const double e1 = std::fabs(p[1].price - p[0].price), e2 = std::fabs(p[3].price - p[2].price),
                 e3 = std::fabs(p[5].price - p[4].price);
    const double d1 = std::fabs(p[2].price - p[1].price), d2 = std::fabs(p[4].price - p[3].price),
                 d3 = std::fabs(p[6].price - p[5].price);
    constexpr RatioWindow kDrive{1.13, 1.75};
    const bool ratios = kDrive.holds(d1 / e1) && kDrive.holds(d2 / e2) && kDrive.holds(d3 / e3);
    const bool drives = near_within(d1, d2, 0.2) && near_within(d2, d3, 0.2);
    const bool retracements = near_within(e1, e2, 0.3) && near_within(e2, e3, 0.3);
    return (ratios && drives && retracements) ? completion_sign(p) : 0.0;
}

}  // namespace torvex
