// Chande momentum oscillator of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/cmo_core.hpp"

namespace torvex {

class Cmo final : public CloseIndicator<Cmo> {
public:
    static std::expected<Cmo, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) { return core_.step(close); }
    // The first close only primes the change.
    std::uint64_t warmup() const override { return core_.period() + 1; }

private:
    explicit Cmo(CmoCore core) : core_(std::move(core)) {}
    CmoCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Cmo);

}  // namespace torvex
