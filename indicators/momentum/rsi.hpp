// Wilder relative strength index of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/rsi_core.hpp"

namespace torvex {

class Rsi final : public CloseIndicator<Rsi> {
public:
    static std::expected<Rsi, IndicatorError> create(std::uint64_t n);

    std::optional<double> step(double close) { return core_.step(close); }
    std::uint64_t warmup() const override { return core_.period() + 1; }

private:
    explicit Rsi(RsiCore core) : core_(std::move(core)) {}
    RsiCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Rsi);

}  // namespace torvex
