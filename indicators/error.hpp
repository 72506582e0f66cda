// The one error type of the indicator library and the window-length limit.
#pragma once

#include <cstdint>
#include <expected>
#include <string>
#include <string_view>

namespace torvex {

// Largest window length any indicator accepts (2^24); exactly this value is allowed.
inline constexpr std::uint64_t MAX_PERIOD = 16'777'216;

inline constexpr std::string_view kMaxPeriodMessage =
    "period exceeds the maximum supported window length (see MAX_PERIOD)";

class IndicatorError {
public:
    // Variant order is part of the contract (tags 0 to 10).
    enum class Kind : std::uint8_t {
        ZeroPeriod,
        InvalidPeriod,
        NonFiniteInput,
        InvalidCandle,
        InvalidTick,
        NonPositiveMultiplier,
        InvalidOrderBook,
        InvalidTrade,
        InvalidDerivativesTick,
        InvalidCrossSection,
        InvalidParameter,
    };

    static constexpr IndicatorError zero_period() { return {Kind::ZeroPeriod, {}}; }
    static constexpr IndicatorError non_finite_input() { return {Kind::NonFiniteInput, {}}; }
    static constexpr IndicatorError non_positive_multiplier() {
        return {Kind::NonPositiveMultiplier, {}};
    }
    // `message` must live for the whole program (a string literal).
    static constexpr IndicatorError invalid_period(std::string_view message) {
        return {Kind::InvalidPeriod, message};
    }
    static constexpr IndicatorError invalid_candle(std::string_view message) {
        return {Kind::InvalidCandle, message};
    }
    static constexpr IndicatorError invalid_parameter(std::string_view message) {
        return {Kind::InvalidParameter, message};
    }
    static constexpr IndicatorError with_message(Kind kind, std::string_view message) {
        return {kind, message};
    }
    static constexpr IndicatorError period_too_long() { return invalid_period(kMaxPeriodMessage); }

    constexpr Kind kind() const { return kind_; }
    constexpr std::string_view message() const { return message_; }

    // Appends the display text to `out`; never fails.
    void display_to(std::string& out) const;
    std::string display() const;

    friend constexpr bool operator==(const IndicatorError&, const IndicatorError&) = default;

private:
    constexpr IndicatorError(Kind kind, std::string_view message) : kind_(kind), message_(message) {}

    Kind kind_;
    std::string_view message_;
};

using Checked = std::expected<void, IndicatorError>;

// The common window-length test: 0 is ZeroPeriod, above MAX_PERIOD is InvalidPeriod.
constexpr Checked check_period(std::uint64_t n) {
    if (n == 0) return std::unexpected(IndicatorError::zero_period());
    if (n > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return {};
}

// Only the upper bound, for lengths whose lower bound has its own message.
constexpr Checked check_max_period(std::uint64_t n) {
    if (n > MAX_PERIOD) return std::unexpected(IndicatorError::period_too_long());
    return {};
}

}  // namespace torvex
