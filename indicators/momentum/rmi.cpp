#include "indicators/momentum/rmi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Rmi);

double Rmi::careful_share() {
    scale_.settle({{&avg_gain_}, {&avg_loss_}});
    const double total = avg_gain_ + avg_loss_;
    return total == 0.0 ? 50.0 : (avg_gain_ / total) * 100.0;
}

double Rmi::careful_step(double gain, double loss) {
    scale_.enter({{&avg_gain_}, {&avg_loss_}}, {{&gain}, {&loss}});
    const double n = static_cast<double>(period_);
    avg_gain_ = (gain + (n - 1.0) * avg_gain_) / n;
    avg_loss_ = (loss + (n - 1.0) * avg_loss_) / n;
    return careful_share();
}

std::expected<Rmi, IndicatorError> Rmi::create(std::uint64_t n, std::uint64_t m) {
    if (n == 0 || m == 0) return std::unexpected(IndicatorError::zero_period());
    // The lag sizes the ring of closes and n the seed; neither may ask for an
    // unbounded allocation.
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    if (auto ok = check_max_period(m); !ok) return std::unexpected(ok.error());
    return Rmi(n, m);
}

}  // namespace torvex
