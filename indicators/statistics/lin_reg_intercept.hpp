// Value at the oldest position of the least-squares line through the last n closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <expected>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/cores/lin_reg_core.hpp"

namespace torvex {

class LinRegIntercept final : public CloseIndicator<LinRegIntercept> {
public:
    static std::expected<LinRegIntercept, IndicatorError> create(std::uint64_t n);

    [[gnu::always_inline]] std::optional<double> step(double close) {
        if (!line_.advance(close)) return std::nullopt;
        return line_.intercept();
    }
    TORVEX_INLINE_LOOP void run_closes(const double* closes, std::size_t n, double* __restrict out) {
        line_.run_values(closes, n, out, [this](const auto& l) { return line_.intercept(l); });
    }
    std::uint64_t warmup() const override { return line_.period(); }

private:
    explicit LinRegIntercept(LinRegCore line) : line_(std::move(line)) {}
    LinRegCore line_;
};

TORVEX_LOOP_IN_OWN_FILE(CloseIndicator, LinRegIntercept);

}  // namespace torvex
