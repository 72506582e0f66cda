// Elder impulse as a number: +1 when both the trend average and the MACD histogram
// rise, -1 when both fall, 0 otherwise.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/macd_core.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class ElderImpulse final : public CloseIndicator<ElderImpulse> {
public:
    // e: trend average length; fast, slow, signal: the MACD lengths.
    static std::expected<ElderImpulse, IndicatorError> create(std::uint64_t e, std::uint64_t fast,
                                                              std::uint64_t slow, std::uint64_t signal);

    // Inline, so that the column loop keeps the four averages in registers.
    std::optional<double> step(double close) {
        const bool has_ema = ema_.feed(close);
        if (!macd_.step(close)) return std::nullopt;
        if (!has_ema) return std::nullopt;
        const double ema = ema_.value();
        const double histogram = macd_.histogram();
        const std::optional<double> prev_ema = prev_ema_;
        const std::optional<double> prev_histogram = prev_histogram_;
        prev_ema_ = ema;
        prev_histogram_ = histogram;
        if (!prev_ema || !prev_histogram) return std::nullopt;
        if (ema > *prev_ema && histogram > *prev_histogram) return 1.0;
        if (ema < *prev_ema && histogram < *prev_histogram) return -1.0;
        return 0.0;
    }
    std::uint64_t warmup() const override;

private:
    ElderImpulse(SeededEma ema, MacdCore macd) : macd_(macd), ema_(ema) {}

    MacdCore macd_;
    SeededEma ema_;
    std::optional<double> prev_ema_;
    std::optional<double> prev_histogram_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, ElderImpulse);

}  // namespace torvex
