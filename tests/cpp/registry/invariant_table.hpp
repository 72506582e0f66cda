// What each registry name promises, for the whole-registry invariant test: its
// possible range, its answer over a window of identical bars, and whether its value
// depends only on a finite window of the last bars.
//
// A row is {name, range, flat answer, window, scaling, note[, nonfinite[, bound]]}:
//   range   "lo:hi" for every output, or one entry per output separated by '|'
//           ("*" for an output without one; "" for none; "inf" is unbounded);
//   flat    the answer after identical bars (close 100 and 5, volume 1, identical
//           feeds):
//           a number, "P" for the price itself, "*" for an output not claimed, ""
//           when nothing is claimed; a leading '~' allows one rounding (1e-12
//           relative to the price) where the definition's own steps round;
//   window  the bars the value depends on as a function of the parameters; kWarmup
//           when that is the warm-up plus the one bar before it (a previous close);
//           nullptr for an infinite memory (exponential stages, cumulative sums,
//           latched states) or a window not claimed;
//   scaling {degree, power[, fixed]}: with every price (both legs of a pair, book
//           and trade prices) times 2^k, and volumes, sizes, counts and rates as
//           they were, every output is its first answer times 2^(k * degree) ("1"
//           for a price, a level or a price difference, "2" for a variance, "0" for
//           an oscillator, a ratio, a count or a pattern; one entry per output as in
//           `range`), wherever the prices and sizes, and the price differences raised
//           to `power` (the highest power the definition takes of them: 2 for
//           squares, 3 for cubes, 4 for fourth powers), stay in the normal range at
//           both scales; a degree of "" (the whole name) or "*" (one output) marks a
//           definition that holds a constant in price units (a fixed step, an absolute
//           threshold), and `why` says which; `tolerance` loosens the 1e-12 relative
//           agreement where the definition takes logarithms of price quantities (they
//           round at the scaled magnitude), `why` saying so; `smoothing` marks a
//           definition that divides by averages or filters of price changes or ranges
//           (an infinite memory): a new difference enters them times every stage's
//           gain, so the relation holds only while the smallest price difference less
//           those gains (plus a bit for each stage's seed) stays normal at both scales.
//           A run of bars that brings them nothing decays them without bound, and they
//           are kept in the normal range by powers of two: that narrows nothing;
//   note    why a row claims less than its kind of indicator would suggest, or
//           departs from it on purpose;
//   nonfinite  true where the definition answers an infinity or NaN on purpose;
//   bound   a range that depends on the parameters (replaces `range`);
//   tolerance  the relative agreement of a streamed answer with a fresh object fed
//           only its window, where 1e-9 is too tight (0: 1e-9); the note says why;
//   unscaled  true where the answer does not scale with the price (book sizes, a
//           ratio of ranges without a bounded range, a distance in units of the
//           window's own spread): the comparison's floor does not shrink with a low
//           price level;
//   flat_near_bound  true where a flat reading (0.0) is decided against a bound of
//           the rounding that the name's running sums carry about their anchor: a
//           streamed object and a fresh one fed only the window keep different
//           anchors, so for a window whose deviation lies near that bound either may
//           read 0.0 where the other scores it.
// A range that starts with '+' holds for positive prices only (a negative price
// turns a money flow or a pressure around).
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

