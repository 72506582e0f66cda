#include "indicators/volume/ad_oscillator.hpp"

#include "indicators/volume/wad.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, AdOscillator);

std::expected<AdOscillator, IndicatorError> AdOscillator::create() {
    auto average = SmaCore::create(kAveragePeriod);
    if (!average) return std::unexpected(average.error());
    return AdOscillator(std::move(*average));
}

std::optional<double> AdOscillator::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    line_.add(williams_ad(bar, *prev_close_));
    prev_close_ = bar.close;
    const double line = line_.value();
    const std::optional<double> mean = average_.step(line);
    if (!mean) return std::nullopt;
    return line - *mean;
}

}  // namespace torvex
