// Names whose answer reads filters or averages that a flat run (high = low = close,
// no volume) decays by constant factors: through a run of any length, and on the moves
// after it, each answers what its recurrences give in exact arithmetic. The reference
// is a long-double model of each name's recurrences: its exponent reaches 2^-16382,
// so it carries the states through these runs with all their digits. A history that
// opens flat keeps the definition's answer for a divisor of exactly 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

using Model = std::function<std::optional<long double>(const Ohlcv&)>;

// EMA seeded with the mean of its first p inputs.
struct SeededAverage {
    long double alpha, keep, sum = 0.0L, value = 0.0L;
    std::size_t period, count = 0;
    explicit SeededAverage(std::size_t p)
        : alpha(2.0 / (static_cast<double>(p) + 1.0)), keep(1.0 - 2.0 / (static_cast<double>(p) + 1.0)), period(p) {}
    bool feed(long double x) {
        if (count == period) {
            value = alpha * x + keep * value;
            return true;
        }
        sum += x;
        if (++count < period) return false;
        value = sum / static_cast<long double>(period);
        return true;
    }
};

// c1·(u + previous u)/2 + c2·out1 + c3·out2 once two outputs exist; the input before.
struct Smoother {
    long double c1, c2, c3, prev = 0.0L, out1 = 0.0L, out2 = 0.0L;
    int outputs = 0;
    long double step(long double u) {
        long double out = u;
        if (outputs == 2) out = c1 * ((u + prev) / 2.0L) + c2 * out1 + c3 * out2;
        else outputs += 1;
        out2 = out1;
        out1 = out;
        prev = u;
        return out;
    }
};

Smoother smoother_of_length(double length) {
    const double a = std::exp(-4.442882938158366 / length);
    const double c2 = 2.0 * a * std::cos(4.442882938158366 / length), c3 = -a * a;
    return Smoother{(1.0 - c2) - c3, c2, c3};
}

Model chaikin_model(std::size_t e, std::size_t r) {
    return [ema = SeededAverage(e), window = std::deque<long double>(), r](const Ohlcv& b) mutable
           -> std::optional<long double> {
        if (!ema.feed(static_cast<long double>(b.high) - b.low)) return std::nullopt;
        window.push_back(ema.value);
        if (window.size() < r + 1) return std::nullopt;
        if (window.size() > r + 1) window.pop_front();
        const long double old = window.front();
        return old == 0.0L ? 0.0L : (ema.value - old) / old * 100.0L;
    };
}

Model mass_index_model(std::size_t e, std::size_t s) {
    return [first = SeededAverage(e), second = SeededAverage(e), ratios = std::deque<long double>(), s](
               const Ohlcv& b) mutable -> std::optional<long double> {
        if (!first.feed(static_cast<long double>(b.high) - b.low) || !second.feed(first.value)) return std::nullopt;
        ratios.push_back(second.value == 0.0L ? 1.0L : first.value / second.value);
        if (ratios.size() > s) ratios.pop_front();
        if (ratios.size() < s) return std::nullopt;
        long double sum = 0.0L;
        for (long double q : ratios) sum += q;
        return sum;
    };
}

Model even_better_sinewave_model(double duration, double smoothing) {
    const double w = 6.283185307179586 / duration;
    const long double alpha1 = (1.0 - std::sin(w)) / std::cos(w);
    return [alpha1, smoother = smoother_of_length(smoothing), prev = std::optional<long double>(), hp = 0.0L,
            f = std::deque<long double>()](const Ohlcv& b) mutable -> std::optional<long double> {
        hp = prev ? alpha1 * hp + (b.close - *prev) * ((1.0L + alpha1) / 2.0L) : 0.0L;
        prev = b.close;
        f.push_front(smoother.step(hp));
        if (f.size() > 3) f.pop_back();
        if (f.size() < 3) return std::nullopt;
        const long double wave = (f[0] + f[1] + f[2]) / 3.0L;
        const long double power = (f[0] * f[0] + f[1] * f[1] + f[2] * f[2]) / 3.0L;
        return power == 0.0L ? 0.0L : std::clamp(wave / std::sqrt(power), -1.0L, 1.0L);
    };
}

