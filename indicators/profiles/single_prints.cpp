#include "indicators/profiles/single_prints.hpp"

#include <algorithm>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, SinglePrints);

std::expected<SinglePrints, IndicatorError> SinglePrints::create(std::uint64_t n, std::uint64_t bins) {
    if (n == 0 || bins == 0) return std::unexpected(IndicatorError::zero_period());
    // Both lengths size storage, so both are bounded like every other window.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    return SinglePrints(n, bins);
}

std::optional<double> SinglePrints::step(const Ohlcv& bar) {
    if (!window_.push(bar)) return std::nullopt;
    const PriceGrid grid = window_.cover_bars<false>();
    if (!grid.has_range()) return 0.0;
    // Per-bin touch counts as a running sum of cover edges: the same whole counts as
    // adding one per covered bin, in O(n + B) instead of O(n x B). Every bar counts,
    // whatever its volume.
    const std::uint64_t bins = window_.bins();
    edges_.resize(bins + 1);
    std::fill(edges_.begin(), edges_.end(), 0);
    std::int64_t* edges = edges_.data();
    window_.covers().for_each([edges](const ProfileWindow::Cover& c) {
        edges[c.first] += 1;
        edges[c.last + 1] -= 1;
    });
    std::int64_t touches = 0;
    std::uint64_t singles = 0;
    for (std::uint64_t i = 0; i < bins; ++i) {
        touches += edges[i];
        if (touches == 1) ++singles;
    }
    return static_cast<double>(singles);
}

}  // namespace torvex
