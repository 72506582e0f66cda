#include "indicators/averages/hma.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Hma);

HullLengths hull_lengths(std::uint64_t n) {
    const std::uint64_t root = round_to_u64(std::sqrt(static_cast<double>(n)));
    return {std::max<std::uint64_t>(1, n / 2), std::max<std::uint64_t>(1, root)};
}

std::expected<Hma, IndicatorError> Hma::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    const HullLengths len = hull_lengths(n);
    auto half = WmaCore::create(len.half);
    if (!half) return std::unexpected(half.error());
    auto full = WmaCore::create(n);
    if (!full) return std::unexpected(full.error());
    auto smooth = WmaCore::create(len.root);
    if (!smooth) return std::unexpected(smooth.error());
    return Hma(std::move(*half), std::move(*full), std::move(*smooth), n);
}

std::optional<double> Hma::step(double close) {
    // Both inner averages see every close, whether or not the other answers.
    const std::optional<double> half = half_.step(close);
    const std::optional<double> full = full_.step(close);
    if (!half || !full) return std::nullopt;
    // The smoothing core refuses a non-finite difference by itself.
    return smooth_.step(2.0 * *half - *full);
}

}  // namespace torvex
