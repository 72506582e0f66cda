#include "indicators/volatility/chaikin_volatility.hpp"

#include <cmath>

namespace torvex {

TORVEX_LOOP_COMPILED_HERE(CandleIndicator, ChaikinVolatility);

std::expected<ChaikinVolatility, IndicatorError> ChaikinVolatility::create(std::uint64_t e, std::uint64_t r) {
    if (auto ok = check_period(e); !ok) return std::unexpected(ok.error());
    if (auto ok = check_period(r); !ok) return std::unexpected(ok.error());
    return ChaikinVolatility(e, r);
}

bool ChaikinVolatility::start_scaled(double ema, std::uint64_t own) {
    double v = ema;
    scale_.settle({&v});
    ema_.set_value(v);
    if (!scale_.active()) return false;
    exponents_.clear();
    for (std::uint64_t i = 0; i < own; ++i) exponents_.push_back(0);
    scaled_left_ = window_.capacity();
    return true;
}

std::optional<double> ChaikinVolatility::careful_answer(double ema, double old) {
    // Every average now in the window, this one too, is in its own units.
    start_scaled(ema, window_.capacity());
    return answer(ema, old);
}

std::optional<double> ChaikinVolatility::careful_fill(double ema) {
    // The averages already in are in their own units; this one joins with its power.
    if (!start_scaled(ema, window_.size())) {
        window_.push_back(ema);
        return std::nullopt;
    }
    exponents_.push_back(scale_.exponent());
    window_.push_back(ema_.value());
    return std::nullopt;
}

std::optional<double> ChaikinVolatility::careful_step(double range) {
    double v = ema_.value();
    double x = range;
    scale_.enter({&v}, {&x});
    ema_.set_value(v);
    ema_.smooth(x);
    v = ema_.value();
    scale_.settle({&v});
    ema_.set_value(v);
    if (!is_finite(v)) return std::nullopt;
    const std::int64_t e = scale_.exponent();
    if (!window_.full()) [[unlikely]] {  // held scaled since the window's first fill
        window_.push_back(v);
        exponents_.push_back(e);
        scaled_left_ = e != 0 ? window_.capacity() : scaled_left_ - 1;
        return std::nullopt;
    }
    const double old = window_.replace_oldest(v);
    const std::int64_t e_old = exponents_.replace_oldest(e);
    scaled_left_ = e != 0 ? window_.capacity() : scaled_left_ - 1;
    // ema / old in their own units is (v / old) · 2^(e_old − e).
    const std::int64_t d = e_old - e;
    return answer(d == 0 ? v : std::ldexp(v, DecayScale::shift_of(d)), old);
}

}  // namespace torvex
