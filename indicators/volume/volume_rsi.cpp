#include "indicators/volume/volume_rsi.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, VolumeRsi);

double VolumeRsi::careful_share() {
    scale_.settle({{&*avg_gain_}, {&*avg_loss_}});
    const double total = *avg_gain_ + *avg_loss_;
    return total == 0.0 ? 50.0 : *avg_gain_ / total * 100.0;
}

double VolumeRsi::careful_step(double gain, double loss) {
    scale_.enter({{&*avg_gain_}, {&*avg_loss_}}, {{&gain}, {&loss}});
    avg_gain_ = (*avg_gain_ * n_minus_1_ + gain) / n_;
    avg_loss_ = (*avg_loss_ * n_minus_1_ + loss) / n_;
    return careful_share();
}

std::expected<VolumeRsi, IndicatorError> VolumeRsi::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VolumeRsi(n);
}

}  // namespace torvex
