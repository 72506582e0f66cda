#include "indicators/statistics/hurst_exponent.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "indicators/cores/anchored_mean.hpp"
#include "indicators/cores/rolling_window.hpp"

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CloseIndicator, HurstExponent);

HurstExponent::HurstExponent(std::uint64_t n, std::uint64_t chunks) : window_(n), period_(n), chunks_(chunks) {
    scratch_.reserve(n);
}

std::expected<HurstExponent, IndicatorError> HurstExponent::create(std::uint64_t n, std::uint64_t chunks) {
    if (chunks < 2) return std::unexpected(IndicatorError::invalid_period("Hurst chunks must be >= 2"));
    if (auto ok = check_max_period(chunks); !ok) return std::unexpected(ok.error());
    // chunks is at most MAX_PERIOD here, so twice it cannot wrap.
    if (n < 2 * chunks) return std::unexpected(IndicatorError::invalid_period("Hurst period must be >= 2 * chunks"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return HurstExponent(n, chunks);
}

std::optional<double> HurstExponent::step(double close) {
    push_capped(window_, period_, close);
    if (window_.size() < period_) return std::nullopt;
    scratch_.assign(window_.begin(), window_.end());

    double sx = 0.0;
    double sy = 0.0;
    double sxy = 0.0;
    double sxx = 0.0;
    double points = 0.0;
    for (std::uint64_t k = 1; k <= chunks_; ++k) {
        const std::uint64_t size = period_ / k;
        const double size_f = static_cast<double>(size);
        double rs_sum = 0.0;
        std::uint64_t valid = 0;
        for (std::uint64_t j = 0; j < k; ++j) {
            const double* chunk = scratch_.data() + j * size;
            const AnchoredMean mean = anchored_mean(chunk, chunk + size, size);
            double y = 0.0;
            double hi = -std::numeric_limits<double>::infinity();
            double lo = std::numeric_limits<double>::infinity();
            double squares = 0.0;
            for (std::uint64_t i = 0; i < size; ++i) {
                const double d = mean.deviation(chunk[i]);
                y += d;
                hi = std::max(hi, y);
                lo = std::min(lo, y);
                squares += d * d;
            }
            const double range = hi - lo;
            const double var = squares / size_f;
            if (range != 0.0 && var != 0.0) {
                rs_sum += range / std::sqrt(var);
                valid += 1;
            }
        }
        if (valid > 0) {
            const double x = std::log(size_f);
            const double yv = std::log(rs_sum / static_cast<double>(valid));
            sx += x;
            sy += yv;
            sxy += x * yv;
            sxx += x * x;
            points += 1.0;
        }
    }
    if (points < 2.0) return 0.5;
    double h = (points * sxy - sx * sy) / (points * sxx - sx * sx);
    if (h < 0.0) h = 0.0;
    else if (h > 1.0) h = 1.0;
    return h;
}

}  // namespace torvex
