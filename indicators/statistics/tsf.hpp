// Time-series forecast: the least-squares line through the last n closes, continued
// one bar ahead. `TsfCore` is the forecast step that other indicators embed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

// Rolling least-squares forecast over n values (n >= 2): the regression core's line
// evaluated one position past the newest value.
class TsfCore {
public:
    // Refuses n < 2 ("time series forecast needs period >= 2"), then n above MAX_PERIOD.
    static std::expected<TsfCore, IndicatorError> create(std::uint64_t n);

    // Refuses a non-finite y (no value, nothing changed); once n values have come,
    // the line's value at position n, one step after the newest.
    [[gnu::always_inline]] std::optional<double> step(double y) {
        if (!line_.advance(y)) return std::nullopt;
        return forecast(line_.line());
    }

    // A contiguous column of values: the forecast for each bar with one, 0.0 for the others.
    [[gnu::always_inline]] void run_values(const double* ys, std::size_t n, double* __restrict out) {
        line_.run_values(ys, n, out, [this](const auto& l) { return forecast(l); });
    }

    std::uint64_t period() const { return line_.period(); }

private:
    template <class V>
    V forecast(const LineAt<V>& l) const {
        return line_.slope(l) * line_.positions().n + line_.intercept(l);
    }

    explicit TsfCore(LinRegCore line) : line_(std::move(line)) {}

    LinRegCore line_;
};

class Tsf final : public CloseIndicator<Tsf> {
public:
    static std::expected<Tsf, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) { return core_.step(close); }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        core_.run_values(closes, n, out);
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Tsf(TsfCore core) : core_(std::move(core)) {}
    TsfCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Tsf);

}  // namespace torvex
