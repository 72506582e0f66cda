// Slope of the least-squares line through the last n closes, and the slope step
// that the angle embeds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>
#include <string_view>

#include "indicators/indicator.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

// The regression core's window and sums, answering the slope of its fit.
class LinRegSlopeCore {
public:
    // n below 2 fails with `short_message` (0 included); above MAX_PERIOD with the
    // maximum-window text.
    static std::expected<LinRegSlopeCore, IndicatorError> create(std::uint64_t n, std::string_view short_message);

    // Refuses a non-finite y (no value, nothing changed); once n values came, the slope.
    [[gnu::always_inline]] std::optional<double> step(double y) {
        if (!line_.advance(y)) return std::nullopt;
        return line_.slope();
    }

    // A contiguous close column, `shape(slope)` written for each bar with a value
    // (0.0 for the others); shape takes the slope as a double or as LinRegCore::Lanes.
    template <class Shape>
    [[gnu::always_inline]] void run_closes(const double* closes, std::size_t n, double* __restrict out, Shape shape) {
        line_.run_values(closes, n, out, [this, shape](const auto& l) { return shape(line_.slope(l)); });
    }

    std::uint64_t period() const { return line_.period(); }

private:
    explicit LinRegSlopeCore(LinRegCore line) : line_(std::move(line)) {}
    LinRegCore line_;
};

class LinRegSlope final : public CloseIndicator<LinRegSlope> {
public:
    static std::expected<LinRegSlope, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) { return core_.step(close); }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        core_.run_closes(closes, n, out, [](auto slope) { return slope; });
    }
    std::uint64_t warmup() const override { return core_.period(); }

private:
    explicit LinRegSlope(LinRegSlopeCore core) : core_(std::move(core)) {}
    LinRegSlopeCore core_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LinRegSlope);

}  // namespace torvex
