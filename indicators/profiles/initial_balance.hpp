// Initial balance: the high and low of the first n accepted bars, held from the n-th
// bar on (the running range of the bars seen until then).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <limits>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"

namespace torvex {

// The range of the first n accepted bars; it stops moving once n bars have come.
class OpeningBars {
public:
    explicit OpeningBars(std::uint64_t n) : n_(n) {}

    void add(const Ohlcv& bar) {
        if (complete_) return;
        if (bar.high > high_) high_ = bar.high;
        if (bar.low < low_) low_ = bar.low;
        count_ += 1;
        complete_ = count_ >= n_;
    }

    double high() const { return high_; }
    double low() const { return low_; }

private:
    std::uint64_t n_;
    std::uint64_t count_ = 0;
    double high_ = -std::numeric_limits<double>::infinity();
    double low_ = std::numeric_limits<double>::infinity();
    bool complete_ = false;
};

class InitialBalance final : public MultiOutput<InitialBalance, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"high", "low"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Z then M on n.
    static std::expected<InitialBalance, IndicatorError> create(std::uint64_t n);

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        range_.add(ctx.candle);
        return std::array<double, 2>{range_.high(), range_.low()};
    }
    std::uint64_t warmup() const override { return 1; }

private:
    explicit InitialBalance(std::uint64_t n) : range_(n) {}

    OpeningBars range_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, InitialBalance, 2);

}  // namespace torvex