Model ehlers_stochastic_model(std::size_t n) {
    constexpr long double kAlpha = 0.1230235370072432;
    return [n, smoother = Smoother{0.2531948016118099, 1.1580458998309644, -0.4112407014427743},
            prev = std::optional<long double>(), hp = 0.0L, window = std::deque<long double>(),
            prev_s = std::optional<long double>()](const Ohlcv& b) mutable -> std::optional<long double> {
        hp = prev ? (1.0L - kAlpha / 2.0L) * (b.close - *prev) + (1.0L - kAlpha) * hp : 0.0L;
        prev = b.close;
        const long double f = smoother.step(hp);
        window.push_back(f);
        if (window.size() > n) window.pop_front();
        if (window.size() < n) return std::nullopt;
        const long double hi = *std::max_element(window.begin(), window.end());
        const long double lo = *std::min_element(window.begin(), window.end());
        const long double s = hi - lo > 0.0L ? (f - lo) / (hi - lo) * 2.0L - 1.0L : 0.0L;
        const long double result = prev_s ? (*prev_s + s) / 2.0L : s;
        prev_s = s;
        return result;
    };
}

// The roofing filter (high-pass hi, super smoother 10), the Pearson correlation of its
// newest three values with the three at each lag 0..hi, their spectrum smoothed per
// period lo..hi against a decaying peak, and the power-weighted mean of the periods
// at half the peak or more.
Model periodogram_model(std::size_t lo, std::size_t hi) {
    const long double w = 6.283185307179586L / static_cast<long double>(hi);
    const long double alpha = (std::cos(w) + std::sin(w) - 1.0L) / std::cos(w);
    std::vector<std::pair<long double, long double>> trig;  // (cos, sin) of 2π·j/p, p outer
    for (std::size_t p = lo; p <= hi; ++p)
        for (std::size_t j = 3; j <= hi; ++j) {
            const long double t = 6.283185307179586L * static_cast<long double>(j) / static_cast<long double>(p);
            trig.emplace_back(std::cos(t), std::sin(t));
        }
    return [lo, hi, alpha, trig, smoother = smoother_of_length(10.0), prev = std::optional<long double>(), hp = 0.0L,
            f = std::deque<long double>(), corr = std::vector<long double>(hi + 1),
            power = std::vector<long double>(hi + 1), peak = 0.0L](const Ohlcv& b) mutable -> std::optional<long double> {
        hp = prev ? (1.0L - alpha / 2.0L) * (b.close - *prev) + (1.0L - alpha) * hp : 0.0L;
        prev = b.close;
        f.push_front(smoother.step(hp));
        if (f.size() > hi + 3) f.pop_back();
        if (f.size() < hi + 3) return std::nullopt;
        for (std::size_t lag = 0; lag <= hi; ++lag) {
            long double sx = 0.0L, sy = 0.0L, sxx = 0.0L, syy = 0.0L, sxy = 0.0L;
            for (std::size_t k = 0; k < 3; ++k) {
                sx += f[k], sy += f[lag + k], sxx += f[k] * f[k], syy += f[lag + k] * f[lag + k];
                sxy += f[k] * f[lag + k];
            }
            const long double d = (3.0L * sxx - sx * sx) * (3.0L * syy - sy * sy);
            corr[lag] = d > 0.0L ? (3.0L * sxy - sx * sy) / std::sqrt(d) : 0.0L;
        }
        peak *= 0.995L;
        for (std::size_t p = lo, at = 0; p <= hi; ++p) {
            long double c = 0.0L, s = 0.0L;
            for (std::size_t j = 3; j <= hi; ++j, ++at) c += corr[j] * trig[at].first, s += corr[j] * trig[at].second;
            power[p] = 0.2L * (c * c + s * s) * (c * c + s * s) + 0.8L * power[p];
            peak = std::max(peak, power[p]);
        }
        long double num = 0.0L, den = 0.0L;
        for (std::size_t p = lo; p <= hi && peak > 0.0L; ++p)
            if (power[p] / peak >= 0.5L) num += static_cast<long double>(p) * power[p] / peak, den += power[p] / peak;
        return den > 0.0L ? num / den : static_cast<long double>(lo);
    };
}

// Closes that ring at 17 and 31 bars under seeded noise, so that the dominant cycle
// lies inside the periodogram's range.
std::vector<Ohlcv> ringing_bars(std::size_t count) {
    std::vector<Ohlcv> bars = wavy_bars(count);
    std::uint64_t s = 7;
    for (std::size_t i = 0; i < count; ++i) {
        s = s * 6364136223846793005ull + 1442695040888963407ull;
        const double t = static_cast<double>(i) * 6.283185307179586, noise = static_cast<double>(s >> 11) * 0x1p-53;
        const double c = 100.0 + 2.0 * std::sin(t / 17.0) + std::sin(t / 31.0) + 0.5 * noise;
        bars[i].open = bars[i].high = bars[i].low = bars[i].close = c;
    }
    return bars;
}

