// Mean return over the largest drawdown of the window's equity path.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class CalmarRatio final : public CloseIndicator<CalmarRatio> {
public:
    // n below 2: InvalidPeriod "calmar ratio needs period >= 2"; then M.
    static std::expected<CalmarRatio, IndicatorError> create(std::uint64_t n);

    // (sum / n) / maxdd once n returns are held; 0.0 when the equity never falls.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit CalmarRatio(std::uint64_t n) : window_(n) {}

    ReturnWindow window_;  // running sum re-added every n updates
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, CalmarRatio);

}  // namespace torvex
