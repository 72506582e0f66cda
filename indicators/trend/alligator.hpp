// Williams' alligator: three smoothed moving averages of the median price, the jaw,
// teeth and lips, published for the current bar (no forward shift).
#pragma once

#include <array>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/averages/smma.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

struct AlligatorPoint {
    double jaw;
    double teeth;
    double lips;
};

// The three lines, shared by the alligator and the gator oscillator.
class AlligatorLines {
public:
    // Any period 0: ZeroPeriod (all three tested first); then jaw, teeth, lips
    // against MAX_PERIOD in that order.
    static std::expected<AlligatorLines, IndicatorError> create(std::uint64_t jaw, std::uint64_t teeth,
                                                                std::uint64_t lips);

    // One validated candle; answers once all three lines are seeded.
    std::optional<AlligatorPoint> step(const Ohlcv& bar);
    std::uint64_t warmup() const { return warmup_; }

private:
    AlligatorLines(Smma jaw, Smma teeth, Smma lips, std::uint64_t warmup)
        : jaw_(std::move(jaw)), teeth_(std::move(teeth)), lips_(std::move(lips)), warmup_(warmup) {}

    Smma jaw_;
    Smma teeth_;
    Smma lips_;
    std::uint64_t warmup_;  // the longest period
};

class Alligator final : public MultiOutput<Alligator, 3> {
public:
    static constexpr std::array<std::string_view, 3> kOutputNames{"jaw", "teeth", "lips"};
    static constexpr InputGate kGate = InputGate::Candle;

    static std::expected<Alligator, IndicatorError> create(std::uint64_t jaw, std::uint64_t teeth,
                                                           std::uint64_t lips);

    std::optional<std::array<double, 3>> step(const BarContext& ctx) {
        const std::optional<AlligatorPoint> p = lines_.step(ctx.candle);
        if (!p) return std::nullopt;
        return std::array<double, 3>{p->jaw, p->teeth, p->lips};
    }
    std::uint64_t warmup() const override { return lines_.warmup(); }

private:
    explicit Alligator(AlligatorLines lines) : lines_(std::move(lines)) {}

    AlligatorLines lines_;
};

TORVEX_LOOP_IN_OWN_FILE(MultiOutput, Alligator, 3);

}  // namespace torvex
