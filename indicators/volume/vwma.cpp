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
    }
    const bool outweighs = ResumClock::dwarfs(price * volume, pv_sum_) || ResumClock::dwarfs(volume, volume_sum_) ||
                           ResumClock::dwarfs(price, price_sum_);
    pv_sum_ += price * volume;
    volume_sum_ += volume;
    price_sum_ += price;
    if (clock_.tick(outweighs)) {
        double pv = -0.0;
        double v = -0.0;
        double p = -0.0;
        window_.for_each([&](const Pair& e) {
            pv += e.price * e.volume;
            v += e.volume;
            p += e.price;
        });
        pv_sum_ = pv;
        volume_sum_ = v;
        price_sum_ = p;
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
