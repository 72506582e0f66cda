#include "indicators/momentum/cfo.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, Cfo);

std::expected<Cfo, IndicatorError> Cfo::create(std::uint64_t n) {
    // Zero and the upper bound come before the regression's own minimum of 2.
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    auto line = LinRegCore::create(n);
    if (!line) return std::unexpected(line.error());
    return Cfo(std::move(*line));
}

std::optional<double> Cfo::step(double close) {
    const std::optional<double> f = line_.step(close);
    if (!f) return std::nullopt;
    if (close == 0.0) return last_;
    const double value = ((close - *f) * 100.0) / close;
    // Answered from the value itself: a copy of last_ read back just after its two
    // parts were stored would wait for those stores to reach the cache.
    last_ = value;
    return value;
}

}  // namespace torvex
