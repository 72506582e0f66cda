#include "indicators/averages/sma.hpp"

#include <cmath>

namespace torvex {

std::expected<SmaCore, IndicatorError> SmaCore::create(std::uint64_t n) {
    if (auto ok = check_period(n); !ok) return std::unexpected(ok.error());
    return SmaCore(n);
}

std::optional<double> SmaCore::step(double x) {
    if (!is_finite(x)) return std::nullopt;
    const bool outweighs = ResumClock::dwarfs(x, sum_);
    if (count_ == period_) {
        sum_ = x + (sum_ - buf_[head_]);
        buf_[head_] = x;
    } else {
        buf_[head_] = x;
        sum_ = x + sum_;
        count_ += 1;
    }
    head_ += 1;
    if (head_ == period_) head_ = 0;
    if (clock_.tick(outweighs)) {
        double s = -0.0;
        for (std::uint64_t i = head_; i < period_; ++i) s += buf_[i];
        for (std::uint64_t i = 0; i < head_; ++i) s += buf_[i];
        sum_ = s;
    }
    if (count_ == period_) return sum_ / static_cast<double>(period_);
    return std::nullopt;
}

std::expected<Sma, IndicatorError> Sma::create(std::uint64_t n) {
    auto core = SmaCore::create(n);
    if (!core) return std::unexpected(core.error());
    return Sma(std::move(*core));
}

}  // namespace torvex
