// Rolling risk and performance measures: constructor checks and messages, answers
// worked out by hand from their formulas (all-gain, all-loss and all-zero windows
// included), warm-up with refused closes, and running sums that recover after a
// huge value has left the window.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "indicators/risk/average_drawdown.hpp"
#include "indicators/risk/burke_ratio.hpp"
#include "indicators/risk/calmar_ratio.hpp"
#include "indicators/risk/common_sense_ratio.hpp"
#include "indicators/risk/conditional_value_at_risk.hpp"
#include "indicators/risk/expectancy.hpp"
#include "indicators/risk/gain_loss_ratio.hpp"
#include "indicators/risk/gain_to_pain_ratio.hpp"
#include "indicators/risk/k_ratio.hpp"
#include "indicators/risk/kelly_criterion.hpp"
#include "indicators/risk/m2_measure.hpp"
#include "indicators/risk/martin_ratio.hpp"
#include "indicators/risk/max_drawdown.hpp"
#include "indicators/risk/omega_ratio.hpp"
#include "indicators/risk/pain_index.hpp"
#include "indicators/risk/profit_factor.hpp"
#include "indicators/risk/sharpe_ratio.hpp"
#include "indicators/risk/sortino_ratio.hpp"
#include "indicators/risk/sterling_ratio.hpp"
#include "indicators/risk/tail_ratio.hpp"
#include "indicators/risk/ulcer_index.hpp"
#include "indicators/risk/upside_potential_ratio.hpp"
#include "indicators/risk/value_at_risk.hpp"
#include "indicators/risk/win_rate.hpp"
#include "risk_support.hpp"

