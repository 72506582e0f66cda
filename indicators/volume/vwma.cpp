#include "indicators/volume/vwma.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, Vwma);

std::expected<VwmaCore, IndicatorError> VwmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VwmaCore(n);
}

void VwmaCore::resum() {
    double pv = -0.0;
    double v = -0.0;
    double p = -0.0;
    double pvm = 0.0;
    double pm = 0.0;
    window_.for_each([&](const Pair& e) {
        pv += e.price * e.volume;
        v += e.volume;
        p += e.price;
        pvm += std::fabs(e.price * e.volume);
        pm += std::fabs(e.price);
    });
    pv_sum_ = pv;
    volume_sum_ = v;
    price_sum_ = p;
    pv_magnitude_ = pvm;
    price_magnitude_ = pm;
    clock_.settle(
        ResumClock::first_leaves(window_.capacity(), window_.size()),
        [this](auto&& fn) { window_.for_each([&fn](const Pair& e) { fn(e.price * e.volume, e.volume, e.price); }); }, pvm, v,
        pm);
}

std::expected<Vwma, IndicatorError> Vwma::create(std::uint64_t n) {
    auto core = VwmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Vwma(std::move(*core));
}

}  // namespace torvex
