#include "indicators/volume/obv.hpp"

namespace torvex {

std::optional<double> Obv::step(const Ohlcv& bar) {
    if (prev_close_) {
        if (bar.close > *prev_close_) {
            line_.add(bar.volume);
        } else if (bar.close < *prev_close_) {
            line_.add(-bar.volume);
        }
    }
    prev_close_ = bar.close;
    return line_.value();
}

}  // namespace torvex
