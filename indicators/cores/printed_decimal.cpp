#include "indicators/cores/printed_decimal.hpp"

#include <bit>
#include <cmath>
#include <cstdint>

namespace torvex {

namespace {
constexpr double kFives[PrintedDecimal::kMaxPlaces + 1] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625};
constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;
}  // namespace

std::optional<PrintedDecimal> PrintedDecimal::of(double x) {
    if (x == 0.0) return PrintedDecimal{};
    std::optional<PrintedDecimal> best;
    int best_bits = kBits + 1;
    for (int k = 0; k <= kMaxPlaces; ++k) {
        const double y = std::fabs(x) * kFives[k];
        // Normal doubles only, so that units in the last place are steps of the bit
        // pattern and a power of two on x moves only the exponent.
        if (!(y > 0x1p-960 && y < 0x1p960)) return std::nullopt;
        // Positive doubles order as their bit patterns: of the patterns within kSlack
        // of y's, the one with most trailing zeros is the prefix the ends share, then a
        // 1 where they first differ, then zeros.
        const std::uint64_t u = std::bit_cast<std::uint64_t>(y);
        const std::uint64_t lo = u - kSlack;
        const std::uint64_t hi = u + kSlack;
        const int split = 63 - std::countl_zero(lo ^ hi);
        const std::uint64_t t = hi >> split << split;
        const std::uint64_t fraction = t & kFraction;
        const int bits = fraction == 0 ? 1 : 53 - std::countr_zero(fraction);
        if (bits < best_bits) {
            best = PrintedDecimal{k, std::copysign(std::bit_cast<double>(t), x)};
            best_bits = bits;
        }
    }
    return best;
}

bool same_printed(double a, double b) {
    if (a == b) return true;
    const std::optional<PrintedDecimal> pa = PrintedDecimal::of(a);
    return pa && pa == PrintedDecimal::of(b);
}

}  // namespace torvex
