// Average result per unit of average loss over the last n returns.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/risk/window_measures.hpp"

namespace torvex {

class Expectancy final : public CloseIndicator<Expectancy> {
public:
    // Z then M on n.
    static std::expected<Expectancy, IndicatorError> create(std::uint64_t n);

    // (sum / n) / (loss total / loss count); 0.0 with no negative return held.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Expectancy(std::uint64_t n) : window_(n) {}

    ReturnWindow window_;
};

}  // namespace torvex
