#include "indicators/error.hpp"

namespace torvex {

void IndicatorError::display_to(std::string& out) const {
    switch (kind_) {
        case Kind::ZeroPeriod: out += "period must be greater than zero"; return;
        case Kind::NonFiniteInput: out += "input value must be finite (got NaN or infinity)"; return;
        case Kind::NonPositiveMultiplier: out += "multiplier must be greater than zero"; return;
        case Kind::InvalidPeriod: out += "invalid period: "; break;
        case Kind::InvalidCandle: out += "invalid candle: "; break;
        case Kind::InvalidTick: out += "invalid tick: "; break;
        case Kind::InvalidOrderBook: out += "invalid order book: "; break;
        case Kind::InvalidTrade: out += "invalid trade: "; break;
        case Kind::InvalidDerivativesTick: out += "invalid derivatives tick: "; break;
        case Kind::InvalidCrossSection: out += "invalid cross-section: "; break;
        case Kind::InvalidParameter: out += "invalid parameter: "; break;
    }
    out += message_;
}

std::string IndicatorError::display() const {
    std::string out;
    display_to(out);
    return out;
}

}  // namespace torvex
