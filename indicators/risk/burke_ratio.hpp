// Mean return over the root of the summed squared drawdown depths of the window.
#pragma once

#include <cstdint>
#include <expected>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class BurkeRatio final : public WindowScan<BurkeRatio> {
public:
    // n below 2: InvalidPeriod "burke ratio needs period >= 2"; then M.
    static std::expected<BurkeRatio, IndicatorError> create(std::uint64_t n);

    // (Σr / n) / √Q over the squared episode depths Q of the equity path; 0.0
    // when Q is not above 0.
    double evaluate(const ValueRing& window) const;

private:
    explicit BurkeRatio(std::uint64_t n) : WindowScan(n) {}
};

}  // namespace torvex
