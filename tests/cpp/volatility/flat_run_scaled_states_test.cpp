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

struct FlatRunCase {
    const char* name;
    std::vector<double> params;
    std::function<Model()> model;
    std::size_t walk;  // bars before the run (0: the history opens flat)
    std::size_t flat;
};

TEST(FlatRunScaledStates, AnswersFollowTheRecurrencesThroughAndAfterTheRun) {
    const std::vector<FlatRunCase> cases = {
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 200, 12000},
        {"ChaikinVolatility", {2, 2}, [] { return chaikin_model(2, 2); }, 200, 5000},
        // A 500-bar halt: the first range after it is about 1e44 times the average
        // ten bars before, still in the double range.
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 200, 500},
        {"ChaikinVolatility", {10, 10}, [] { return chaikin_model(10, 10); }, 0, 300},
        {"MassIndex", {9, 25}, [] { return mass_index_model(9, 25); }, 200, 12000},
        {"MassIndex", {9, 25}, [] { return mass_index_model(9, 25); }, 0, 300},
        {"EvenBetterSinewave", {40, 10}, [] { return even_better_sinewave_model(40, 10); }, 200, 12000},
        {"EvenBetterSinewave", {3, 3}, [] { return even_better_sinewave_model(3, 3); }, 200, 4000},
        {"EvenBetterSinewave", {40, 10}, [] { return even_better_sinewave_model(40, 10); }, 0, 300},
        {"EhlersStochastic", {20}, [] { return ehlers_stochastic_model(20); }, 200, 12000},
        {"EhlersStochastic", {20}, [] { return ehlers_stochastic_model(20); }, 0, 300},
    };
    for (const FlatRunCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.params[0]) + " walk " + std::to_string(c.walk) +
                     " flat " + std::to_string(c.flat));
        IndicatorBox ind = make_named(c.name, c.params);
        ASSERT_TRUE(ind);
        Model model = c.model();
        std::vector<Ohlcv> bars = wavy_bars(c.walk);
        const double p = c.walk ? bars.back().close : 100.0;
        for (std::size_t i = 0; i < c.flat; ++i) bars.push_back(Ohlcv{0, p, p, p, p, 0.0});
        for (const Ohlcv& b : wavy_bars(40)) bars.push_back(b);
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
