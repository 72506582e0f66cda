// Angle, in degrees, of the least-squares line through the last n closes.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <type_traits>

#include "indicators/indicator.hpp"
#include "indicators/statistics/lin_reg_slope.hpp"

namespace torvex {

class LinRegAngle final : public CloseIndicator<LinRegAngle> {
public:
    static std::expected<LinRegAngle, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) {
        const std::optional<double> slope = core_.step(close);
        if (!slope) return std::nullopt;
        return degrees(*slope);
    }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        core_.run_closes(closes, n, out, [](auto slope) {
            if constexpr (std::is_same_v<decltype(slope), double>) {
                return degrees(slope);
            } else {
                for (std::size_t k = 0; k < LinRegCore::kLanes; ++k) slope[k] = degrees(slope[k]);
                return slope;
            }
        });
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    static double degrees(double slope) { return std::atan(slope) * 57.29577951308232; }

    explicit LinRegAngle(LinRegSlopeCore core) : core_(std::move(core)) {}
    LinRegSlopeCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LinRegAngle);

}  // namespace torvex
