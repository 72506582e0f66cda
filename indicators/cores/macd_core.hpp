// The MACD line, its signal average and their difference, stepped one close at a
// time; a small value type that the MACD-based indicators embed.
#pragma once

#include <cstdint>
#include <expected>
#include <string_view>

#include "indicators/bar.hpp"
#include "indicators/error.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

inline constexpr std::string_view kFastSlowOrderMessage = "fast period must be strictly less than slow period";

// The checks of a fast/slow/signal triple: zero tests on all three, then fast < slow
// (InvalidPeriod with `order_message`), then each against MAX_PERIOD.
Checked check_macd_periods(std::uint64_t fast, std::uint64_t slow, std::uint64_t signal,
                           std::string_view order_message = kFastSlowOrderMessage);

class MacdCore {
public:
    // Zero tests on all three, then fast < slow ("fast period must be strictly less
    // than slow period"), then each against MAX_PERIOD; every average uses 2/(k + 1).
    static std::expected<MacdCore, IndicatorError> create(std::uint64_t fast, std::uint64_t slow,
                                                          std::uint64_t signal);

    // For owners that check their own lengths or pick other smoothing factors.
    MacdCore(SeededEma fast, SeededEma slow, SeededEma signal)
        : fast_(fast), slow_(slow), signal_ema_(signal) {}

    // No input guard (the owner tests the close). Answers whether this close
    // completed a (macd, signal, histogram) triple; the last one stays readable.
    // Inline, so that an owner's column loop keeps the three averages in registers.
    bool step(double x) {
        if (has_value_) [[likely]] return step_seeded(x);
        const bool fast = fast_.feed(x);
        const bool slow = slow_.feed(x);
        if (!fast || !slow) return false;
        const double macd = fast_.value() - slow_.value();
        if (!is_finite(macd)) return false;
        if (!signal_ema_.feed(macd)) return false;
        publish(macd);
        return true;
    }

    bool has_value() const { return has_value_; }
    double macd() const { return macd_; }
    double signal() const { return signal_; }
    double histogram() const { return histogram_; }

    std::uint64_t fast_period() const { return fast_.period(); }
    std::uint64_t slow_period() const { return slow_.period(); }
    std::uint64_t signal_period() const { return signal_ema_.period(); }
    // The close that brings the first triple: the slow average's first value starts
    // the signal's seed.
    std::uint64_t first_value_bar() const { return slow_.period() + signal_ema_.period() - 1; }

private:
    // After the first triple every average is seeded: each one only smooths.
    bool step_seeded(double x) {
        fast_.smooth(x);
        slow_.smooth(x);
        const double macd = fast_.value() - slow_.value();
        if (!is_finite(macd)) return false;
        signal_ema_.smooth(macd);
        publish(macd);
        return true;
    }
    void publish(double macd) {
        macd_ = macd;
        signal_ = signal_ema_.value();
        histogram_ = macd - signal_;
        has_value_ = true;
    }

    bool has_value_ = false;
    double macd_ = 0.0;
    double signal_ = 0.0;
    double histogram_ = 0.0;
    SeededEma fast_;
    SeededEma slow_;
    SeededEma signal_ema_;
};

}  // namespace torvex
