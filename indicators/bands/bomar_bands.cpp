#include "indicators/bands/bomar_bands.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(MultiOutput, BomarBands, 3);

BomarBands::BomarBands(SortedWindow window, double coverage) : window_(std::move(window)), coverage_(coverage) {
    scratch_.reserve(window_.capacity());
}

std::expected<BomarBands, IndicatorError> BomarBands::create(std::uint64_t n, double coverage) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    if (!(is_finite(coverage) && coverage > 0.0 && coverage <= 1.0)) {
        return std::unexpected(
            IndicatorError::invalid_parameter("bomar bands coverage must be a finite value in (0.0, 1.0]"));
    }
    auto window = SortedWindow::create(n);
    if (!window) return std::unexpected(window.error());
    return BomarBands(std::move(*window), coverage);
}

std::optional<std::array<double, 3>> BomarBands::step(const BarContext& ctx) {
    const double close = ctx.candle.close;
    if (!is_finite(close)) return std::nullopt;
    window_.push(close);
    if (!window_.full()) return std::nullopt;
    double total = 0.0;
    for (double v : window_.values()) total += v;
    const double mean = total / static_cast<double>(window_.capacity());
    const double a = std::fabs(mean);
    double dq = 0.0;  // a zero mean leaves every relative deviation at zero
    if (mean != 0.0) {
        SortedWindow::abs_deviations(window_.sorted(), mean, scratch_);
        for (double& d : scratch_) d = d / a;
        dq = SortedWindow::quantile_of(scratch_, coverage_);
    }
    const double offset = a * dq;
    return std::array<double, 3>{mean + offset, mean, mean - offset};
}

}  // namespace torvex
