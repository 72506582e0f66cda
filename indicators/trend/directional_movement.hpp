// The Wilder directional-movement lines: the smoothed +DM and −DM, the directional
// indices +DI and −DI, and their spread DX. All five keep the same smoothed sums
// and differ only in what they read from them.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/directional_smoother.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

struct PlusDmLine {
    static constexpr unsigned kWanted = kWantPlusDm;
    static double of(DirectionalSmoother& dm) { return dm.sums().plus_dm; }
};
struct MinusDmLine {
    static constexpr unsigned kWanted = kWantMinusDm;
    static double of(DirectionalSmoother& dm) { return dm.sums().minus_dm; }
};
struct PlusDiLine {
    static constexpr unsigned kWanted = kWantAllSums;
    static double of(DirectionalSmoother& dm) { return dm.indices().plus_di; }
};
struct MinusDiLine {
    static constexpr unsigned kWanted = kWantAllSums;
    static double of(DirectionalSmoother& dm) { return dm.indices().minus_di; }
};
struct DxLine {
    static constexpr unsigned kWanted = kWantAllSums;
    static double of(DirectionalSmoother& dm) { return dm.directional_index(dm.indices()); }
};

template <class Line>
class DirectionalLine final : public CandleIndicator<DirectionalLine<Line>> {
public:
    // n = 0: ZeroPeriod; above MAX_PERIOD: InvalidPeriod.
    static std::expected<DirectionalLine, IndicatorError> create(std::uint64_t n) {
        if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
        return DirectionalLine(n);
    }

    // The first bar is only stored; the first value comes on bar n + 1, when the
    // smoothed sums are the plain sums of the first n movements.
    [[gnu::always_inline]] std::optional<double> step(const Ohlcv& bar) {
        if (!dm_.template advance<Line::kWanted>(bar)) return std::nullopt;
        return Line::of(dm_);
    }
    std::uint64_t warmup() const override { return dm_.period() + 1; }
    static constexpr bool kStepsOnFields = true;  // the high, the low and the close

private:
    explicit DirectionalLine(std::uint64_t n) : dm_(n) {}
    DirectionalSmoother dm_;
};

using PlusDm = DirectionalLine<PlusDmLine>;
using MinusDm = DirectionalLine<MinusDmLine>;
using PlusDi = DirectionalLine<PlusDiLine>;
using MinusDi = DirectionalLine<MinusDiLine>;
using Dx = DirectionalLine<DxLine>;

}  // namespace torvex
