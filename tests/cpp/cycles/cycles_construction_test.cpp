// Ehlers filters, DSP filters and cycle measures over the close: constructor checks
// with their exact texts and derived constants, and for every type the warm-up and
// the refusal of non-finite closes.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "test_support.hpp"
#include "indicators/averages/adaptive_laguerre_filter.hpp"
#include "indicators/averages/decycler.hpp"
#include "indicators/averages/instantaneous_trendline.hpp"
#include "indicators/averages/super_smoother.hpp"
#include "indicators/cycles/adaptive_cycle.hpp"
#include "indicators/cycles/autocorrelation_periodogram.hpp"
#include "indicators/cycles/bandpass_filter.hpp"
#include "indicators/cycles/center_of_gravity.hpp"
#include "indicators/cycles/correlation_trend_indicator.hpp"
#include "indicators/cycles/cybernetic_cycle.hpp"
#include "indicators/cycles/decycler_oscillator.hpp"
#include "indicators/cycles/ehlers_stochastic.hpp"
#include "indicators/cycles/empirical_mode_decomposition.hpp"
#include "indicators/cycles/even_better_sinewave.hpp"
#include "indicators/cycles/fisher_transform.hpp"
#include "indicators/cycles/highpass_filter.hpp"
#include "indicators/cycles/hilbert_dominant_cycle.hpp"
#include "indicators/cycles/ht_dc_phase.hpp"
#include "indicators/cycles/ht_trend_mode.hpp"
#include "indicators/cycles/inverse_fisher_transform.hpp"
#include "indicators/cycles/laguerre_rsi.hpp"
#include "indicators/cycles/reflex.hpp"
#include "indicators/cycles/roofing_filter.hpp"
#include "indicators/cycles/sine_wave.hpp"
#include "indicators/cycles/trendflex.hpp"
#include "indicators/cycles/universal_oscillator.hpp"
#include "indicators/cycles/wave_pm.hpp"
#include "registry/registry.hpp"

