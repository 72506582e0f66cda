#include "indicators/cores/seeded_ema.hpp"


namespace torvex {

SeededEma::SeededEma(std::uint64_t k) : SeededEma(k, 2.0 / (static_cast<double>(k) + 1.0)) {}

SeededEma::SeededEma(std::uint64_t k, double alpha) : period_(k), alpha_(alpha), one_minus_alpha_(1.0 - alpha) {}

std::expected<SeededEma, IndicatorError> SeededEma::create(std::uint64_t k) {
    if (auto ok = check_period(k); !ok) return std::unexpected(ok.error());
    return SeededEma(k);
}

}  // namespace torvex
