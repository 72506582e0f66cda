// The one-bar logarithmic return of an accepted close, shared by the volatility
// measures over log returns: only a close above zero is accepted (the caller has
// already refused a non-finite one), and a refused close leaves the previous
// accepted close in place, so the next return spans the refused bar.
#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace torvex {

// True for a close that a log return can be taken of: above zero (both zeros and
// every negative value are refused; positive subnormals pass).
constexpr bool accepts_log_close(double close) { return close > 0.0; }

// ln(x / y) for x, y above zero and finite. Where the quotient leaves the normal range
// (1e300 over 1e-300 overflows, the reverse underflows or loses digits) the difference
// of the logarithms gives it: a finite return from every pair of accepted closes.
inline double log_ratio(double x, double y) {
    const double r = x / y;
    if (r >= std::numeric_limits<double>::min() && r <= std::numeric_limits<double>::max()) [[likely]]
        return std::log(r);
    return std::log(x) - std::log(y);
}

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
        const double r = log_ratio(close, *prev_);
        prev_ = close;
        return r;
    }

private:
    std::optional<double> prev_;
};

}  // namespace torvex
