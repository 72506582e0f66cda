// Excess kurtosis (population moments) of the last n closes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/moment_window.hpp"

namespace torvex {

class Kurtosis final : public CloseIndicator<Kurtosis> {
public:
    // n below 4 (0 included): "kurtosis needs period >= 4"; above MAX_PERIOD: refused.
    static std::expected<Kurtosis, IndicatorError> create(std::uint64_t n);

    // 0.0 for a window without spread.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Kurtosis(std::uint64_t n) : window_(n) {}
    MomentWindow window_;
};

}  // namespace torvex
