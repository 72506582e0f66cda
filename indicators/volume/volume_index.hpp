// Positive and negative volume indexes: an index from 1000 that follows the relative
// close change only on bars whose volume rose (positive) or fell (negative).
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"

namespace torvex {

enum class VolumeMove : std::uint8_t { Rising, Falling };

template <VolumeMove Move>
class VolumeIndex final : public CandleIndicator<VolumeIndex<Move>> {
public:
    static std::expected<VolumeIndex, IndicatorError> create() { return VolumeIndex(); }

    // 1000 on the first bar; the index is kept on a bar without the volume move and
    // after a previous close of 0.
    std::optional<double> step(const Ohlcv& bar);
    std::uint64_t warmup() const override { return 1; }

private:
    VolumeIndex() = default;

    std::optional<double> prev_close_;
    double prev_volume_ = 0.0;
    // index = ((c − p)/p)·index + index, a plain double: each move multiplies the
    // index, so a compensation term carried over from earlier moves would be at
    // the wrong scale (a fall to 0 must leave exactly 0).
    double index_ = 1000.0;
};

using Pvi = VolumeIndex<VolumeMove::Rising>;
using Nvi = VolumeIndex<VolumeMove::Falling>;

extern template class VolumeIndex<VolumeMove::Rising>;
extern template class VolumeIndex<VolumeMove::Falling>;

}  // namespace torvex