namespace torvex::test {

using P = std::vector<double>;
using WindowFn = double (*)(const P&);
using BoundFn = std::pair<double, double> (*)(const P&);

// The window is the warm-up and the bar before it.
inline constexpr WindowFn kWarmup = [](const P&) { return 0.0; };

// How far an infinite memory's smoothed price differences may sink below the smallest
// difference of two prices when it takes one, in bits: what a new difference keeps
// through every stage.
struct Smoothing {
    double weight = 0.0;
};
using SmoothingFn = Smoothing (*)(const P&);

// One stage: the gain of a new value.
struct Stage {
    double gain;
};
inline Stage ema_stage(double n) { return {2.0 / (n + 1.0)}; }
inline Stage wilder_stage(double n) { return {1.0 / n}; }
// A super smoother of the given length: c1 = 1 - 2 r cos(1.414 pi / length) + r^2.
inline Stage super_smoother_stage(double length) {
    const double r = std::exp(-1.414 * 3.14159265358979 / length);
    return {1.0 - 2.0 * r * std::cos(1.414 * 3.14159265358979 / length) + r * r};
}
// A stage seeded with a plain mean of its first n values gives each 1 / n, at least
// half its weight after: one bit more a stage.
inline Smoothing stages(std::initializer_list<Stage> chain) {
    Smoothing s;
    for (const Stage& st : chain) s.weight += 1.0 - std::log2(st.gain);
    return s;
}

// The smoothing of the rows that divide by smoothed differences, by their parameters.
inline Smoothing wilder_of_first(const P& p) { return stages({wilder_stage(p[0])}); }
inline Smoothing ema_of_first(const P& p) { return stages({ema_stage(p[0])}); }
inline constexpr const char* kQuotientOfAverages =
    "a quotient of averages of price changes or ranges: a new difference enters them times the average's gain";
inline constexpr const char* kQuotientOfFilters =
    "a quotient of filtered price changes: a new difference enters them times every stage's gain";
inline constexpr const char* kStochasticOfFilters =
    "a stochastic of filtered price changes: a new difference enters them times every stage's gain";

struct Scaling {
    const char* degree = nullptr;
    int power = 0;
    const char* why = nullptr;  // what breaks the relation where the degree is "" or "*", or loosens it
    double tolerance = 0.0;     // the relative agreement where 1e-12 is too tight (0: 1e-12)
    SmoothingFn smoothing = nullptr;  // a quotient of smoothed differences: see the header
};

struct InvariantRow {
    const char* name;
    const char* range;
    const char* flat;
    WindowFn window;
    Scaling scaling;
    const char* note;
    bool nonfinite = false;  // the definition itself answers an infinity or NaN on some inputs
    BoundFn bound = nullptr;
    double tolerance = 0.0;
    bool unscaled = false;
    bool flat_near_bound = false;
};

inline std::span<const InvariantRow> invariant_table() {
    static const InvariantRow rows[] = {
        {"AbandonedBaby", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Abcd", "-1:1", "", nullptr, {"0", 1}, ""},
        {"AbsoluteBreadthIndex", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"AccelerationBands", "", "P", kWarmup, {"1|1|1", 1}, ""},
        {"AcceleratorOscillator", "", "0", kWarmup, {"1", 1}, ""},
        {"AdOscillator", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"AdVolumeLine", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"AdaptiveCci", "", "0", nullptr, {"0", 1}, ""},
        {"AdaptiveCycle", "", "", nullptr, {"", 2, "the Hilbert period core takes atan2(im, re) only where both exceed 2.2e-16, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"AdaptiveLaguerreFilter", "", "P", nullptr, {"1", 1}, ""},
        {"AdaptiveRsi", "0:100", "50", nullptr, {"0", 1}, ""},
        {"Adl", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"AdvanceBlock", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"AdvanceDecline", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"AdvanceDeclineRatio", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"Adx", "0:100", "0", nullptr, {.degree = "0|0|0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Adxr", "0:100", "0", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Alligator", "", "P", nullptr, {"1|1|1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Alma", "", "", kWarmup, {"1", 1}, ""},
        {"Alpha", "", "", kWarmup, {"", 2, "subtracts its risk-free rate, a fixed number in the units of its input"}, ""},
        {"AmihudIlliquidity", "+0:inf", "", kWarmup, {"-1", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"AnchoredRsi", "0:100", "50", nullptr, {"0", 1}, ""},
        {"AnchoredVwap", "", "P", nullptr, {"1", 1}, ""},
        {"AndrewsPitchfork", "", "", nullptr, {"1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"Apo", "", "~0", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"Aroon", "0:100", "100", kWarmup, {"0|0", 1}, "ties go to the newest bar, so identical bars put both extremes on the newest"},
        {"AroonOscillator", "-100:100", "0", kWarmup, {"0", 1}, ""},
        {"Atr", "0:inf", "0", nullptr, {"1", 1}, ""},
        {"AtrBands", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"AtrRatchet", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"AtrTrailingStop", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"AutoFib", "", "", nullptr, {"1|1|1|1|1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"Autocorrelation", "", "", kWarmup, {"0", 2}, ""},
        {"AutocorrelationPeriodogram", "", "", nullptr, {"0", 4}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"AverageDailyRange", "", "", nullptr, {"1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"AverageDrawdown", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"AvgPrice", "", "P", kWarmup, {"1", 1}, ""},
        {"AwesomeOscillator", "", "0", kWarmup, {"1", 1}, ""},
        {"AwesomeOscillatorHistogram", "", "0", kWarmup, {"1", 1}, ""},
        {"BalanceOfPower", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"BandpassFilter", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Bat", "-1:1", "", nullptr, {"0", 1}, ""},
        {"BeltHold", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Beta", "", "", kWarmup, {"0", 2, "a slope near zero is decided by the cancellation test of its covariance, whose rounding is some n roundings of the legs' products over the reference's variance", 1e-9}, ""},
        {"BetaNeutralSpread", "", "", kWarmup, {"1", 2}, ""},
        {"BetterVolume", "", "", kWarmup, {"0", 1}, ""},
        {"BipowerVariation", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"BodySizePct", "0:100", "", kWarmup, {"0", 1}, ""},
        {"BollingerBands", "", "P|P|P|0", kWarmup, {"1|1|1|1", 2}, ""},
        {"BollingerBandwidth", "+0:inf", "0", kWarmup, {"0", 2}, ""},
        {"BomarBands", "", "", nullptr, {"1|1|1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"BreadthThrust", "0:1", "", nullptr, {"0", 1}, ""},
        {"Breakaway", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"BullishPercentIndex", "0:100", "", kWarmup, {"0", 1}, ""},
        {"BurkeRatio", "", "", kWarmup, {"", 1, "walks an equity path from 1.0 multiplied by (r + 1): a constant in the units of its input"}, ""},
        {"Butterfly", "-1:1", "", nullptr, {"0", 1}, ""},
        {"CalendarSpread", "", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"CalmarRatio", "", "", kWarmup, {"", 2, "walks an equity path from 1.0 multiplied by (r + 1): a constant in the units of its input"}, ""},
        {"Camarilla", "", "P", nullptr, {"1|1|1|1|1|1|1|1|1", 1}, ""},
        {"CandleVolume", "", "", kWarmup, {"1|0", 1}, ""},
        {"Cci", "", "0", kWarmup, {"0", 1, "its mean is a running sum re-added only where the deviation is a sliver of the peak: above that its drift may move the index by up to 4e-9", 1e-8}, "in units of the window's mean deviation, whatever the price level", false, nullptr, 0.0, true},
        {"CenterOfGravity", "", "", kWarmup, {"", 1, "answers 0.0 where the window's sum is within 2.2e-16 of zero, an absolute threshold"}, ""},
        {"CentralPivotRange", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"Cfo", "", "0", kWarmup, {"0", 2}, ""},
        {"ChaikinMoneyFlow", "-1:1", "0", kWarmup, {"0", 1}, ""},
        {"ChaikinOscillator", "", "0", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"ChaikinVolatility", "", "", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = ema_of_first}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"ChandeKrollStop", "", "", nullptr, {"1|1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"ChandelierExit", "", "", nullptr, {"1|1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"ChoppinessIndex", "0:inf", "", kWarmup, {"0", 1}, "no upper bound: the true range reaches the close before the window, so the sum can exceed n times the range; a ratio of ranges, whatever the price level", false, nullptr, 0.0, true},
        {"ClassicPivots", "", "P", nullptr, {"1|1|1|1|1|1|1", 1}, ""},
        {"CloseVsOpen", "", "0", kWarmup, {"0", 1}, ""},
        {"ClosingMarubozu", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Cmo", "-100:100", "", kWarmup, {"0", 1}, ""},
        {"CoefficientOfVariation", "", "", kWarmup, {"0", 2}, ""},
        {"Cointegration", "", "", kWarmup, {"0|1|0", 2}, ""},
        {"CommonSenseRatio", "", "", kWarmup, {"0", 1}, ""},
        {"CompositeProfile", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"ConcealingBabySwallow", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ConditionalValueAtRisk", "", "", kWarmup, {"1", 1}, ""},
        {"ConnorsRsi", "0:100", "", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Coppock", "", "0", kWarmup, {"0", 1}, ""},
        {"CorrelationTrendIndicator", "-1:1", "", kWarmup, {"0", 2}, ""},
        {"Counterattack", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Crab", "-1:1", "", nullptr, {"0", 1}, ""},
        {"CumulativeVolumeDelta", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"CumulativeVolumeIndex", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"CupAndHandle", "-1:1", "", nullptr, {"0", 1}, ""},
        {"CyberneticCycle", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Cypher", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Decycler", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"DecyclerOscillator", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Dema", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"DemandIndex", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"DemarkPivots", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"DepthSlope", "", "", kWarmup, {"-1", 2}, ""},
        {"DerivativeOscillator", "", "", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"DetrendedStdDev", "0:inf", "0", kWarmup, {"1", 2}, ""},
        {"DisparityIndex", "", "0", kWarmup, {"0", 1, "its mean is a running sum that keeps a few roundings of bars up to a thousandfold above the window until its re-add: up to some 1e-11 percent per bar of the window", 1e-8}, "a percentage of the average, whatever the price level", false, nullptr, 0.0, true},
        {"DistanceSsd", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"Doji", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"DojiStar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Donchian", "", "P", kWarmup, {"1|1|1", 1}, ""},
        {"DonchianStop", "", "", kWarmup, {"1|1", 1}, ""},
        {"DoubleBollinger", "", "P", kWarmup, {"1|1|1|1|1", 2}, ""},
        {"DoubleTopBottom", "-1:1", "", nullptr, {"0", 1}, ""},
        {"DownsideGapThreeMethods", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Dpo", "", "0", kWarmup, {"1", 1}, ""},
        {"DragonflyDoji", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"DumplingTop", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Dx", "0:100", "0", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"DynamicMomentumIndex", "0:100", "50", nullptr, {"0", 2}, ""},
        {"EaseOfMovement", "", "", kWarmup, {"2", 2}, ""},
        {"EffectiveSpread", "0:inf", "", nullptr, {"0", 1}, ""},
        {"EhlersStochastic", "", "", nullptr, {.degree = "0", .power = 1, .why = kStochasticOfFilters, .smoothing = [](const P&) {  // a one-pole high-pass of 48 bars, a super smoother of 10
             const double t = 6.283185307179586 / 48.0, a = (std::cos(t) + std::sin(t) - 1.0) / std::cos(t);
             return stages({{1.0 - a / 2.0}, super_smoother_stage(10.0)});
         }}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Ehma", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"ElderImpulse", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"ElderRay", "", "", nullptr, {"1|1", 1}, "its average steps as fma(alpha, x, (1 - alpha) * value), not exact over identical bars"},
        {"ElderSafeZone", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"Ema", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"EmpiricalModeDecomposition", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Engulfing", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Equivolume", "", "", kWarmup, {"1|0", 1}, ""},
        {"EstimatedLeverageRatio", "", "", kWarmup, {"0", 1}, ""},
        {"EvenBetterSinewave", "", "", nullptr, {.degree = "0", .power = 2, .why = kQuotientOfFilters, .smoothing = [](const P& p) {
             const double t = 6.283185307179586 / p[0], a1 = (1.0 - std::sin(t)) / std::cos(t);
             return stages({{(1.0 + a1) / 2.0}, super_smoother_stage(p[1])});
         }}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"EveningDojiStar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Evwma", "", "P", nullptr, {"1", 1}, ""},
        {"EwmaVolatility", "0:inf", "", nullptr, {"0", 1}, ""},
        {"Expectancy", "", "", kWarmup, {"0", 1}, ""},
        {"FallingThreeMethods", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Fama", "", "", nullptr, {"", 2, "the phase is held where |I1| is at most 2.2e-16, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"FibArcs", "", "", nullptr, {"1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibChannel", "", "", nullptr, {"1|1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibConfluence", "", "", nullptr, {"1|0", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibExtension", "", "", nullptr, {"1|1|1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibFan", "", "", nullptr, {"1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibProjection", "", "", nullptr, {"1|1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibRetracement", "", "", nullptr, {"1|1|1|1|1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibTimeZones", "", "", nullptr, {"0|0", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"FibonacciPivots", "", "P", nullptr, {"1|1|1|1|1|1|1", 1}, ""},
        {"FisherRsi", "", "", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"FisherTransform", "", "0", nullptr, {"0", 1}, ""},
        {"FlagPennant", "-1:1", "", nullptr, {"0", 1}, ""},
        {"ForceIndex", "", "0", nullptr, {"1", 1}, ""},
        {"FractalChaosBands", "", "", nullptr, {"1|1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"Frama", "", "P", nullptr, {"1", 1, "its fractal dimension is a difference of logarithms of price ranges, which rounds at the scaled ranges' magnitude", 1e-9}, ""},
        {"FryPanBottom", "-1:1", "", nullptr, {"0", 1}, ""},
        {"FundingBasis", "", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"FundingImpliedApr", "", "", kWarmup, {"0", 1}, ""},
        {"FundingRate", "", "0.0001", kWarmup, {"0", 1}, ""},
        {"FundingRateMean", "", "", kWarmup, {"0", 1}, ""},
        {"FundingRateZScore", "", "0", kWarmup, {"0", 1}, "in units of the window's deviation, whatever the price level", false, nullptr, 0.0, true},
        {"GainLossRatio", "", "", kWarmup, {"0", 1}, "+infinity with gains and no losses", true},
        {"GainToPainRatio", "", "", kWarmup, {"0", 1}, ""},
        {"GapSideBySideWhite", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Garch11", "0:inf", "", nullptr, {"0", 1}, ""},
        {"GarmanKlassVolatility", "", "", kWarmup, {"0", 1}, ""},
        {"Gartley", "-1:1", "", nullptr, {"0", 1}, ""},
        {"GatorOscillator", "", "0", nullptr, {"1|1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"GeneralizedDema", "", "~P", nullptr, {"1", 1}, "(1 + v) e1 - v e2 rounds"},
        {"GeometricMa", "", "", kWarmup, {"1", 1, "a mean of logarithms of prices, which rounds at the scaled prices' magnitude", 1e-9}, ""},
        {"GoldenPocket", "", "", nullptr, {"1|1|1", 1}, "levels of the latest confirmed swings: a latched state with no range and no finite window"},
        {"GrangerCausality", "", "", kWarmup, {"0", 2}, ""},
        {"GravestoneDoji", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Hammer", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"HangingMan", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Harami", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"HaramiCross", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"HasbrouckInformationShare", "", "", kWarmup, {"", 2, "its 4 x 4 solves exchange rows on raw magnitudes, where the intercept column does not scale with the price: at another scale another pivot order rounds differently, which a nearly singular window (a tick grid's) magnifies to any size; its fallback decisions are free of the scale (tests/cpp/pairs/pair_scale_test.cpp)"}, ""},
        {"HeadAndShoulders", "-1:1", "", nullptr, {"0", 1}, ""},
        {"HeikinAshi", "", "P", nullptr, {"1|1|1|1", 1}, ""},
        {"HeikinAshiOscillator", "", "0", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"HiLoActivator", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"HighLowIndex", "0:100", "", kWarmup, {"0", 1}, ""},
        {"HighLowRange", "+0:inf", "0", kWarmup, {"0", 1}, ""},
        {"HighLowVolumeNodes", "", "P", kWarmup, {"1|1", 1}, ""},
        {"HighWave", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"HighpassFilter", "", "0", nullptr, {"1", 1}, ""},
        {"Hikkake", "-1:1", "", nullptr, {"0", 1}, ""},
        {"HikkakeModified", "-1:1", "", nullptr, {"0", 1}, ""},
        {"HilbertDominantCycle", "", "", nullptr, {"", 2, "the Hilbert period core takes atan2(im, re) only where both exceed 2.2e-16, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"HistoricalVolatility", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"Hma", "", "P", kWarmup, {"1", 1}, ""},
        {"HoltWinters", "", "~P", nullptr, {"1", 1}, "alpha x + (1 - alpha) (level + trend) rounds"},
        {"HomingPigeon", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"HtDcPhase", "", "", nullptr, {"", 2, "the phase core compares the cycle's imaginary part with 0.001, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"HtPhasor", "", "", nullptr, {"", 2, "the Hilbert period core takes atan2(im, re) only where both exceed 2.2e-16, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"HtTrendMode", "", "", nullptr, {"", 2, "the phase core compares the cycle's imaginary part with 0.001, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"HurstChannel", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"HurstExponent", "", "0.5", kWarmup, {"0", 2}, ""},
        {"IdenticalThreeCrows", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"InNeck", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Inertia", "", "", nullptr, {.degree = "0", .power = 2, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"InformationRatio", "", "", kWarmup, {"0", 2}, ""},
        {"InitialBalance", "", "", nullptr, {"1|1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"InstantaneousTrendline", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"IntradayIntensity", "", "", kWarmup, {"0", 1}, ""},
        {"IntradayMomentumIndex", "0:100", "50", kWarmup, {"0", 1}, ""},
        {"InverseFisherTransform", "-1:1", "", nullptr, {"", 2, "tanh of the close times a fixed factor"}, ""},
        {"InvertedHammer", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"JarqueBera", "0:inf", "0", kWarmup, {"0", 4}, ""},
        {"Jma", "", "", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"JumpIndicator", "", "", kWarmup, {"0", 1}, ""},
        {"KRatio", "", "0", kWarmup, {"0", 2}, ""},
        {"KalmanHedgeRatio", "", "", nullptr, {"", 2, "its observation and state-noise variances are fixed numbers in squared price units"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Kama", "", "P", nullptr, {"1", 1}, ""},
        {"KaseDevStop", "*|-1:1", "", nullptr, {"1|0", 2}, ""},
        {"KasePermissionStochastic", "0:100", "", nullptr, {"0|0", 1}, ""},
        {"KellyCriterion", "", "", kWarmup, {"0", 1}, ""},
        {"Keltner", "", "~P", nullptr, {"1|1|1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"KendallTau", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Kicking", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"KickingByLength", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Kst", "", "0", kWarmup, {"0|0", 1}, ""},
        {"Kurtosis", "", "0", kWarmup, {"0", 4}, "excess kurtosis of n values lies in [-2, (n*n - 3n + 3) / (n - 1) - 3]; a window without spread answers 0, above that bound for n = 4", false,
         [](const P& p) { return std::pair{-2.0, std::max(0.0, (p[0] * p[0] - 3 * p[0] + 3) / (p[0] - 1) - 3)}; }},
        {"Kvo", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"KylesLambda", "", "", kWarmup, {"1", 1}, ""},
        {"LadderBottom", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"LaguerreRsi", "0:100", "50", nullptr, {"0", 1}, ""},
        {"LeadLagCrossCorrelation", "-1:1", "", kWarmup, {"0", 2}, ""},
        {"LinRegAngle", "", "0", kWarmup, {"", 2, "the angle of a slope in price per bar: atan does not scale"}, ""},
        {"LinRegChannel", "", "P", kWarmup, {"1|1|1", 2}, ""},
        {"LinRegIntercept", "", "P", kWarmup, {"1", 2}, ""},
        {"LinRegSlope", "", "0", kWarmup, {"1", 2}, ""},
        {"LinearRegression", "", "P", kWarmup, {"1", 2}, ""},
        {"LiquidationFeatures", "0:inf|0:inf|*|0:inf|-1:1", "", kWarmup, {"0|0|0|0|0", 1}, ""},
        {"LogReturn", "", "0", kWarmup, {"0", 1}, ""},
        {"LongLeggedDoji", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"LongLine", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"LongShortRatio", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"M2Measure", "", "", kWarmup, {"", 2, "subtracts a threshold, target or rate that is a fixed number in the units of its input"}, ""},
        {"MaEnvelope", "", "*|P|*", kWarmup, {"1|1|1", 1}, ""},
        {"MacdFix", "", "~0", nullptr, {"1|1|1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"MacdHistogram", "", "~0", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"MacdIndicator", "", "~0", nullptr, {"1|1|1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"Mama", "", "", nullptr, {"", 2, "the phase is held where |I1| is at most 2.2e-16, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"MarketFacilitationIndex", "0:inf", "", kWarmup, {"1", 1}, ""},
        {"MartinRatio", "", "", kWarmup, {"", 2, "walks an equity path from 1.0 multiplied by (r + 1): a constant in the units of its input"}, ""},
        {"Marubozu", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"MassIndex", "0:inf", "", nullptr, {"0", 1}, ""},
        {"MatHold", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"MatchingLow", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"MaxDrawdown", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"McClellanOscillator", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"McClellanSummationIndex", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"McGinleyDynamic", "", "P", nullptr, {"1", 1}, ""},
        {"MedianAbsoluteDeviation", "0:inf", "0", kWarmup, {"1", 1}, ""},
        {"MedianChannel", "", "", kWarmup, {"1|1|1", 1}, ""},
        {"MedianMa", "", "P", kWarmup, {"1", 1}, ""},
        {"MedianPrice", "", "P", kWarmup, {"1", 1}, ""},
        {"Mfi", "+0:100", "50", kWarmup, {"0", 1}, ""},
        {"Microprice", "", "", kWarmup, {"1", 1}, ""},
        {"MidPoint", "", "P", kWarmup, {"1", 1}, ""},
        {"MidPrice", "", "P", kWarmup, {"1", 1}, ""},
        {"MinusDi", "0:100", "0", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"MinusDm", "", "0", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"ModifiedMaStop", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"Mom", "", "0", kWarmup, {"1", 1}, ""},
        {"MorningDojiStar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"MorningEveningStar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"MurreyMathLines", "", "", kWarmup, {"1|1|1|1|1|1|1|1|1", 1}, ""},
        {"NakedPoc", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"Natr", "+0:inf", "0", nullptr, {"0", 1}, ""},
        {"NewHighsNewLows", "", "", kWarmup, {"0", 1}, ""},
        {"NewPriceLines", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Nrtr", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"Nvi", "", "", nullptr, {"0", 1}, "a cumulative product from the first bar: no range and no finite window; it may compound past the double range", true},
        {"OIPriceDivergence", "", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"OIWeighted", "", "", nullptr, {"1", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"Obv", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"OiToVolumeRatio", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"OmegaRatio", "", "", kWarmup, {"", 1, "subtracts a threshold, target or rate that is a fixed number in the units of its input"}, "+infinity with gains and no losses", true},
        {"OnNeck", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"OpenInterestDelta", "", "", kWarmup, {"0", 1}, ""},
        {"OpenInterestMomentum", "", "", kWarmup, {"0", 1}, ""},
        {"OpeningMarubozu", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"OpeningRange", "", "", nullptr, {"1|1|1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"OrderBookImbalanceFull", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"OrderBookImbalanceTop1", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"OrderBookImbalanceTopN", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"OrderFlowImbalance", "", "", kWarmup, {"0", 1}, "a sum of book sizes, whatever the price level", false, nullptr, 0.0, true},
        {"OuHalfLife", "", "", kWarmup, {"0", 2}, ""},
        {"OvernightGap", "", "", nullptr, {"0", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"OvernightIntradayReturn", "", "", nullptr, {"0|0", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"PainIndex", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"PairSpreadZScore", "", "", kWarmup, {"", 2, "its spread of logarithms has no intercept: a common factor of the legs moves it by (1 - beta) k ln 2, which a changing beta does not cancel"}, "in units of the window's deviation, whatever the price level; a deviation a few times the bound of the spreads' rounding carries that rounding, relative to itself, into the score", false, nullptr, 1e-2, true, true},
        {"PairwiseBeta", "", "", kWarmup, {"0", 1}, ""},
        {"ParkinsonVolatility", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"PearsonCorrelation", "-1:1", "", kWarmup, {"0", 2}, ""},
        {"PercentAboveMa", "0:100", "", kWarmup, {"0", 1}, ""},
        {"PercentB", "", "0.5", kWarmup, {"0", 2}, ""},
        {"PercentageTrailingStop", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"PerpetualPremiumIndex", "", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"Pgo", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"PiercingDarkCloud", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Pin", "0:1", "", kWarmup, {"0", 1}, ""},
        {"PivotReversal", "-1:1", "", nullptr, {"0", 1}, ""},
        {"PlusDi", "0:100", "0", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"PlusDm", "", "0", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Pmo", "", "0", nullptr, {"0", 1}, ""},
        {"PolarizedFractalEfficiency", "-100:100", "0", nullptr, {"", 1, "each path segment is sqrt(d^2 + 1): one bar counts as one price unit"}, ""},
        {"Ppo", "", "~0", nullptr, {"0", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"PpoHistogram", "", "~0", nullptr, {"0", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"ProfileShape", "", "", kWarmup, {"0", 1}, ""},
        {"ProfitFactor", "", "", kWarmup, {"0", 1}, "+infinity with gains and no losses", true},
        {"ProjectionBands", "", "P", kWarmup, {"1|1|1", 1}, ""},
        {"ProjectionOscillator", "", "50", nullptr, {"0", 1}, ""},
        {"Psar", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"Pvi", "", "", nullptr, {"0", 1}, "a cumulative product from the first bar: no range and no finite window; it may compound past the double range", true},
        {"Qqe", "0:100|*", "", nullptr, {.degree = "0|0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Qstick", "", "0", kWarmup, {"1", 1}, ""},
        {"QuartileBands", "", "P", kWarmup, {"1|1|1", 1}, ""},
        {"QuotedSpread", "0:inf", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"RSquared", "0:1", "1", kWarmup, {"0", 2}, "a flat window answers 1.0 by definition, not 0/0"},
        {"RealizedSpread", "", "", kWarmup, {"0", 1}, ""},
        {"RealizedVolatility", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"RecoveryFactor", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"RectangleRange", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Reflex", "", "0", nullptr, {"0", 2}, ""},
        {"RegimeLabel", "", "", nullptr, {"0", 1}, "a label from volatility regimes over two windows: no range or flat answer claimed"},
        {"RelativeStrengthAB", "*|*|0:100", "", nullptr, {"0|0|0", 1}, ""},
        {"RenkoTrailingStop", "", "", nullptr, {"", 2, "moves in bricks of a fixed price size"}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"RickshawMan", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"RisingThreeMethods", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Rmi", "0:100", "50", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Roc", "", "0", kWarmup, {"0", 1}, ""},
        {"Rocp", "", "0", kWarmup, {"0", 1}, ""},
        {"Rocr", "", "1", kWarmup, {"0", 1}, ""},
        {"Rocr100", "", "100", kWarmup, {"0", 1}, ""},
        {"RogersSatchellVolatility", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"RollMeasure", "", "", kWarmup, {"1", 2}, ""},
        {"RollingCorrelation", "-1:1", "", kWarmup, {"0", 2}, ""},
        {"RollingCovariance", "", "", kWarmup, {"2", 2}, ""},
        {"RollingIqr", "0:inf", "0", kWarmup, {"1", 1}, ""},
        {"RollingMinMaxScaler", "0:1", "0.5", kWarmup, {"0", 1}, ""},
        {"RollingPercentileRank", "0:100", "", kWarmup, {"0", 1}, ""},
        {"RollingQuantile", "", "P", kWarmup, {"1", 1}, ""},
        {"RollingVwap", "", "", kWarmup, {"1", 1}, "a flat window after varied volumes keeps their rounding in the volume sum until its next re-add: the price up to that rounding, not exactly"},
        {"RoofingFilter", "", "0", nullptr, {"1", 1}, ""},
        {"Rsi", "0:100", "50", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Rsx", "0:100", "50", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfFilters, .smoothing = [](const P& p) { const Stage s{3.0 / (p[0] + 2.0)}; return stages({s, s, s, s, s, s}); }}, ""},
        {"Rvi", "", "", nullptr, {"0", 1}, "on flat candles (high = low) it holds its last value by definition, so a fresh object answers nothing there"},
        {"RviVolatility", "0:100", "50", nullptr, {.degree = "0", .power = 2, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Rwi", "0:inf", "0", kWarmup, {"0|0", 1}, ""},
        {"SampleEntropy", "0:inf", "0", kWarmup, {"0", 2}, ""},
        {"SarExt", "", "", nullptr, {"", 1, "a non-zero start is a fixed level in the units of its input"}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"SeasonalZScore", "", "", nullptr, {"0", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"SeparatingLines", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"SessionHighLow", "", "", nullptr, {"1|1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"SessionRange", "", "", nullptr, {"1|1|1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"SessionVwap", "", "P", nullptr, {"1", 1}, ""},
        {"ShannonEntropy", "", "0", kWarmup, {"0", 1}, "entropy of b bins lies in [0, log2 b]", false,
         [](const P& p) { return std::pair{0.0, std::log2(p[1])}; }},
        {"Shark", "-1:1", "", nullptr, {"0", 1}, ""},
        {"SharpeRatio", "", "0", kWarmup, {"", 2, "subtracts its risk-free rate, a fixed number in the units of its input"}, ""},
        {"ShootingStar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ShortLine", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"SignedVolume", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"SineWave", "", "", nullptr, {"", 2, "the phase core compares the cycle's imaginary part with 0.001, an absolute threshold"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"SineWeightedMa", "", "", kWarmup, {"1", 1}, ""},
        {"SinglePrints", "", "0", kWarmup, {"0", 1}, ""},
        {"Skewness", "", "0", kWarmup, {"0", 3}, "|skew| of n values is at most (n - 2) / sqrt(n - 1)", false,
         [](const P& p) { return std::pair{-(p[0] - 2) / std::sqrt(p[0] - 1), (p[0] - 2) / std::sqrt(p[0] - 1)}; }},
        {"Sma", "", "P", kWarmup, {"1", 1}, ""},
        {"Smi", "-100:100", "", nullptr, {.degree = "0", .power = 1, .why = "a quotient of doubly smoothed changes and ranges: a new difference enters them times every stage's gain", .smoothing = [](const P& p) { return stages({ema_stage(p[1]), ema_stage(p[2])}); }}, ""},
        {"Smma", "", "P", nullptr, {"1", 1}, ""},
        {"SmoothedHeikinAshi", "", "", nullptr, {"1|1|1|1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"SortinoRatio", "", "", kWarmup, {"", 2, "subtracts a threshold, target or rate that is a fixed number in the units of its input"}, ""},
        {"SpearmanCorrelation", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"SpinningTop", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"SpreadAr1Coefficient", "", "", kWarmup, {"0", 2}, ""},
        {"SpreadBollingerBands", "", "", kWarmup, {"1|1|1|0", 2}, ""},
        {"SpreadHurst", "", "", kWarmup, {"0", 2, "its slope is fitted to logarithms of price ranges, which round at the scaled ranges' magnitude", 1e-9}, ""},
        {"StalledPattern", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"StandardError", "0:inf", "0", kWarmup, {"1", 2}, ""},
        {"StandardErrorBands", "", "P", kWarmup, {"1|1|1", 2}, ""},
        {"StarcBands", "", "P", nullptr, {"1|1|1", 1}, ""},
        {"Stc", "0:100", "0", nullptr, {"0", 1}, ""},
        {"StdDev", "0:inf", "0", kWarmup, {"1", 2}, ""},
        {"StepTrailingStop", "", "", nullptr, {"", 2, "moves in steps of a fixed price increment"}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"SterlingRatio", "", "", kWarmup, {"", 1, "walks an equity path from 1.0 multiplied by (r + 1): a constant in the units of its input"}, ""},
        {"StickSandwich", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"StochRsi", "0:100", "50", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = wilder_of_first}, ""},
        {"Stochastic", "0:100", "", kWarmup, {"0|0", 1}, ""},
        {"StochasticCci", "0:100", "50", nullptr, {"0", 1}, "its input can be rounding noise (with n = 2 every Cci is +-200/3 up to an ulp), and the stochastic of that jumps between 0, 50 and 100: no window is claimed"},
        {"SuperSmoother", "", "~P", nullptr, {"1", 1}, "c1 + c2 + c3 = 1 only up to rounding, so identical bars stay within a rounding of the close"},
        {"SuperTrend", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"T3", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"TailRatio", "", "", kWarmup, {"0", 1}, ""},
        {"TakerBuySellRatio", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"Takuri", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TasukiGap", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdCamouflage", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdClop", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdClopwin", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdCombo", "", "", nullptr, {"0", 1}, "counts latched across setups: no range and no finite window"},
        {"TdCountdown", "", "", nullptr, {"0", 1}, "counts latched across setups: no range and no finite window"},
        {"TdDWave", "", "", nullptr, {"0", 1}, "counts latched across setups: no range and no finite window"},
        {"TdDeMarker", "0:1", "", kWarmup, {"0", 1}, ""},
        {"TdDifferential", "", "0", kWarmup, {"0", 1}, ""},
        {"TdLines", "", "", nullptr, {"1|1", 1}, "NaN for the line that is not set", true},
        {"TdMovingAverage", "", "", nullptr, {"1|1", 1}, "counts latched across setups: no range and no finite window"},
        {"TdOpen", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdPressure", "", "", kWarmup, {"0", 1}, ""},
        {"TdPropulsion", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TdRangeProjection", "", "", nullptr, {"1|1", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"TdRei", "", "0", kWarmup, {"0", 1}, ""},
        {"TdRiskLevel", "", "", nullptr, {"1|1", 1}, "NaN for the side that is not set", true},
        {"TdSequential", "", "", nullptr, {"0|0|0", 1}, "counts latched across setups: no range and no finite window"},
        {"TdSetup", "", "", nullptr, {"0", 1}, "counts latched across setups: no range and no finite window"},
        {"TdTrap", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Tema", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"TermStructureBasis", "", "", kWarmup, {"0", 1}, "divides by a price without a guard (a zero price gives an infinity or NaN)", true},
        {"ThreeDrives", "-1:1", "", nullptr, {"0", 1}, ""},
        {"ThreeInside", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ThreeLineBreak", "-1:1", "", nullptr, {"0", 1}, ""},
        {"ThreeLineStrike", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ThreeOutside", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ThreeSoldiersOrCrows", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"ThreeStarsInSouth", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Thrusting", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TickIndex", "", "", kWarmup, {"0", 1}, ""},
        {"Tii", "0:100", "50", kWarmup, {"0", 2, "its deviations come through a variance window, whose squared deviations must stay finite for the mean to be held beyond the rounding of the level"}, ""},
        {"TimeBasedStop", "", "", nullptr, {"0", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"TowerTopBottom", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TpoProfile", "", "P", kWarmup, {"1|1", 1}, ""},
        {"TradeImbalance", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TradeSignAutocorrelation", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TradeVolumeIndex", "", "", nullptr, {"", 2, "turns its direction only on a move beyond min_tick, a fixed price step"}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"TrendLabel", "", "", kWarmup, {"0", 1}, ""},
        {"TrendStrengthIndex", "-1:1", "0", kWarmup, {"0", 2}, ""},
        {"Trendflex", "", "0", nullptr, {"0", 2}, ""},
        {"TreynorRatio", "", "", kWarmup, {"", 2, "subtracts a threshold, target or rate that is a fixed number in the units of its input"}, ""},
        {"Triangle", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Trima", "", "P", kWarmup, {"1", 1}, ""},
        {"Trin", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"TripleTopBottom", "-1:1", "", nullptr, {"0", 1}, ""},
        {"Tristar", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"Trix", "", "~0", nullptr, {"0", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"TrueRange", "0:inf", "0", kWarmup, {"1", 1}, ""},
        {"Tsf", "", "P", kWarmup, {"1", 2}, ""},
        {"TsfOscillator", "", "0", kWarmup, {"0", 2}, "a percentage of the close: the rounding of the window's larger prices reaches it divided by a smaller close", false, nullptr, 0.0, true},
        {"Tsi", "", "0", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = [](const P& p) { return stages({ema_stage(p[0]), ema_stage(p[1])}); }}, ""},
        {"Tsv", "", "0", nullptr, {"1", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"TtmSqueeze", "", "1|0", nullptr, {"0|1", 2}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"TtmTrend", "", "-1", kWarmup, {"0", 1}, ""},
        {"TurnOfMonth", "", "", nullptr, {"0", 1}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"Tweezer", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TwiggsMoneyFlow", "-1:1", "", nullptr, {"0", 1}, ""},
        {"TwoCrows", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"TypicalPrice", "", "P", kWarmup, {"1", 1}, ""},
        {"UlcerIndex", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"UltimateOscillator", "0:100", "50", kWarmup, {"0", 1}, ""},
        {"UniqueThreeRiver", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"UniversalOscillator", "", "0", nullptr, {"0", 1}, ""},
        {"UpDownVolumeRatio", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"UpsideGapThreeMethods", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"UpsideGapTwoCrows", "-1:1", "", kWarmup, {"0", 1}, ""},
        {"UpsidePotentialRatio", "", "", kWarmup, {"", 2, "subtracts a threshold, target or rate that is a fixed number in the units of its input"}, ""},
        {"ValueArea", "", "P", kWarmup, {"1|1|1", 1}, ""},
        {"ValueAtRisk", "", "", kWarmup, {"1", 1}, ""},
        {"Variance", "0:inf", "0", kWarmup, {"2", 2}, ""},
        {"VarianceRatio", "", "", kWarmup, {"0", 2}, ""},
        {"VerticalHorizontalFilter", "0:inf", "", kWarmup, {"0", 1}, ""},
        {"Vidya", "", "P", nullptr, {"1", 1}, ""},
        {"VolatilityCone", "0:inf|0:inf|0:inf|0:inf|0:100", "0|0|0|0|100", nullptr, {"0|0|0|0|0", 1}, ""},
        {"VolatilityOfVolatility", "0:inf", "0", kWarmup, {"0", 1}, ""},
        {"VolatilityRatio", "", "", nullptr, {.degree = "0", .power = 1, .why = kQuotientOfAverages, .smoothing = ema_of_first}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"VoltyStop", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"VolumeOscillator", "", "", nullptr, {"0", 1}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"VolumePriceTrend", "", "", nullptr, {"0", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"VolumeProfile", "", "P", kWarmup, {"1|1", 1}, ""},
        {"VolumeRsi", "0:100", "50", nullptr, {"0", 1}, ""},
        {"VolumeWeightedMacd", "", "~0", nullptr, {"1|1|1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"VolumeWeightedSr", "", "P", kWarmup, {"1|1", 1}, ""},
        {"Vortex", "0:inf", "0", kWarmup, {"0|0", 1}, ""},
        {"Vpin", "0:1", "", nullptr, {"0", 1}, ""},
        {"Vwap", "", "P", nullptr, {"1", 1}, ""},
        {"VwapStdDevBands", "", "", nullptr, {"1|1|1|1", 2}, "sessions of the bar time: the memory is counted in days or sessions, not bars"},
        {"Vwma", "", "P", kWarmup, {"1", 1}, ""},
        {"Vzo", "-100:100", "", nullptr, {"0", 1}, ""},
        {"Wad", "", "", nullptr, {"1", 1}, "a cumulative quantity from the first bar: no range and no finite window"},
        {"WavePm", "", "0", nullptr, {"0", 2}, ""},
        {"WaveTrend", "", "", nullptr, {"", 1, "divides only where the deviation's average exceeds max(|esa|, 1.0) x 16 eps: the 1.0 is a price"}, "recursive (exponential, Wilder or filter) stages: an infinite memory, and no range the definition bounds"},
        {"Wedge", "-1:1", "", nullptr, {"0", 1}, ""},
        {"WeightedClose", "", "P", kWarmup, {"1", 1}, ""},
        {"WickRatio", "", "0", kWarmup, {"0", 1}, ""},
        {"WilliamsR", "-100:0", "-50", kWarmup, {"0", 1}, ""},
        {"WinRate", "0:1", "", kWarmup, {"0", 1}, ""},
        {"Wma", "", "P", kWarmup, {"1", 1}, ""},
        {"WoodiePivots", "", "P", nullptr, {"1|1|1|1|1", 1}, ""},
        {"YangZhangVolatility", "+0:inf", "0", kWarmup, {"0", 1}, ""},
        {"YoyoExit", "", "", nullptr, {"1", 1}, "a level latched by the path of the price: no range, and the flat answer depends on the state reached"},
        {"ZScore", "", "0", kWarmup, {"0", 2}, "in units of the window's deviation, whatever the price level", false, nullptr, 0.0, true},
        {"ZeroLagMacd", "", "~0", nullptr, {"1|1|1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
        {"ZigZag", "*|-1:1", "", nullptr, {"1|0", 1}, ""},
        {"Zlema", "", "~P", nullptr, {"1", 1}, "its exponential stages step as fma(alpha, x, (1 - alpha) * value): identical bars stay within a rounding of the flat answer"},
    };
    return rows;
}

}  // namespace torvex::test
