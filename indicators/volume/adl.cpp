#include "indicators/volume/adl.hpp"

#include "indicators/volume/bar_transforms.hpp"

namespace torvex {

std::optional<double> Adl::step(const Ohlcv& bar) {
    line_.add(money_flow_volume(bar));
    return line_.value();
}

}  // namespace torvex
