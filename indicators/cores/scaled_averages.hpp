// Averages whose values are one group of a DecayScale (see decay_scale.hpp): a run of
// bars that brings nothing decays them alike, and the scale holds their values times
// a power of two. The averages keep their values themselves (value(), set_value()), so
// these steps pass them through the scale and back.
#pragma once

#include <cstddef>
#include <utility>

#include "indicators/cores/decay_scale.hpp"

namespace torvex {

// Brings an update's two terms into the averages' units (or, where a term would
// overflow there, returns the averages to their own units: DecayScale::enter).
template <class... Averages>
void enter_averages(DecayScale& scale, double& x, double& y, Averages&... averages) {
    double v[] = {averages.value()...};
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        scale.enter({DecayState{&v[I]}...}, {DecayState{&x}, DecayState{&y}});
    }(std::index_sequence_for<Averages...>{});
    std::size_t i = 0;
    (averages.set_value(v[i++]), ...);
}

// After an update: DecayScale::settle over the averages.
template <class... Averages>
void settle_averages(DecayScale& scale, Averages&... averages) {
    double v[] = {averages.value()...};
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        scale.settle({DecayState{&v[I]}...});
    }(std::index_sequence_for<Averages...>{});
    std::size_t i = 0;
    (averages.set_value(v[i++]), ...);
}

}  // namespace torvex
