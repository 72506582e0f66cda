#include "indicators/risk/gain_to_pain_ratio.hpp"

namespace torvex {

std::expected<GainToPainRatio, IndicatorError> GainToPainRatio::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return GainToPainRatio(n);
}

std::optional<double> GainToPainRatio::step(double close) {
    if (!window_.push(close)) return std::nullopt;
    // A window without losses is told by its count: the running pain can keep a
    // rounding residue after the last loss has left.
    if (window_.losses() == 0) return 0.0;
    const double pain = window_.loss_total();
    return pain > 0.0 ? window_.sum() / pain : 0.0;
}

}  // namespace torvex
