// Overnight and intraday returns over local days in a fixed UTC offset: from the
// previous day's last close to the day's first open, and from that open to the
// current close.
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/cores/local_time.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class OvernightIntradayReturn final : public MultiOutput<OvernightIntradayReturn, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"overnight", "intraday"};
    static constexpr InputGate kGate = InputGate::Candle;

    // Any offset in minutes is accepted.
    static std::expected<OvernightIntradayReturn, IndicatorError> create(std::int32_t offset_minutes) {
        return OvernightIntradayReturn(offset_minutes);
    }

    // Nothing until the first bar of the second local day; a zero denominator
    // gives a return of 0.0.
    std::optional<std::array<double, 2>> step(const BarContext& ctx);
    std::uint64_t warmup() const override { return 2; }

private:
    explicit OvernightIntradayReturn(std::int32_t offset) : offset_(offset) {}

    std::optional<std::int64_t> day_;
    std::optional<double> prev_close_;
    std::optional<double> overnight_;
    double day_open_ = 0.0;
    std::int32_t offset_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, OvernightIntradayReturn, 2);

}  // namespace torvex
