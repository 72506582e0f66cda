// Simple moving average of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/cores/sma_core.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

class Sma final : public CloseIndicator<Sma> {
public:
    static std::expected<Sma, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit Sma(SmaCore core) : core_(std::move(core)) {}
    SmaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Sma);

}  // namespace torvex