struct FlatRunCase {
    const char* name;
    std::vector<double> params;
    std::function<Model()> model;
    std::size_t walk;  // bars before the run (0: the history opens flat)
    std::size_t flat;
    int scale = 0;  // prices times 2^scale
    std::vector<Ohlcv> (*history)(std::size_t) = nullptr;  // the bars around the run; wavy_bars if null
};

TEST(FlatRunScaledStates, AnswersFollowTheRecurrencesThroughAndAfterTheRun) {
    const std::vector<FlatRunCase> cases = {
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 200, 12000},
        {"ChaikinVolatility", {2, 2}, [] { return chaikin_model(2, 2); }, 200, 5000},
        // A 500-bar halt: the first range after it is about 1e44 times the average
        // ten bars before, still in the double range.
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 200, 500},
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 0, 300},
        // Prices near 2^-871 put the average below the scaled range before the window
        // of 209 has filled: the run must be held scaled from the fill on.
        {"ChaikinVolatility", {2, 209}, [] { return chaikin_model(2, 209); }, 20, 400, -871},
        {"MassIndex", {9, 25}, [] { return mass_index_model(9, 25); }, 200, 12000},
        {"MassIndex", {9, 25}, [] { return mass_index_model(9, 25); }, 0, 300},
        {"EvenBetterSinewave", {40, 10}, [] { return even_better_sinewave_model(40, 10); }, 200, 12000},
        {"EvenBetterSinewave", {3, 3}, [] { return even_better_sinewave_model(3, 3); }, 200, 4000},
        {"EvenBetterSinewave", {40, 10}, [] { return even_better_sinewave_model(40, 10); }, 0, 300},
        {"EhlersStochastic", {20}, [] { return ehlers_stochastic_model(20); }, 200, 12000},
        {"EhlersStochastic", {20}, [] { return ehlers_stochastic_model(20); }, 0, 300},
        // The correlations' divisors are of degree 4 in the filter: they left the
        // double range some 1,400 bars into a run at price 100, far sooner at 2^-300,
        // and at once at 2^300.
        {"AutocorrelationPeriodogram", {10, 48}, [] { return periodogram_model(10, 48); }, 200, 3000, 0, ringing_bars},
        {"AutocorrelationPeriodogram", {10, 48}, [] { return periodogram_model(10, 48); }, 200, 3000, 300, ringing_bars},
        {"AutocorrelationPeriodogram", {10, 48}, [] { return periodogram_model(10, 48); }, 200, 3000, -300, ringing_bars},
        {"AutocorrelationPeriodogram", {10, 48}, [] { return periodogram_model(10, 48); }, 200, 20000, 0, ringing_bars},
        {"AutocorrelationPeriodogram", {4, 19}, [] { return periodogram_model(4, 19); }, 200, 3000, -300, ringing_bars},
        {"AutocorrelationPeriodogram", {10, 48}, [] { return periodogram_model(10, 48); }, 0, 300, 0, ringing_bars},
    };
    for (const FlatRunCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.params[0]) + " walk " + std::to_string(c.walk) +
                     " flat " + std::to_string(c.flat) + " at 2^" + std::to_string(c.scale));
        IndicatorBox ind = make_named(c.name, c.params);
        ASSERT_TRUE(ind);
        Model model = c.model();
        const auto around = [&](std::size_t n) { return c.history ? c.history(n) : wavy_bars(n); };
        std::vector<Ohlcv> bars = around(c.walk);
        const double p = c.walk ? bars.back().close : 100.0;
        for (std::size_t i = 0; i < c.flat; ++i) bars.push_back(Ohlcv{0, p, p, p, p, 0.0});
        for (const Ohlcv& b : around(40)) bars.push_back(b);
        for (Ohlcv& b : bars)
            for (double* v : {&b.open, &b.high, &b.low, &b.close}) *v = std::ldexp(*v, c.scale);
        std::size_t bad = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const std::optional<double> got = ind->update(BarContext(bars[i]));
            const std::optional<long double> want = model(bars[i]);
            ASSERT_EQ(got.has_value(), want.has_value()) << "bar " << i;
            if (!got) continue;
            // Beyond the double range the definition's quotient reads 0.
            const long double due = std::fabs(*want) > DBL_MAX ? 0.0L : *want;
            if (std::fabs(*got - due) > 1e-8L * std::max(1.0L, std::fabs(due)) && bad++ < 3)
                ADD_FAILURE() << "bar " << i << " got " << *got << " want " << static_cast<double>(due);
        }
        EXPECT_EQ(bad, 0u);
    }
}

}  // namespace
}  // namespace torvex::test
