// Angle, in degrees, of the least-squares line through the last n closes.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"

namespace torvex {

class LinRegAngle final : public CloseIndicator<LinRegAngle> {
public:
    static std::expected<LinRegAngle, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) {
        const std::optional<double> slope = core_.step(close);
        if (!slope) return std::nullopt;
        return std::atan(*slope) * 57.29577951308232;
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit LinRegAngle(LinRegSlopeCore core) : core_(std::move(core)) {}
    LinRegSlopeCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LinRegAngle);

}  // namespace torvex
