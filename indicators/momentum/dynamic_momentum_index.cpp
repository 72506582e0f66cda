#include "indicators/momentum/dynamic_momentum_index.hpp"

#include <algorithm>
#include <cmath>

#include "indicators/numeric.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, DynamicMomentumIndex);

std::expected<DynamicMomentumIndex, IndicatorError> DynamicMomentumIndex::create(std::uint64_t p) {
    if (auto ok = check_period(p); !ok) return std::unexpected(ok.error());
    auto deviation = VarianceWindow::create(kDeviationLen);
    if (!deviation) return std::unexpected(deviation.error());
    auto average = SmaCore::create(kAverageLen);
    if (!average) return std::unexpected(average.error());
    return DynamicMomentumIndex(std::move(*deviation), std::move(*average), p);
}

std::optional<double> DynamicMomentumIndex::step(double close) {
    if (deviation_.push(close)) {
        sd_ = std::sqrt(deviation_.variance());
        if (const auto a = average_.step(*sd_)) average_sd_ = a;
    }
    if (prev_) push_capped(changes_, kMaxChanges, close - *prev_);
    prev_ = close;
    if (!sd_ || changes_.size() < kMaxChanges || !average_sd_) return std::nullopt;

    std::uint64_t k = kMaxChanges;
    const double sd = *sd_;
    const double a = *average_sd_;
    if (sd > 0.0 && a > 0.0) {
        const std::uint64_t t = round_to_u64(static_cast<double>(base_period_) / (sd / a));
        k = std::min(std::max(t, kMinChanges), kMaxChanges);
    }
    double up = 0.0;
    double down = 0.0;
    for (std::uint64_t i = changes_.size() - k; i < changes_.size(); ++i) {
        const double c = changes_[i];
        if (c > 0.0) up += c;
        else if (c < 0.0) down += -c;
    }
    if (up + down == 0.0) return 50.0;
    return (100.0 * up) / (up + down);
}

}  // namespace torvex
