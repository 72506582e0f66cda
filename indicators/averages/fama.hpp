// The following average of the MESA adaptive moving average, published alone.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/hilbert_core.hpp"

namespace torvex {

class Fama final : public CloseIndicator<Fama> {
public:
    // The limits follow the MESA core's rule: 0 < slow_limit <= fast_limit <= 1.
    static std::expected<Fama, IndicatorError> create(double fast_limit, double slow_limit);

    std::optional<double> step(double close);
    std::uint64_t warmup() const override { return 33; }

private:
    explicit Fama(MamaCore core) : core_(std::move(core)) {}
    MamaCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, Fama);

}  // namespace torvex