namespace torvex {
namespace {

using test::box;
using test::kMaxText;
using test::kZeroText;

constexpr std::uint64_t kOver = MAX_PERIOD + 1;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string invalid(const char* message) { return std::string("invalid period: ") + message; }
std::string needs(int from) {
    return "invalid period: bandpass filter diverges at this period; at this bandwidth every period >= " +
           std::to_string(from) + " is bounded";
}

TEST(CycleConstructors, ChecksInOrderWithExactTexts) {
    const std::string lp_hp = invalid("lp_period must be strictly less than hp_period");
    const std::string avg = invalid("autocorrelation periodogram needs AvgLength < min_period < max_period");
    const std::string bandwidth = "invalid parameter: bandpass bandwidth must be in (0, 1)";
    const std::string fraction = invalid("fraction must be in (0, 1]");
    const std::string cti = invalid("CTI needs period >= 2");
    const std::string fast_slow = invalid("fast period must be strictly less than slow period");
    const std::string gamma = invalid("LaguerreRSI gamma must be a finite value in [0, 1]");
    const std::string scale = invalid("scale must be a positive finite number");
    test::expect_builds({
        {"SuperSmoother 0", box<SuperSmoother>(0), kZeroText},
        {"SuperSmoother max", box<SuperSmoother>(MAX_PERIOD), ""},
        {"SuperSmoother max+1", box<SuperSmoother>(kOver), kMaxText},
        {"InstantaneousTrendline 0", box<InstantaneousTrendline>(0), kZeroText},
        {"InstantaneousTrendline max+1", box<InstantaneousTrendline>(kOver), kMaxText},
        {"Decycler 0", box<Decycler>(0), kZeroText},
        {"Decycler max+1", box<Decycler>(kOver), kMaxText},
        {"HighpassFilter 0", box<HighpassFilter>(0), kZeroText},
        {"HighpassFilter max+1", box<HighpassFilter>(kOver), kMaxText},
        {"CyberneticCycle 0", box<CyberneticCycle>(0), kZeroText},
        {"CyberneticCycle max+1", box<CyberneticCycle>(kOver), kMaxText},
        {"UniversalOscillator 0", box<UniversalOscillator>(0), kZeroText},
        {"UniversalOscillator max+1", box<UniversalOscillator>(kOver), kMaxText},
        {"AdaptiveLaguerre 0", box<AdaptiveLaguerreFilter>(0), kZeroText},
        {"AdaptiveLaguerre max", box<AdaptiveLaguerreFilter>(MAX_PERIOD), ""},
        {"AdaptiveLaguerre max+1", box<AdaptiveLaguerreFilter>(kOver), kMaxText},
        {"CenterOfGravity 0", box<CenterOfGravity>(0), kZeroText},
        {"CenterOfGravity max+1", box<CenterOfGravity>(kOver), kMaxText},
        {"FisherTransform 0", box<FisherTransform>(0), kZeroText},
        {"FisherTransform max+1", box<FisherTransform>(kOver), kMaxText},
        {"EhlersStochastic 0", box<EhlersStochastic>(0), kZeroText},
        {"EhlersStochastic max+1", box<EhlersStochastic>(kOver), kMaxText},
        {"Reflex 0", box<Reflex>(0), kZeroText},
        {"Reflex max+1", box<Reflex>(kOver), kMaxText},
        {"Trendflex 0", box<Trendflex>(0), kZeroText},
        {"Trendflex max", box<Trendflex>(MAX_PERIOD), ""},
        {"Trendflex max+1", box<Trendflex>(kOver), kMaxText},
        // CTI's own minimum covers 0.
        {"CTI 0", box<CorrelationTrendIndicator>(0), cti},
        {"CTI 1", box<CorrelationTrendIndicator>(1), cti},
        {"CTI 2", box<CorrelationTrendIndicator>(2), ""},
        {"CTI max+1", box<CorrelationTrendIndicator>(kOver), kMaxText},
        // Zeros first, then the order of the two lengths, then the bound of lp only.
        {"Roofing 0 0", box<RoofingFilter>(0, 0), kZeroText},
        {"Roofing 5 0", box<RoofingFilter>(5, 0), kZeroText},
        {"Roofing 10 10", box<RoofingFilter>(10, 10), lp_hp},
        {"Roofing 48 10", box<RoofingFilter>(48, 10), lp_hp},
        {"Roofing max+1 max+2", box<RoofingFilter>(kOver, kOver + 1), kMaxText},
        {"Roofing 10 huge hp", box<RoofingFilter>(10, 1'000'000'000'000ULL), ""},
        {"DecyclerOsc 0 10", box<DecyclerOscillator>(0, 10), kZeroText},
        {"DecyclerOsc 10 10", box<DecyclerOscillator>(10, 10), fast_slow},
        {"DecyclerOsc 10 max+1", box<DecyclerOscillator>(10, kOver), kMaxText},
        {"DecyclerOsc 10 30", box<DecyclerOscillator>(10, 30), ""},
        // The two-pole high-pass has its double pole at 1 − alpha: about −7.3 at
        // period 1 (unstable), −0.34 at period 2.
        {"HighpassFilter 1", box<HighpassFilter>(1), invalid("highpass filter needs period >= 2")},
        {"HighpassFilter 2", box<HighpassFilter>(2), ""},
        {"Decycler 1", box<Decycler>(1), invalid("decycler needs period >= 2")},
        {"Decycler 2", box<Decycler>(2), ""},
        {"DecyclerOsc 1 10", box<DecyclerOscillator>(1, 10), invalid("decycler oscillator needs fast period >= 2")},
        {"DecyclerOsc 2 3", box<DecyclerOscillator>(2, 3), ""},
        {"EvenBetter 0 10", box<EvenBetterSinewave>(0, 10), kZeroText},
        {"EvenBetter 40 0", box<EvenBetterSinewave>(40, 0), kZeroText},
        {"EvenBetter 40 max+1", box<EvenBetterSinewave>(40, kOver), kMaxText},
        {"EvenBetter huge duration", box<EvenBetterSinewave>(kOver, 10), ""},
        {"WavePm 0 3", box<WavePm>(0, 3), kZeroText},
        {"WavePm max+1 0", box<WavePm>(kOver, 0), kMaxText},
        {"WavePm 5 0", box<WavePm>(5, 0), kZeroText},
        {"WavePm 5 max+1", box<WavePm>(5, kOver), kMaxText},
        {"Bandpass 0 0.5", box<BandpassFilter>(0, 0.5), kZeroText},
        {"Bandpass max+1 2", box<BandpassFilter>(kOver, 2.0), kMaxText},
        {"Bandpass 20 0", box<BandpassFilter>(20, 0.0), bandwidth},
        {"Bandpass 20 1", box<BandpassFilter>(20, 1.0), bandwidth},
        {"Bandpass 20 NaN", box<BandpassFilter>(20, kNaN), bandwidth},
        // Bounded wherever cos(4π·b/n) >= 0 or = −1; at periods 1 and 2 (beta = ±1) the
        // pole on the unit circle is cancelled by the input's (1 − L²).
        {"Bandpass 1 0.1", box<BandpassFilter>(1, 0.1), ""},
        {"Bandpass 2 0.1", box<BandpassFilter>(2, 0.1), ""},
        {"Bandpass 3 0.75", box<BandpassFilter>(3, 0.75), ""},
        {"Bandpass 1 0.4", box<BandpassFilter>(1, 0.4), ""},
        // gamma = 1/cos(4π·b/n) turns negative above b = n/8 and alpha falls below −1.
        {"Bandpass 1 0.2", box<BandpassFilter>(1, 0.2), needs(2)},
        {"Bandpass 3 0.374", box<BandpassFilter>(3, 0.374), ""},
        {"Bandpass 3 0.376", box<BandpassFilter>(3, 0.376), needs(4)},
        {"Bandpass 3 0.5", box<BandpassFilter>(3, 0.5), needs(4)},
        {"Bandpass 7 0.874", box<BandpassFilter>(7, 0.874), ""},
        {"Bandpass 7 0.876", box<BandpassFilter>(7, 0.876), needs(8)},
        {"Bandpass 8 0.99", box<BandpassFilter>(8, 0.99), ""},
        // cos(4π·b/n) rounds to 1: alpha = 1 gives the input no gain, the filter stays 0.
        {"Bandpass 3 1e-12", box<BandpassFilter>(3, 1e-12), ""},
        {"EMD 0 2", box<EmpiricalModeDecomposition>(0, 2.0), kZeroText},
        {"EMD max+1", box<EmpiricalModeDecomposition>(kOver, 0.5), kMaxText},
        {"EMD 20 1", box<EmpiricalModeDecomposition>(20, 1.0), ""},
        {"EMD 1 0.5", box<EmpiricalModeDecomposition>(1, 0.5), ""},
        {"EMD 2 0.5", box<EmpiricalModeDecomposition>(2, 0.5), ""},
        {"EMD 3 0.5", box<EmpiricalModeDecomposition>(3, 0.5), ""},
        {"EMD 20 0", box<EmpiricalModeDecomposition>(20, 0.0), fraction},
        {"EMD 20 1.5", box<EmpiricalModeDecomposition>(20, 1.5), fraction},
        {"EMD 20 inf", box<EmpiricalModeDecomposition>(20, kInf), fraction},
        // Zeros, then 4 <= min < max, then max above 10 (the roofing stage's 10 < max).
        {"ACP 0 48", box<AutocorrelationPeriodogram>(0, 48), kZeroText},
        {"ACP 3 48", box<AutocorrelationPeriodogram>(3, 48), avg},
        {"ACP 10 10", box<AutocorrelationPeriodogram>(10, 10), avg},
        {"ACP 4 10", box<AutocorrelationPeriodogram>(4, 10), lp_hp},
        {"ACP 4 11", box<AutocorrelationPeriodogram>(4, 11), ""},
        {"ACP 4 max+1", box<AutocorrelationPeriodogram>(4, kOver), kMaxText},
        {"ACP 4 2^64-1", box<AutocorrelationPeriodogram>(4, UINT64_MAX), kMaxText},
        {"LaguerreRsi 0", box<LaguerreRsi>(0.0), ""},
        {"LaguerreRsi 1", box<LaguerreRsi>(1.0), ""},
        {"LaguerreRsi -0.1", box<LaguerreRsi>(-0.1), gamma},
        {"LaguerreRsi 1.01", box<LaguerreRsi>(1.01), gamma},
        {"InverseFisher 0", box<InverseFisherTransform>(0.0), scale},
        {"InverseFisher -1", box<InverseFisherTransform>(-1.0), scale},
        {"InverseFisher tiny", box<InverseFisherTransform>(1e-300), ""},
    });
}

TEST(CycleConstructors, DerivedConstants) {
    // Band-pass (20, 0.3): beta = cos(2π/20), alpha = γ − √(γ² − 1), γ = 1/cos(4π·0.3/20).
    auto bp = BandpassFilter::create(20, 0.3);
    ASSERT_TRUE(bp);
    EXPECT_DOUBLE_EQ(bp->beta(), 0.9510565162951535);
    EXPECT_DOUBLE_EQ(bp->alpha(), 0.8272719459724758);
    // At beta = ±1, 1 + alpha is exact, so the pole lies on the unit circle and not an
    // ulp outside it (where the rounded 1 + alpha of these bandwidths would put it).
    for (auto [n, b] : {std::pair{1, 0.02}, {2, 0.01}, {2, 0.11}}) {
        const auto f = BandpassFilter::create(n, b);
        ASSERT_TRUE(f) << n << " " << b;
        EXPECT_EQ((1.0 + f->alpha()) - 1.0, f->alpha()) << n << " " << b;
    }

    // The super smoother of length 10 and the high-pass factor of period 48.
    SuperSmootherCore ss(10.0);
    EXPECT_DOUBLE_EQ(ss.c1(), 0.2531948016118099);
    EXPECT_DOUBLE_EQ(ss.c2(), 1.1580458998309644);
    EXPECT_DOUBLE_EQ(ss.c3(), -0.4112407014427743);
    EXPECT_DOUBLE_EQ(RoofingCore(10.0, 48).alpha(), 0.1230235370072432);
    EXPECT_NEAR(ss.c1() + ss.c2() + ss.c3(), 1.0, 1e-15);

    // The cosine-sine table exists only while (max − min + 1)·(max − 2) <= 2^20.
    EXPECT_TRUE(AutocorrelationPeriodogram::create(10, 48)->has_table());       // 1,794 pairs
    EXPECT_TRUE(AutocorrelationPeriodogram::create(4, 300)->has_table());       // 88,506
    EXPECT_TRUE(AutocorrelationPeriodogram::create(1539, 2050)->has_table());   // 512·2048 = 1,048,576
    EXPECT_FALSE(AutocorrelationPeriodogram::create(1538, 2050)->has_table());  // 513·2048
    EXPECT_FALSE(AutocorrelationPeriodogram::create(4, 1027)->has_table());     // 1024·1025
}

TEST(CycleConstructors, RegistryNamesBuildAndReportRefusals) {
    const struct {
        const char* name;
        std::vector<double> params;
        std::string error;  // "" = builds
    } cases[] = {
        {"AdaptiveCycle", {}, ""},
        {"HilbertDominantCycle", {7, 8}, ""},
        {"HtDcPhase", {}, ""},
        {"HtTrendMode", {}, ""},
        {"SineWave", {}, ""},
        {"SuperSmoother", {1e-300}, kZeroText},
        {"Decycler", {16777217}, kMaxText},
        {"InverseFisherTransform", {0}, invalid("scale must be a positive finite number")},
        {"LaguerreRsi", {-0.1}, invalid("LaguerreRSI gamma must be a finite value in [0, 1]")},
        {"RoofingFilter", {10, 10}, invalid("lp_period must be strictly less than hp_period")},
        {"AutocorrelationPeriodogram", {10, 48}, ""},
        {"BandpassFilter", {20, 1}, "invalid parameter: bandpass bandwidth must be in (0, 1)"},
        {"WavePm", {10}, "missing parameter #1"},
        {"EvenBetterSinewave", {40, 10}, ""},
        {"DecyclerOscillator", {30, 10}, invalid("fast period must be strictly less than slow period")},
        {"HighpassFilter", {1}, invalid("highpass filter needs period >= 2")},
        {"BandpassFilter", {2, 0.1}, ""},
        {"BandpassFilter", {2, 0.3}, needs(3)},
        {"EmpiricalModeDecomposition", {1, 0.5}, ""},
    };
    for (const auto& c : cases) {
        const BuildResult r = build_indicator(c.name, c.params);
        if (c.error.empty()) {
            EXPECT_TRUE(r.has_value()) << c.name;
        } else {
            ASSERT_FALSE(r.has_value()) << c.name;
            EXPECT_EQ(r.error().indicator, c.name);
            EXPECT_EQ(r.error().message, c.error) << c.name;
        }
    }
}

TEST(CycleWarmup, FirstValueOnTheWarmupBarAndRefusedClosesChangeNothing) {
    const struct {
        const char* label;
        test::Maker make;
        std::uint64_t warmup;
    } cases[] = {
        {"SuperSmoother", box<SuperSmoother>(10), 1},
        {"InstantaneousTrendline", box<InstantaneousTrendline>(20), 1},
        {"Decycler", box<Decycler>(20), 1},
        {"AdaptiveLaguerreFilter", box<AdaptiveLaguerreFilter>(7), 7},
        {"EhlersStochastic", box<EhlersStochastic>(12), 12},
        {"EmpiricalModeDecomposition 10", box<EmpiricalModeDecomposition>(10, 0.5), 50},
        {"EmpiricalModeDecomposition 30", box<EmpiricalModeDecomposition>(30, 0.5), 60},
        {"EvenBetterSinewave", box<EvenBetterSinewave>(40, 10), 3},
        {"FisherTransform", box<FisherTransform>(9), 9},
        {"HighpassFilter", box<HighpassFilter>(48), 1},
        {"InverseFisherTransform", box<InverseFisherTransform>(0.01), 1},
        {"LaguerreRsi", box<LaguerreRsi>(0.5), 1},
        {"Reflex", box<Reflex>(10), 11},
        {"RoofingFilter", box<RoofingFilter>(10, 48), 1},
        {"Trendflex", box<Trendflex>(10), 11},
        {"UniversalOscillator", box<UniversalOscillator>(20), 3},
        {"WavePm", box<WavePm>(5, 4), 13},
        {"BandpassFilter", box<BandpassFilter>(20, 0.3), 1},
        {"CenterOfGravity", box<CenterOfGravity>(10), 10},
        {"CorrelationTrendIndicator", box<CorrelationTrendIndicator>(10), 10},
        {"CyberneticCycle", box<CyberneticCycle>(10), 1},
        {"DecyclerOscillator", box<DecyclerOscillator>(10, 30), 1},
        {"AutocorrelationPeriodogram", box<AutocorrelationPeriodogram>(4, 11), 14},
        {"AutocorrelationPeriodogram no table", box<AutocorrelationPeriodogram>(4, 300), 303},
        {"HtDcPhase", box<HtDcPhase>(), 50},
        {"SineWave", box<SineWave>(), 50},
        {"HilbertDominantCycle", box<HilbertDominantCycle>(), 50},
        {"AdaptiveCycle", box<AdaptiveCycle>(), 50},
        {"HtTrendMode", box<HtTrendMode>(), 50},
    };
    for (const auto& c : cases) {
        auto ind = c.make();
        ASSERT_TRUE(ind) << c.label;
        EXPECT_EQ((*ind)->warmup(), c.warmup) << c.label;
        if (c.warmup < 80) test::expect_warmup_and_refusal(c.label, c.make);
    }
}

}  // namespace
}  // namespace torvex
