// The one-bar logarithmic return of an accepted close, shared by the volatility
// measures over log returns: only a close above zero is accepted (the caller has
// already refused a non-finite one), and a refused close leaves the previous
// accepted close in place, so the next return spans the refused bar.
#pragma once

#include <cmath>
#include <optional>

namespace torvex {

// True for a close that a log return can be taken of: above zero (both zeros and
// every negative value are refused; positive subnormals pass).
constexpr bool accepts_log_close(double close) { return close > 0.0; }

class LogReturnStep {
public:
    // Nothing (and no change) for a refused close; nothing for the first accepted
    // close, which only becomes the previous one; else ln(close / previous close).
    std::optional<double> push(double close) {
        if (!accepts_log_close(close)) return std::nullopt;
        if (!prev_) {
            prev_ = close;
            return std::nullopt;
        }
        const double r = std::log(close / *prev_);
        prev_ = close;
        return r;
    }

private:
    std::optional<double> prev_;
};

}  // namespace torvex
