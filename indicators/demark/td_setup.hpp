// DeMark setup: the signed run of closes below (+k) or above (-k) the close L bars
// earlier, capped at K; an equal close answers 0.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/demark/setup_count.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class TdSetup final : public CandleIndicator<TdSetup> {
public:
    // L == 0 or K == 0: ZeroPeriod; L above MAX_PERIOD: the maximum text.
    static std::expected<TdSetup, IndicatorError> create(std::uint64_t lookback, std::uint64_t cap);

    std::optional<double> step(const Ohlcv& bar) {
        const std::optional<double> reference = closes_.push(bar.close);
        if (!reference) return std::nullopt;
        count_.step(bar.close, *reference, cap_);
        if (count_.buy > 0) return static_cast<double>(count_.buy);
        if (count_.sell > 0) return -static_cast<double>(count_.sell);
        return 0.0;
    }
    std::uint64_t warmup() const override { return closes_.lookback() + 1; }

private:
    TdSetup(std::uint64_t lookback, std::uint64_t cap) : closes_(lookback), cap_(cap) {}

    LaggedCloses closes_;
    std::uint64_t cap_;
    SetupCount count_;
};

TORVEX_LOOP_IN_OWN_FILE(CandleIndicator, TdSetup);

}  // namespace torvex
