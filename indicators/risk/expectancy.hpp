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
    std::optional<double> step(double close) {
        if (!window_.push(close)) return std::nullopt;
        if (window_.losses() == 0) return 0.0;
        const double nf = static_cast<double>(window_.period());
        return (window_.sum() / nf) / (window_.loss_total() / static_cast<double>(window_.losses()));
    }
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Expectancy(std::uint64_t n) : window_(n) {}

    ReturnWindow window_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Expectancy);

}  // namespace torvex
