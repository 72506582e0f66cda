// Absolute price oscillator: fast minus slow exponential average of the close.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/seeded_ema.hpp"

namespace torvex {

class Apo final : public CloseIndicator<Apo> {
public:
    static std::expected<Apo, IndicatorError> create(std::uint64_t fast, std::uint64_t slow);

    std::optional<double> step(double close) {
        // Both averages see every close, whether or not the other is seeded yet.
        const std::optional<double> f = fast_.step(close);
        const std::optional<double> s = slow_.step(close);
        if (!f || !s) return std::nullopt;
        return *f - *s;
    }
    std::uint64_t warmup() const override { return slow_.period(); }

private:
    Apo(std::uint64_t fast, std::uint64_t slow) : fast_(fast), slow_(slow) {}

    SeededEma fast_;
    SeededEma slow_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Apo);

}  // namespace torvex
