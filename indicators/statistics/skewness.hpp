// Population skewness of the last n closes.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/moment_window.hpp"

namespace torvex {

class Skewness final : public CloseIndicator<Skewness> {
public:
    // n below 3 (0 included): "skewness needs period >= 3"; above MAX_PERIOD: refused.
    static std::expected<Skewness, IndicatorError> create(std::uint64_t n);

    // 0.0 for a window without spread.
    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return window_.period(); }

private:
    explicit Skewness(std::uint64_t n) : window_(n) {}
    MomentWindow window_;
};

}  // namespace torvex
