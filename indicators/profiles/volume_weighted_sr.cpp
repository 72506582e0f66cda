#include "indicators/profiles/volume_weighted_sr.hpp"

namespace torvex {

std::expected<VolumeWeightedSr, IndicatorError> VolumeWeightedSr::create(std::uint64_t period) {
    if (auto ok = check_period(period); !ok) return std::unexpected(ok.error());
    return VolumeWeightedSr(period);
}

std::optional<std::array<double, 2>> VolumeWeightedSr::step(const BarContext& ctx) {
    const Ohlcv& c = ctx.candle;
    if (const std::optional<Entry> old = window_.push(Entry{c.high, c.low, c.volume})) {
        sums_.vh = sums_.vh - old->volume * old->high;
        sums_.vl = sums_.vl - old->volume * old->low;
        sums_.v = sums_.v - old->volume;
        sums_.h = sums_.h - old->high;
        sums_.l = sums_.l - old->low;
    }
    sums_.vh = sums_.vh + c.volume * c.high;
    sums_.vl = sums_.vl + c.volume * c.low;
    sums_.v = sums_.v + c.volume;
    sums_.h = sums_.h + c.high;
    sums_.l = sums_.l + c.low;
    // Every `period` bars the sums are re-added exactly, which bounds the drift of the
    // subtract-and-add updates, and as soon as one has fallen far below its recent
    // size (a huge bar has left). The prices are of one sign in any real series, so
    // their sums are their own magnitudes.
    if (clock_.tick(std::fabs(sums_.vh) + std::fabs(sums_.vl), sums_.v, std::fabs(sums_.h) + std::fabs(sums_.l))) {
        Sums exact;
        window_.for_each([&exact](const Entry& e) {
            exact.vh += e.volume * e.high;
            exact.vl += e.volume * e.low;
            exact.v += e.volume;
            exact.h += e.high;
            exact.l += e.low;
        });
        sums_ = exact;
    }
    if (!window_.full()) return std::nullopt;
    if (sums_.v > 0.0) return std::array<double, 2>{sums_.vl / sums_.v, sums_.vh / sums_.v};
    const double n = static_cast<double>(window_.capacity());
    return std::array<double, 2>{sums_.l / n, sums_.h / n};
}

}  // namespace torvex
