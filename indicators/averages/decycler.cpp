#include "indicators/averages/decycler.hpp"

namespace torvex {

std::expected<Decycler, IndicatorError> Decycler::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Decycler(n);
}

}  // namespace torvex
