#include "indicators/volume/vwma.hpp"

namespace torvex {

std::expected<VwmaCore, IndicatorError> VwmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return VwmaCore(n);
}

std::optional<double> VwmaCore::step(double price, double volume) {
    if (const std::optional<Pair> old = window_.push(Pair{price, volume})) {
        pv_sum_ -= old->price * old->volume;
        volume_sum_ -= old->volume;
        price_sum_ -= old->price;
        pv_magnitude_ -= std::fabs(old->price * old->volume);
        price_magnitude_ -= std::fabs(old->price);
    }
    pv_sum_ += price * volume;
    volume_sum_ += volume;
    price_sum_ += price;
    pv_magnitude_ += std::fabs(price * volume);
    price_magnitude_ += std::fabs(price);
    if (clock_.tick(pv_magnitude_, volume_sum_, price_magnitude_)) {
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
    }
    if (!window_.full()) return std::nullopt;
    if (volume_sum_ > 0.0) return pv_sum_ / volume_sum_;
    return price_sum_ / static_cast<double>(window_.capacity());
}

std::expected<Vwma, IndicatorError> Vwma::create(std::uint64_t n) {
    auto core = VwmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Vwma(std::move(*core));
}

}  // namespace torvex
