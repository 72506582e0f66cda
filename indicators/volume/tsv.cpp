#include "indicators/volume/tsv.hpp"

namespace torvex {

std::expected<Tsv, IndicatorError> Tsv::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return Tsv(n);
}

std::optional<double> Tsv::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const double t = bar.volume * (bar.close - *prev_close_);
    prev_close_ = bar.close;
    terms_.push(t);
    if (!terms_.full()) return std::nullopt;
    return terms_.sum();
}

}  // namespace torvex
