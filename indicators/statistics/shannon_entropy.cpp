#include "indicators/statistics/shannon_entropy.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/cores/rolling_window.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, ShannonEntropy);

std::expected<ShannonEntropy, IndicatorError> ShannonEntropy::create(std::uint64_t n, std::uint64_t bins) {
    if (n == 0 || bins == 0) return std::unexpected(IndicatorError::zero_period());
    if (bins < 2) return std::unexpected(IndicatorError::invalid_period("Shannon entropy needs bins >= 2"));
    if (auto ok = check_max_period(bins); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return ShannonEntropy(n, bins);
}

std::optional<double> ShannonEntropy::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    const HiLo range = window_hi_lo(window_);
    if (!(range.hi > range.lo)) return 0.0;
    const double width = (range.hi - range.lo) / static_cast<double>(bins_);
    std::fill(counts_.begin(), counts_.end(), 0);
    for (double v : window_) {
        const std::uint64_t k = std::min(saturating_u64((v - range.lo) / width), bins_ - 1);
        counts_[k] += 1;
    }
    const double n = static_cast<double>(period_);
    double h = 0.0;
    for (std::uint64_t count : counts_) {
        if (count == 0) continue;
        const double p = static_cast<double>(count) / n;
        h = h - std::log2(p) * p;
    }
    return h;
}

}  // namespace torvex
