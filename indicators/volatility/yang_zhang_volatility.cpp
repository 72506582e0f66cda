#include "indicators/volatility/yang_zhang_volatility.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, YangZhangVolatility);

namespace {
double clamp_nonneg(double v) { return v >= 0.0 ? v : 0.0; }
}  // namespace

YangZhangVolatility::YangZhangVolatility(std::uint64_t n, std::uint64_t y)
    : window_(n),
      period_(n),
      per_year_(y),
      k_(0.34 / (1.34 + (static_cast<double>(n) + 1.0) / (static_cast<double>(n) - 1.0))) {}

std::expected<YangZhangVolatility, IndicatorError> YangZhangVolatility::create(std::uint64_t n, std::uint64_t y) {
    if (n == 0 || y == 0) return std::unexpected(IndicatorError::zero_period());
    if (n < 2) return std::unexpected(IndicatorError::invalid_period("Yang-Zhang period must be >= 2"));
    if (auto ok = check_max_period(n); !ok) return std::unexpected(ok.error());
    return YangZhangVolatility(n, y);
}

double YangZhangVolatility::sample_variance(const ShiftedSums& s) const {
    const double nf = static_cast<double>(period_);
    const double m = s.s1() / nf;
    return clamp_nonneg(std::fma(nf, -(m * m), s.s2()) / (nf - 1.0));
}

void YangZhangVolatility::settle(bool periodic, bool ask_overnight, bool ask_open_close, double overnight,
                                 double open_close) {
    const double count = static_cast<double>(window_.size());
    // Each watch left to ask is asked, whatever the other answers: its questions
    // follow state of their own.
    const bool overnight_lost = ask_overnight && overnight_.asked(count, overnight);
    const bool open_close_lost = ask_open_close && open_close_.asked(count, open_close);
    if (!(periodic || overnight_lost || open_close_lost)) return;
    const auto overnights = [this](auto&& fn) { window_.for_each([&](const Terms& x) { fn(x.overnight); }); };
    const auto open_closes = [this](auto&& fn) { window_.for_each([&](const Terms& x) { fn(x.open_close); }); };
    overnight_.recenter(window_.size(), overnights);
    open_close_.recenter(window_.size(), open_closes);
    // A zero or negative price makes a term NaN or infinite.
    overnight_.wait_for_wild_to_leave(window_.size(), overnights);
    open_close_.wait_for_wild_to_leave(window_.size(), open_closes);
}

std::optional<double> YangZhangVolatility::step(const Ohlcv& bar) {
    if (!prev_close_) {
        prev_close_ = bar.close;
        return std::nullopt;
    }
    const Terms t{
        std::log(bar.open / *prev_close_),
        std::log(bar.close / bar.open),
        std::fma(std::log(bar.high / bar.close), std::log(bar.high / bar.open),
                 std::log(bar.low / bar.close) * std::log(bar.low / bar.open)),
    };
    prev_close_ = bar.close;

    if (window_.full()) {
        const Terms& old = window_.front();
        overnight_.remove(old.overnight);
        open_close_.remove(old.open_close);
        rs_sum_ -= old.rs;
    }
    window_.push(t);
    overnight_.add(t.overnight);
    open_close_.add(t.open_close);
    // Both moment windows move their anchors together: on their common periodic turn,
    // and when either has lost its precision. The usual update ends at the periodic
    // counts and each watch's first question (the gaps of a market that opens where
    // it closed are all zero: their sums stay exactly zero); the rest is out of line.
    const double count = static_cast<double>(window_.size());
    const bool overnight_turn = overnight_.period_over(period_);
    const bool open_close_turn = open_close_.period_over(period_);
    const bool overnight_steady = overnight_.steady(count) || overnight_.still(t.overnight);
    const bool open_close_steady = open_close_.steady(count) || open_close_.still(t.open_close);
    if (!(overnight_steady && open_close_steady) || overnight_turn || open_close_turn) [[unlikely]]
        settle(overnight_turn || open_close_turn, !overnight_steady, !open_close_steady, t.overnight, t.open_close);
    rs_sum_ += t.rs;
    // The range terms are never negative: their sum is its own magnitude.
    if (rs_clock_.tick(rs_sum_)) {
        double sum = 0.0;
        window_.for_each([&sum](const Terms& x) { sum += x.rs; });
        rs_sum_ = sum;
        rs_clock_.settle(
            ResumClock::first_leaves(period_, window_.size()),
            [this](auto&& fn) { window_.for_each([&fn](const Terms& x) { fn(x.rs); }); }, sum);
    }
    if (!window_.full()) return std::nullopt;

    const double var_o = sample_variance(overnight_);
    const double var_c = sample_variance(open_close_);
    const double var_rs = clamp_nonneg(rs_sum_ / static_cast<double>(period_));
    const double yz = clamp_nonneg((k_ * var_c + var_o) + (1.0 - k_) * var_rs);
    last_ = std::sqrt(static_cast<double>(per_year_)) * std::sqrt(yz) * 100.0;
    return last_;
}

}  // namespace torvex
