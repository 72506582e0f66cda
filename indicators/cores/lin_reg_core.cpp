#include "indicators/cores/lin_reg_core.hpp"

#include "indicators/bar.hpp"

namespace torvex {

PositionSums PositionSums::of(std::uint64_t n) {
    const double nf = static_cast<double>(n);
    const double sum_x = 0.5 * ((nf - 1.0) * nf);
    const double sum_x2 = ((2.0 * nf - 1.0) * ((nf - 1.0) * nf)) / 6.0;
    return PositionSums{nf, sum_x, sum_x2, nf * sum_x2 - sum_x * sum_x};
}

std::expected<LinRegCore, IndicatorError> LinRegCore::create(std::uint64_t n) {
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("linear regression needs period >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return LinRegCore(n);
}

std::optional<double> LinRegCore::step(double y) {
    if (!is_finite(y)) return std::nullopt;
    if (window_.size() == period_) {
        const double o = window_.front();
        window_.pop_front();
        // Every remaining position drops by one: subtract the old Σ(y − shift)
        // less the leaving deviation.
        const double d_o = o - sums_.shift();
        sxy_ = d_o + (sxy_ - sums_.s1());
        sums_.remove(o);
    }
    const double i = static_cast<double>(window_.size());
    window_.push_back(y);
    const double d = sums_.add(y);
    sxy_ = i * d + sxy_;
    if (sums_.recenter_due(period_, window_.size())) {
        sums_.recenter(window_.size(), [this](auto&& fn) { window_.for_each(fn); });
        double sxy = 0.0;
        double pos = 0.0;
        window_.for_each([&](double v) {
            sxy += pos * (v - sums_.shift());
            pos += 1.0;
        });
        sxy_ = sxy;
    }
    if (window_.size() < period_) return std::nullopt;
    return (pos_.n - 1.0) * slope() + intercept();
}

double LinRegCore::slope() const { return (pos_.n * sxy_ - pos_.sum_x * sums_.s1()) / pos_.denom; }

double LinRegCore::intercept() const { return sums_.shift() + (sums_.s1() - pos_.sum_x * slope()) / pos_.n; }

}  // namespace torvex
