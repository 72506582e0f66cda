#include "indicators/bands/median_channel.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, MedianChannel, 3);

MedianChannel::MedianChannel(SortedWindow window, double k) : window_(std::move(window)), multiplier_(k) {}

std::expected<MedianChannel, IndicatorError> MedianChannel::create(std::uint64_t n, double k) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(k) && k > 0.0)) return std::unexpected(IndicatorError::non_positive_multiplier());
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return MedianChannel(std::move(*window), k);
}

std::optional<std::array<double, 3>> MedianChannel::step(const BarContext& ctx) {
    const double close = ctx.candle.close;
    if (!is_finite(close)) return std::nullopt;
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    const double med = window_.quantile(0.5);
    const double offset = window_.abs_deviation_quantile(med, 0.5) * multiplier_;
    return std::array<double, 3>{med + offset, med, med - offset};
}

}  // namespace torvex