namespace torvex {
namespace {

using risk_test::after;
using risk_test::kInf;
using test::box;
using test::kMaxText;
using test::kZeroText;

constexpr std::uint64_t kOver = MAX_PERIOD + 1;
std::uint64_t u(std::uint64_t n) { return n; }

std::string period_text(const char* what) { return std::string("invalid period: ") + what + " needs period >= 2"; }

TEST(RiskConstruct, ChecksAndMessagesInOrder) {
    const std::string conf = "invalid period: confidence must lie strictly between 0 and 1";
    const std::string m2 = "invalid parameter: risk_free must be finite and benchmark_stddev finite and non-negative";
    test::expect_builds({
        {"AverageDrawdown 0", box<AverageDrawdown>(u(0)), kZeroText},
        {"AverageDrawdown 1", box<AverageDrawdown>(u(1)), ""},
        {"AverageDrawdown over", box<AverageDrawdown>(kOver), kMaxText},
        {"BurkeRatio 0", box<BurkeRatio>(u(0)), period_text("burke ratio")},
        {"BurkeRatio 1", box<BurkeRatio>(u(1)), period_text("burke ratio")},
        {"BurkeRatio 2", box<BurkeRatio>(u(2)), ""},
        {"BurkeRatio over", box<BurkeRatio>(kOver), kMaxText},
        {"CalmarRatio 1", box<CalmarRatio>(u(1)), period_text("calmar ratio")},
        {"CalmarRatio max", box<CalmarRatio>(MAX_PERIOD), ""},
        {"CommonSenseRatio 1", box<CommonSenseRatio>(u(1)), period_text("common sense ratio")},
        {"CommonSenseRatio over", box<CommonSenseRatio>(kOver), kMaxText},
        {"CVaR 1", box<ConditionalValueAtRisk>(u(1), 0.95), period_text("conditional value-at-risk")},
        {"CVaR over first", box<ConditionalValueAtRisk>(kOver, 0.0), kMaxText},
        {"CVaR c=1", box<ConditionalValueAtRisk>(u(20), 1.0), conf},
        {"CVaR c=0", box<ConditionalValueAtRisk>(u(20), 0.0), conf},
        {"CVaR subnormal", box<ConditionalValueAtRisk>(u(20), 5e-324), ""},
        {"Expectancy 0", box<Expectancy>(u(0)), kZeroText},
        {"Expectancy over", box<Expectancy>(kOver), kMaxText},
        {"GainLossRatio 0", box<GainLossRatio>(u(0)), kZeroText},
        {"GainToPainRatio over", box<GainToPainRatio>(kOver), kMaxText},
        {"KRatio 2", box<KRatio>(u(2)), "invalid period: k-ratio needs period >= 3"},
        {"KRatio 0", box<KRatio>(u(0)), "invalid period: k-ratio needs period >= 3"},
        {"KRatio 3", box<KRatio>(u(3)), ""},
        {"KRatio over", box<KRatio>(kOver), kMaxText},
        {"KellyCriterion 0", box<KellyCriterion>(u(0)), kZeroText},
        {"M2 period first", box<M2Measure>(u(1), 0.0, -0.1), period_text("m2 measure")},
        {"M2 negative sd", box<M2Measure>(u(20), 0.0, -0.1), m2},
        {"M2 infinite sd", box<M2Measure>(u(20), 0.0, kInf), m2},
        {"M2 NaN rate", box<M2Measure>(u(20), NAN, 0.0), m2},
        {"M2 minus zero sd", box<M2Measure>(u(20), 0.01, -0.0), ""},
        {"MartinRatio 1", box<MartinRatio>(u(1)), period_text("martin ratio")},
        {"MaxDrawdown 1", box<MaxDrawdown>(u(1)), ""},
        {"MaxDrawdown 0", box<MaxDrawdown>(u(0)), kZeroText},
        {"OmegaRatio 0", box<OmegaRatio>(u(0), 0.0), kZeroText},
        {"OmegaRatio any threshold", box<OmegaRatio>(u(1), -7.5), ""},
        {"PainIndex over", box<PainIndex>(kOver), kMaxText},
        {"ProfitFactor 0", box<ProfitFactor>(u(0)), kZeroText},
        {"SharpeRatio 0", box<SharpeRatio>(u(0), 0.0), period_text("sharpe ratio")},
        {"SharpeRatio 1", box<SharpeRatio>(u(1), 0.0), period_text("sharpe ratio")},
        {"SharpeRatio 2", box<SharpeRatio>(u(2), 0.0), ""},
        {"SharpeRatio over", box<SharpeRatio>(kOver, 0.0), kMaxText},
        {"SortinoRatio 1", box<SortinoRatio>(u(1), 0.0), period_text("sortino ratio")},
        {"SterlingRatio 1", box<SterlingRatio>(u(1)), period_text("sterling ratio")},
        {"TailRatio 1", box<TailRatio>(u(1)), period_text("tail ratio")},
        {"UlcerIndex 0", box<UlcerIndex>(u(0)), kZeroText},
        {"UlcerIndex max", box<UlcerIndex>(MAX_PERIOD), ""},
        {"Upside 1", box<UpsidePotentialRatio>(u(1), 0.0), period_text("upside potential ratio")},
        {"Upside mar", box<UpsidePotentialRatio>(u(2), kInf), "invalid parameter: mar must be finite"},
        {"ValueAtRisk 20 0.95", box<ValueAtRisk>(u(20), 0.95), ""},
        {"ValueAtRisk c=0", box<ValueAtRisk>(u(20), 0.0), conf},
        {"ValueAtRisk c=1", box<ValueAtRisk>(u(20), 1.0), conf},
        {"ValueAtRisk c<0", box<ValueAtRisk>(u(20), -0.5), conf},
        {"ValueAtRisk NaN", box<ValueAtRisk>(u(20), NAN), conf},
        {"ValueAtRisk period first", box<ValueAtRisk>(u(1), 0.95), period_text("value-at-risk")},
        {"WinRate 0", box<WinRate>(u(0)), kZeroText},
        {"WinRate over", box<WinRate>(kOver), kMaxText},
    });
}

TEST(RiskValues, DrawdownMeasures) {
    const std::vector<double> mixed = {0.1, -0.1, 0.2};  // equity 1.1, 0.99, 1.188: one episode of depth 0.1
    const std::vector<double> gains = {0.1, 0.2};
    const std::vector<double> losses = {-0.1, -0.1};  // equity 0.9, 0.81: one open episode of depth 0.19
    const std::vector<double> zeros = {0.0, 0.0};
    risk_test::expect_all({
        {"AverageDrawdown 10 8 10 5", box<AverageDrawdown>(u(4)), {10, 8, 10, 5}, after(3, {0.35})},
        {"AverageDrawdown rising", box<AverageDrawdown>(u(3)), {1, 2, 3, 3}, after(2, {0.0, 0.0})},
        {"AverageDrawdown falling", box<AverageDrawdown>(u(3)), {5, 4, 3}, after(2, {0.4})},
        {"AverageDrawdown non-positive peak", box<AverageDrawdown>(u(2)), {-1, -2}, after(1, {0.0})},
        {"BurkeRatio mixed", box<BurkeRatio>(u(3)), mixed, after(2, {2.0 / 3.0})},
        {"BurkeRatio gains", box<BurkeRatio>(u(2)), gains, after(1, {0.0})},
        {"BurkeRatio losses", box<BurkeRatio>(u(2)), losses, after(1, {-0.1 / 0.19})},
        {"BurkeRatio zeros", box<BurkeRatio>(u(2)), zeros, after(1, {0.0})},
        // Two episodes of depths 0.1 and 0.5: Q = 0.26.
        {"BurkeRatio two episodes", box<BurkeRatio>(u(4)), {0.0, -0.1, 1.0 / 9.0, -0.5},
         after(3, {((-0.1 + 1.0 / 9.0 - 0.5) / 4.0) / std::sqrt(0.26)})},
        {"SterlingRatio mixed", box<SterlingRatio>(u(3)), mixed, after(2, {2.0 / 3.0})},
        {"SterlingRatio gains", box<SterlingRatio>(u(2)), gains, after(1, {0.0})},
        {"SterlingRatio losses", box<SterlingRatio>(u(2)), losses, after(1, {-0.1 / 0.19})},
        {"SterlingRatio two episodes", box<SterlingRatio>(u(4)), {0.0, -0.1, 1.0 / 9.0, -0.5},
         after(3, {((-0.1 + 1.0 / 9.0 - 0.5) / 4.0) / 0.3})},
        {"CalmarRatio mixed", box<CalmarRatio>(u(3)), mixed, after(2, {2.0 / 3.0})},
        {"CalmarRatio gains", box<CalmarRatio>(u(2)), gains, after(1, {0.0})},
        {"CalmarRatio losses", box<CalmarRatio>(u(2)), losses, after(1, {-0.1 / 0.19})},
        {"CalmarRatio zeros", box<CalmarRatio>(u(2)), zeros, after(1, {0.0})},
        // Percentage drawdowns 10 and 19: u2 = (100 + 361) / 2.
        {"MartinRatio losses", box<MartinRatio>(u(2)), losses, after(1, {-0.1 / std::sqrt(230.5)})},
        {"MartinRatio gains", box<MartinRatio>(u(2)), gains, after(1, {0.0})},
        {"MaxDrawdown 100 80 90", box<MaxDrawdown>(u(3)), {100, 80, 90}, after(2, {0.2})},
        {"MaxDrawdown slides", box<MaxDrawdown>(u(2)), {100, 80, 90, 45}, after(1, {0.2, 0.0, 0.5})},
        {"MaxDrawdown negative prices", box<MaxDrawdown>(u(2)), {-1, -5}, after(1, {0.0})},
        {"PainIndex 10 5 10", box<PainIndex>(u(3)), {10, 5, 10}, after(2, {0.5 / 3.0})},
        {"PainIndex non-positive", box<PainIndex>(u(3)), {-1, -2, 0}, after(2, {0.0})},
    });
}

TEST(RiskValues, RatiosOfGainsAndLosses) {
    risk_test::expect_all({
        {"Expectancy 2 -1", box<Expectancy>(u(2)), {2, -1}, after(1, {0.5})},
        {"Expectancy gains", box<Expectancy>(u(2)), {0.1, 0.2}, after(1, {0.0})},
        {"Expectancy losses", box<Expectancy>(u(2)), {-1, -3, -1}, after(1, {-1.0, -1.0})},
        {"GainLossRatio zeros", box<GainLossRatio>(u(3)), {0, 0, 0}, after(2, {1.0})},
        {"GainLossRatio gains", box<GainLossRatio>(u(2)), {0.1, 0.2}, after(1, {kInf})},
        {"GainLossRatio mixed", box<GainLossRatio>(u(3)), {0.2, -0.1, 0.0}, after(2, {2.0})},
        {"GainLossRatio losses", box<GainLossRatio>(u(2)), {-0.1, -0.3}, after(1, {0.0})},
        {"GainToPainRatio mixed", box<GainToPainRatio>(u(3)), {0.2, -0.1, 0.05}, after(2, {1.5})},
        {"GainToPainRatio gains", box<GainToPainRatio>(u(2)), {0.1, 0.2, 0.0}, after(1, {0.0, 0.0})},
        {"GainToPainRatio losses", box<GainToPainRatio>(u(2)), {-0.1, -0.3}, after(1, {-1.0})},
        {"KellyCriterion even", box<KellyCriterion>(u(4)), {0.1, 0.1, -0.1, 0.0}, after(3, {0.0})},
        {"KellyCriterion gains and a zero", box<KellyCriterion>(u(3)), {0.1, 0.0, 0.2}, after(2, {2.0 / 3.0})},
        {"KellyCriterion losses", box<KellyCriterion>(u(2)), {-0.1, -0.2}, after(1, {-1.0})},
        {"KellyCriterion zeros", box<KellyCriterion>(u(2)), {0.0, 0.0}, after(1, {0.0})},
        // W = 2/3, R = 0.15 / 0.1.
        {"KellyCriterion mixed", box<KellyCriterion>(u(3)), {0.1, -0.1, 0.2}, after(2, {2.0 / 3.0 - (1.0 / 3.0) / 1.5})},
        {"ProfitFactor 1 -1 2", box<ProfitFactor>(u(3)), {1, -1, 2}, after(2, {3.0})},
        {"ProfitFactor gains", box<ProfitFactor>(u(3)), {1, 2, 3}, after(2, {kInf})},
        {"ProfitFactor zeros", box<ProfitFactor>(u(3)), {0, 0, 0}, after(2, {1.0})},
        {"ProfitFactor losses", box<ProfitFactor>(u(2)), {-1, -2}, after(1, {0.0})},
        {"OmegaRatio no gains no losses", box<OmegaRatio>(u(3), 1.0), {1, 1, 1}, after(2, {1.0})},
        {"OmegaRatio threshold", box<OmegaRatio>(u(3), 0.5), {1.5, -0.5, 2.5}, after(2, {3.0})},
        {"OmegaRatio above", box<OmegaRatio>(u(2), 0.0), {0.1, 0.3}, after(1, {kInf})},
        {"WinRate alternating", box<WinRate>(u(2)), {0.01, -0.01, 0.01}, after(1, {0.5, 0.5})},
        {"WinRate zeros lose", box<WinRate>(u(2)), {0.0, 0.0, 0.3}, after(1, {0.0, 0.5})},
    });
}

TEST(RiskValues, VolatilityAndQuantileMeasures) {
    const std::vector<double> five = {-0.02, 0.03, 0.0, -0.01, 0.01};
    const double q05 = -0.018;  // type-7 quantile at position 0.2
    const double q95 = 0.026;   // at position 3.8
    risk_test::expect_all({
        {"SharpeRatio 1 3", box<SharpeRatio>(u(2), 0.0), {1, 3}, after(1, {std::sqrt(2.0)})},
        {"SharpeRatio risk-free", box<SharpeRatio>(u(2), 1.0), {1, 3}, after(1, {1.0 / std::sqrt(2.0)})},
        {"SharpeRatio flat", box<SharpeRatio>(u(3), 0.0), {0.01, 0.01, 0.01, 0.01}, after(2, {0.0, 0.0})},
        {"M2Measure 1 3", box<M2Measure>(u(2), 0.0, 0.1), {1, 3}, after(1, {2.0 / std::sqrt(2.0) * 0.1})},
        {"M2Measure risk-free", box<M2Measure>(u(2), 0.5, 0.1), {1, 3}, after(1, {1.5 / std::sqrt(2.0) * 0.1 + 0.5})},
        {"M2Measure flat", box<M2Measure>(u(2), 0.5, 0.1), {0.2, 0.2}, after(1, {0.0})},
        {"SortinoRatio mixed", box<SortinoRatio>(u(3), 0.0), {0.1, -0.2, 0.4}, after(2, {std::sqrt(3.0) / 2.0})},
        {"SortinoRatio none below", box<SortinoRatio>(u(2), 0.0), {5.0, 9.0}, after(1, {0.0})},
        {"SortinoRatio target", box<SortinoRatio>(u(2), 1.0), {0.0, 2.0}, after(1, {0.0 / std::sqrt(0.5)})},
        {"Upside mixed", box<UpsidePotentialRatio>(u(3), 0.0), {0.1, -0.2, 0.4},
         after(2, {(0.5 / 3.0) / std::sqrt(0.04 / 3.0)})},
        {"Upside all above", box<UpsidePotentialRatio>(u(2), 0.0), {0.1, 0.2}, after(1, {0.0})},
        {"Upside losses", box<UpsidePotentialRatio>(u(2), 0.0), {-0.1, -0.2}, after(1, {0.0})},
        {"TailRatio five", box<TailRatio>(u(5)), five, after(4, {q95 / -q05})},
        {"TailRatio constant loss", box<TailRatio>(u(3)), {-0.02, -0.02, -0.02}, after(2, {-1.0})},
        {"TailRatio constant gain", box<TailRatio>(u(3)), {0.03, 0.03, 0.03}, after(2, {1.0})},
        {"TailRatio zeros", box<TailRatio>(u(2)), {0.0, 0.0}, after(1, {0.0})},
        {"CommonSense five", box<CommonSenseRatio>(u(5)), five, after(4, {(q95 / -q05) * (0.04 / 0.03)})},
        {"CommonSense gains", box<CommonSenseRatio>(u(2)), {0.1, 0.2}, after(1, {0.0})},
        {"CommonSense zeros", box<CommonSenseRatio>(u(2)), {0.0, 0.0}, after(1, {0.0})},
        {"ValueAtRisk exact position", box<ValueAtRisk>(u(5), 0.75), {0.04, -0.02, 0.0, -0.04, 0.02}, after(4, {0.02})},
        {"ValueAtRisk interpolated", box<ValueAtRisk>(u(5), 0.9), {0.04, -0.02, 0.0, -0.04, 0.02},
         after(4, {-((-0.02 + 0.04) * (0.1 * 4.0) - 0.04)})},
        {"ValueAtRisk gains", box<ValueAtRisk>(u(3), 0.9), {0.01, 0.02, 0.03}, after(2, {0.0})},
        {"CVaR smallest only", box<ConditionalValueAtRisk>(u(10), 0.95),
         {0.01, 0.02, -0.05, 0.03, -0.01, 0.0, 0.04, 0.01, -0.02, 0.02}, after(9, {0.05})},
        {"CVaR two of four", box<ConditionalValueAtRisk>(u(4), 0.5), {0.03, -0.04, 0.01, -0.02}, after(3, {0.03})},
        {"CVaR gains", box<ConditionalValueAtRisk>(u(2), 0.5), {0.01, 0.02}, after(1, {0.0})},
        {"CVaR zeros", box<ConditionalValueAtRisk>(u(2), 0.5), {0.0, 0.0}, after(1, {0.0})},
        // Drawdowns are recorded from close n; 100, 90, 90 with n = 2: squares 100 then 0.
        {"UlcerIndex 100 90 90", box<UlcerIndex>(u(2)), {100, 90, 90}, after(2, {std::sqrt(50.0)})},
        {"UlcerIndex rising", box<UlcerIndex>(u(3)), {1, 2, 3, 4, 5, 6}, after(4, {0.0, 0.0})},
        {"UlcerIndex zero maximum", box<UlcerIndex>(u(1)), {0.0, -5.0}, {0.0, 0.0}},
    });
}

TEST(RiskValues, CommonSenseRatioWithZeroFivePercentQuantile) {
    // 21 values: the 5 % position is exactly 1, the second smallest value, 0.
    std::vector<double> closes = {-1.0, 0.0};
    closes.resize(21, 0.5);
    risk_test::expect_answers("CommonSense q05 = 0", box<CommonSenseRatio>(u(21)), closes, after(20, {0.0}));
}

// Least squares through the cumulative returns, worked out plainly in long double.
double model_k_ratio(const std::vector<double>& v) {
    const std::size_t n = v.size();
    std::vector<long double> c(n);
    long double run = 0;
    for (std::size_t i = 0; i < n; ++i) c[i] = run += v[i];
    long double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const long double x = i + 1;
        sx += x, sy += c[i], sxx += x * x, sxy += x * c[i];
    }
    const long double b = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const long double a = (sy - b * sx) / n;
    long double sse = 0;
    for (std::size_t i = 0; i < n; ++i) sse += std::pow(c[i] - (a + b * (i + 1)), 2);
    const long double sxx_c = sxx - sx * sx / n;
    return static_cast<double>(b / std::sqrt(sse / (n - 2) / sxx_c));
}

TEST(RiskValues, KRatio) {
    const std::vector<double> wavy = {0.02, -0.01, 0.03, 0.0, -0.02, 0.04, 0.01};
    risk_test::expect_all({
        {"KRatio 1 0 1", box<KRatio>(u(3)), {1, 0, 1}, after(2, {std::sqrt(3.0)})},
        {"KRatio constant", box<KRatio>(u(3)), {1, 1, 1, 1}, after(2, {0.0, 0.0})},
        {"KRatio model", box<KRatio>(u(7)), wavy, after(6, {model_k_ratio(wavy)})},
    });
}

// A cumulative curve whose steps after the first are all equal is a straight line
// whatever its level: 0.0, though its running sums leave a residual of roundings
// (the rows read 1e15 to 1e17 when it was divided by). Every other row is the model's.
TEST(RiskValues, KRatioLineAfterTheOldestValue) {
    std::vector<double> halt;  // a move, then a halt (prices read as returns)
    for (int i = 0; i < 20; ++i) halt.push_back(100.0 + 0.37 * i);  // the last is 107.03 too
    halt.resize(41, 107.03);
    std::vector<double> turn;  // returns that turn constant
    for (int i = 0; i < 40; ++i) turn.push_back(0.01 * std::sin(1.3 * i) + 0.002 * std::cos(0.4 * i));
    turn.resize(65, 0.0013);
    struct Case {
        const char* label;
        std::uint64_t n;
        std::vector<double> closes;
        std::size_t first_line;  // the first row whose last n - 1 values are equal
    };
    const std::vector<Case> cases = {
        {"KRatio(3) halt", 3, {100, 99.5, 101.25, 103.4, 103.4, 103.4}, 4},
        {"KRatio(20) halt", 20, halt, 37},
        {"KRatio(20) constant return", 20, turn, 58},
    };
    for (const Case& c : cases) {
        test::Expected want(c.n - 1, std::nullopt);
        for (std::size_t i = c.n - 1; i < c.closes.size(); ++i) {
            const std::vector<double> w(c.closes.begin() + (i + 1 - c.n), c.closes.begin() + (i + 1));
            want.push_back(i >= c.first_line ? 0.0 : model_k_ratio(w));
        }
        risk_test::expect_answers(c.label, box<KRatio>(c.n), c.closes, want);
    }
}

TEST(RiskValues, WarmupAndRefusedCloses) {
    const std::vector<std::pair<const char*, test::Maker>> makers = {
        {"AverageDrawdown", box<AverageDrawdown>(u(7))}, {"BurkeRatio", box<BurkeRatio>(u(7))},
        {"CalmarRatio", box<CalmarRatio>(u(7))}, {"CommonSenseRatio", box<CommonSenseRatio>(u(7))},
        {"CVaR", box<ConditionalValueAtRisk>(u(7), 0.8)}, {"Expectancy", box<Expectancy>(u(7))},
        {"GainLossRatio", box<GainLossRatio>(u(7))}, {"GainToPainRatio", box<GainToPainRatio>(u(7))},
        {"KRatio", box<KRatio>(u(7))}, {"KellyCriterion", box<KellyCriterion>(u(7))},
        {"M2Measure", box<M2Measure>(u(7), 0.01, 0.2)}, {"MartinRatio", box<MartinRatio>(u(7))},
        {"MaxDrawdown", box<MaxDrawdown>(u(7))}, {"OmegaRatio", box<OmegaRatio>(u(7), 100.0)},
        {"PainIndex", box<PainIndex>(u(7))}, {"ProfitFactor", box<ProfitFactor>(u(7))},
        {"SharpeRatio", box<SharpeRatio>(u(7), 0.0)}, {"SortinoRatio", box<SortinoRatio>(u(7), 100.0)},
        {"SterlingRatio", box<SterlingRatio>(u(7))}, {"TailRatio", box<TailRatio>(u(7))},
        {"UlcerIndex", box<UlcerIndex>(u(7))}, {"Upside", box<UpsidePotentialRatio>(u(7), 100.0)},
        {"ValueAtRisk", box<ValueAtRisk>(u(7), 0.8)}, {"WinRate", box<WinRate>(u(7))},
    };
    for (const auto& [label, make] : makers) test::expect_warmup_and_refusal(label, make);
}

TEST(RiskValues, RunningSumsRecoverAfterHugeValuesLeave) {
    // Huge returns wipe out the small ones added next to them; n updates after they
    // have left, the answer must equal that of a fresh object fed only the window.
    constexpr std::size_t n = 5;
    std::vector<double> returns = {-1e-3, 1e20, -2e-3, -1e20, 3e-3, 1e18};
    for (int k = 0; k < 3 * static_cast<int>(n); ++k) returns.push_back(0.01 * std::sin(1.3 * k));
    std::vector<double> prices = {1e-10, -1e10, 1e-10, 5.0};
    for (int k = 0; k < 4 * static_cast<int>(n); ++k) prices.push_back(100.0 + 3.0 * std::sin(0.9 * k));

    struct Case {
        const char* label;
        test::Maker make;
        const std::vector<double>* series;
        std::size_t tail;  // closes a fresh object needs for the same answer
    };
    const std::vector<Case> cases = {
        {"Expectancy", box<Expectancy>(u(n)), &returns, n},
        {"GainToPainRatio", box<GainToPainRatio>(u(n)), &returns, n},
        {"UpsidePotentialRatio", box<UpsidePotentialRatio>(u(n), 0.001), &returns, n},
        {"SortinoRatio", box<SortinoRatio>(u(n), 0.001), &returns, n},
        {"CalmarRatio", box<CalmarRatio>(u(n)), &returns, n},
        {"SharpeRatio", box<SharpeRatio>(u(n), 0.0), &returns, n},
        {"M2Measure", box<M2Measure>(u(n), 0.0, 0.1), &returns, n},
        {"UlcerIndex", box<UlcerIndex>(u(n)), &prices, 2 * n - 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto long_run = c.make();
        auto fresh = c.make();
        ASSERT_TRUE(long_run && fresh);
        std::optional<double> got;
        for (double x : *c.series) got = test::feed_close(**long_run, x);
        std::optional<double> want;
        for (std::size_t i = c.series->size() - c.tail; i < c.series->size(); ++i) {
            want = test::feed_close(**fresh, (*c.series)[i]);
        }
        ASSERT_TRUE(got && want);
        EXPECT_NEAR(*got, *want, 1e-9 * std::max(1.0, std::fabs(*want)));
    }
}

// Windows whose losses have all left: the running sums of the losses keep rounding
// residue, but the answer is the fixed one of a window without downside. Every other
// window is checked against its ratio recomputed from the window alone.
TEST(RiskValues, WindowsWithoutLossesAfterLossesLeft) {
    struct Case {
        const char* label;
        test::Maker make;
        std::size_t n;
        double mar;
        bool upside;  // UpsidePotentialRatio, else GainToPainRatio
        std::vector<double> closes;
    };
    const std::vector<Case> cases = {
        {"UpsidePotentialRatio(3, 0)", box<UpsidePotentialRatio>(u(3), 0.0), 3, 0.0, true,
         {0.01, 0.01, -0.0431, -0.0307, -0.0145, 0.0095, 0.0433, 0.0251}},
        {"UpsidePotentialRatio(5, 0.001)", box<UpsidePotentialRatio>(u(5), 0.001), 5, 0.001, true,
         {0.0123, -0.0071, 0.0042, -0.0188, 0.0009, 0.0211, 0.0035, 0.0074, 0.0156, 0.0018}},
        {"GainToPainRatio(3)", box<GainToPainRatio>(u(3)), 3, 0.0, false,
         {-0.0408, 0.0186, -0.0194, 0.0299, 0.0127, 0.0221, -0.0191, -0.0016, 0.0363, 0.005, 0.0304}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto ind = c.make();
        ASSERT_TRUE(ind);
        for (std::size_t i = 0; i < c.closes.size(); ++i) {
            const auto got = test::feed_close(**ind, c.closes[i]);
            ASSERT_EQ(got.has_value(), i + 1 >= c.n) << "bar " << i + 1;
            if (!got) continue;
            long double up = 0, down_sq = 0, sum = 0, pain = 0;
            for (std::size_t j = i + 1 - c.n; j <= i; ++j) {
                const long double d = static_cast<long double>(c.closes[j]) - c.mar;
                if (d > 0) up += d;
                if (d < 0) down_sq += d * d;
                sum += c.closes[j];
                if (c.closes[j] < 0) pain -= c.closes[j];
            }
            double want = 0.0;
            if (c.upside && down_sq > 0) want = static_cast<double>((up / c.n) / std::sqrt(down_sq / c.n));
            if (!c.upside && pain > 0) want = static_cast<double>(sum / pain);
            EXPECT_NEAR(*got, want, 1e-9 * std::max(1.0, std::fabs(want))) << "bar " << i + 1;
        }
        // The last window holds no loss.
        EXPECT_EQ(*test::feed_close(**ind, 0.02), 0.0);
    }
}

TEST(RiskValues, GainToPainFlatWindowAfterRoundingResidue) {
    // 1 + 0.75·eps rounds up to 1 + eps: once both losses have left (bar 5), the
    // running pain keeps a positive residue of 0.25·eps; within n bars the window
    // of zeros must answer its own 0.0 again, and keep answering it.
    const double a = 0.75 * 2.220446049250313e-16;
    auto ind = box<GainToPainRatio>(u(3))();
    ASSERT_TRUE(ind);
    const std::vector<double> closes = {-1.0, -a, 0, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const auto got = test::feed_close(**ind, closes[i]);
        if (i + 1 >= 5 + 3) {
            ASSERT_TRUE(got);
            EXPECT_EQ(*got, 0.0) << "bar " << i + 1;
        }
    }
}

}  // namespace
}  // namespace torvex
