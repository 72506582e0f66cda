// Annualised volatility from the bars' ranges: the Garman-Klass, Parkinson and
// Rogers-Satchell estimators over a window of per-bar variance terms. The three
// share parameters, window and annualising and differ only in the per-bar term.
#pragma once

#include <cmath>
#include <cstdint>
#include <expected>
#include <optional>
#include <utility>

#include "indicators/cores/summed_window.hpp"
#include "indicators/indicator.hpp"

namespace torvex {

struct GarmanKlassTerm {
    // 0.5·ln(h/l)² − (2 ln 2 − 1)·ln(c/o)²; the window mean is the variance.
    static double term(const Ohlcv& b) {
        const double a = std::log(b.high / b.low);
        const double c = std::log(b.close / b.open);
        return (0.5 * a) * a + (-0.3862943611198906 * c) * c;
    }
    static double variance(double sum, double w) { return sum / w; }
};

struct ParkinsonTerm {
    // ln(h/l)², scaled by 1/(4 ln 2) over the window.
    static double term(const Ohlcv& b) {
        const double a = std::log(b.high / b.low);
        return a * a;
    }
    static double variance(double sum, double w) { return (sum * 0.3606737602222412) / w; }
};

struct RogersSatchellTerm {
    // ln(h/c)·ln(h/o) + ln(l/c)·ln(l/o), drift-free.
    static double term(const Ohlcv& b) {
        return std::fma(std::log(b.high / b.close), std::log(b.high / b.open),
                        std::log(b.low / b.close) * std::log(b.low / b.open));
    }
    static double variance(double sum, double w) { return sum / w; }
};

template <class Term>
class RangeVolatility final : public CandleIndicator<RangeVolatility<Term>> {
public:
    // w = 0 or y = 0: ZeroPeriod; w above MAX_PERIOD: InvalidPeriod.
    static std::expected<RangeVolatility, IndicatorError> create(std::uint64_t w, std::uint64_t y) {
        if (w == 0 || y == 0) return std::unexpected(IndicatorError::zero_period());
        auto window = SummedWindow::create(w);
        if (!window) return std::unexpected(window.error());
        return RangeVolatility(std::move(*window), y);
    }

    // Once w terms are in: sqrt(y)·sqrt(variance)·100, the variance clamped at 0.
    std::optional<double> step(const Ohlcv& bar) {
        const double t = Term::term(bar);
        if (terms_.full()) terms_.drop_oldest();
        terms_.append(t);
        terms_.count_update();
        if (!terms_.full()) return std::nullopt;
        double var = Term::variance(terms_.sum(), static_cast<double>(terms_.period()));
        if (!(var >= 0.0)) var = 0.0;
        last_ = std::sqrt(static_cast<double>(per_year_)) * std::sqrt(var) * 100.0;
        return last_;
    }

    std::uint64_t warmup() const override { return terms_.period(); }

private:
    RangeVolatility(SummedWindow window, std::uint64_t y) : terms_(std::move(window)), per_year_(y) {}

    std::optional<double> last_;
    SummedWindow terms_;
    std::uint64_t per_year_;
};

using GarmanKlassVolatility = RangeVolatility<GarmanKlassTerm>;
using ParkinsonVolatility = RangeVolatility<ParkinsonTerm>;
using RogersSatchellVolatility = RangeVolatility<RogersSatchellTerm>;

}  // namespace torvex
