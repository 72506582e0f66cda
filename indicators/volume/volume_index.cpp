#include "indicators/volume/volume_index.hpp"

namespace torvex {

template <VolumeMove Move>
std::optional<double> VolumeIndex<Move>::step(const Ohlcv& bar) {
    if (prev_close_ && *prev_close_ != 0.0) {
        const double p = *prev_close_;
        const bool moved = Move == VolumeMove::Rising ? bar.volume > prev_volume_ : bar.volume < prev_volume_;
        if (moved) index_ = ((bar.close - p) / p) * index_ + index_;
    }
    prev_close_ = bar.close;
    prev_volume_ = bar.volume;
    return index_;
}

template class VolumeIndex<VolumeMove::Rising>;
template class VolumeIndex<VolumeMove::Falling>;

}  // namespace torvex
