// Chande forecast oscillator: percent distance of the close from the least-squares
// line through the last n closes, at the newest bar.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

class Cfo final : public CloseIndicator<Cfo> {
public:
    static std::expected<Cfo, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return line_.period(); }

private:
    explicit Cfo(LinRegCore line) : line_(std::move(line)) {}

    // A zero close has no percent distance; the previous answer stands for it.
    std::optional<double> last_;
    LinRegCore line_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Cfo);

}  // namespace torvex
