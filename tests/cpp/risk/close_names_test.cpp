// Every registry name whose indicator reads only the close builds through
// build_indicator with typical parameters and answers over a price series. Names
// whose row has no builder yet are skipped one by one (the table is complete: once
// every family is in, nothing is skipped).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

struct CloseName {
    std::string_view name;
    std::vector<double> params;
};

const std::vector<CloseName>& close_names() {
    static const std::vector<CloseName> names = {
        {"AdaptiveCycle", {}}, {"AnchoredRsi", {}}, {"HilbertDominantCycle", {}}, {"HtDcPhase", {}},
        {"HtTrendMode", {}}, {"RecoveryFactor", {}}, {"SineWave", {}},
        {"AdaptiveLaguerreFilter", {20}}, {"AdaptiveRsi", {20}}, {"AverageDrawdown", {20}},
        {"BipowerVariation", {20}}, {"BurkeRatio", {20}}, {"CalmarRatio", {20}}, {"CenterOfGravity", {20}},
        {"Cfo", {20}}, {"Cmo", {20}}, {"CoefficientOfVariation", {20}}, {"CommonSenseRatio", {20}},
        {"CorrelationTrendIndicator", {20}}, {"Dema", {20}}, {"DetrendedStdDev", {20}}, {"DisparityIndex", {20}},
        {"Dpo", {20}}, {"DynamicMomentumIndex", {20}}, {"EhlersStochastic", {20}}, {"Ehma", {20}},
        {"Expectancy", {20}}, {"FisherRsi", {20}}, {"FisherTransform", {20}}, {"Frama", {20}},
        {"GainLossRatio", {20}}, {"GainToPainRatio", {20}}, {"GeometricMa", {20}}, {"Hma", {20}},
        {"JarqueBera", {20}}, {"KRatio", {20}}, {"KellyCriterion", {20}}, {"Kurtosis", {20}},
        {"LinRegAngle", {20}}, {"LinRegIntercept", {20}}, {"LinRegSlope", {20}}, {"LinearRegression", {20}},
        {"LogReturn", {20}}, {"MartinRatio", {20}}, {"MaxDrawdown", {20}}, {"McGinleyDynamic", {20}},
        {"MedianAbsoluteDeviation", {20}}, {"MedianMa", {20}}, {"MidPoint", {20}}, {"Mom", {20}},
        {"PainIndex", {20}}, {"ProfitFactor", {20}}, {"RSquared", {20}}, {"RealizedVolatility", {20}},
        {"Reflex", {20}}, {"Roc", {20}}, {"Rocp", {20}}, {"Rocr", {20}}, {"Rocr100", {20}}, {"RollingIqr", {20}},
        {"RollingMinMaxScaler", {20}}, {"RollingPercentileRank", {20}}, {"Rsi", {20}}, {"RviVolatility", {20}},
        {"SineWeightedMa", {20}}, {"Skewness", {20}}, {"Sma", {20}}, {"Smma", {20}}, {"StandardError", {20}},
        {"StdDev", {20}}, {"SterlingRatio", {20}}, {"TailRatio", {20}}, {"Tema", {20}}, {"TrendLabel", {20}},
        {"TrendStrengthIndex", {20}}, {"Trendflex", {20}}, {"Trima", {20}}, {"Tsf", {20}},
        {"TsfOscillator", {20}}, {"UlcerIndex", {20}}, {"Variance", {20}}, {"VerticalHorizontalFilter", {20}},
        {"WinRate", {20}}, {"Wma", {20}}, {"ZScore", {20}}, {"Zlema", {20}},
        {"CyberneticCycle", {20}}, {"Decycler", {20}}, {"Ema", {20}}, {"HighpassFilter", {20}},
        {"InstantaneousTrendline", {20}}, {"Rsx", {20}}, {"SuperSmoother", {20}}, {"Trix", {20}},
        {"UniversalOscillator", {20}},
        {"EwmaVolatility", {0.94}}, {"InverseFisherTransform", {1}}, {"LaguerreRsi", {0.5}},
        {"PercentageTrailingStop", {5}}, {"RenkoTrailingStop", {2}}, {"StepTrailingStop", {1}},
        {"Fama", {0.5, 0.05}}, {"HoltWinters", {0.3, 0.1}}, {"Garch11", {1e-6, 0.1, 0.85}},
        {"BandpassFilter", {20, 0.3}}, {"BollingerBandwidth", {20, 2}}, {"ConditionalValueAtRisk", {20, 0.95}},
        {"EmpiricalModeDecomposition", {20, 0.5}}, {"JumpIndicator", {20, 3}}, {"OmegaRatio", {20, 0}},
        {"PercentB", {20, 2}}, {"RollingQuantile", {20, 0.5}}, {"SharpeRatio", {20, 0}},
        {"SortinoRatio", {20, 0}}, {"T3", {5, 0.7}}, {"UpsidePotentialRatio", {20, 0}},
        {"ValueAtRisk", {20, 0.95}}, {"GeneralizedDema", {10, 0.7}},
        {"Alma", {9, 0.85, 6}}, {"M2Measure", {20, 0, 0.01}}, {"Jma", {14, 0, 2}},
        {"Apo", {12, 26}}, {"Ppo", {12, 26}}, {"DecyclerOscillator", {10, 30}}, {"RoofingFilter", {10, 48}},
        {"Autocorrelation", {20, 1}}, {"HurstExponent", {64, 4}}, {"ShannonEntropy", {20, 10}},
        {"RegimeLabel", {20, 50}}, {"AutocorrelationPeriodogram", {10, 48}}, {"EvenBetterSinewave", {40, 10}},
        {"HistoricalVolatility", {20, 252}}, {"Pmo", {35, 20}}, {"PolarizedFractalEfficiency", {10, 5}},
        {"Rmi", {14, 5}}, {"StochRsi", {14, 14}}, {"Tii", {60, 30}}, {"Vidya", {14, 9}},
        {"VolatilityOfVolatility", {20, 20}}, {"WavePm", {14, 100}}, {"Tsi", {25, 13}},
        {"SampleEntropy", {20, 2, 0.2}}, {"ConnorsRsi", {3, 2, 100}}, {"Coppock", {10, 14, 11}},
        {"Kama", {10, 2, 30}}, {"MacdHistogram", {12, 26, 9}}, {"PpoHistogram", {12, 26, 9}},
        {"Stc", {23, 50, 10, 0.5}}, {"DerivativeOscillator", {14, 5, 3, 9}}, {"ElderImpulse", {13, 12, 26, 9}},
    };
    return names;
}

const RegistryRow* find_row(std::string_view name) {
    for (const RegistryRow& row : registry_rows()) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

TEST(CloseNames, TheListHoldsEveryCloseNameOnce) {
    std::vector<std::string_view> seen;
    for (const CloseName& c : close_names()) {
        const RegistryRow* row = find_row(c.name);
        ASSERT_NE(row, nullptr) << c.name;
        EXPECT_EQ(row->feed, kFeedCandles) << c.name;
        seen.push_back(c.name);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen.size(), 150u);
}

class CloseNameBuilds : public testing::TestWithParam<CloseName> {};

TEST_P(CloseNameBuilds, BuildsAndAnswersOverPrices) {
    const CloseName& c = GetParam();
    const RegistryRow* row = find_row(c.name);
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->build, nullptr) << c.name << " has no builder";
    auto built = build_indicator(c.name, c.params);
    ASSERT_TRUE(built) << built.error().message;
    DynIndicator& ind = **built;
    std::uint64_t answered = 0;
    double price = 100.0;
    for (int bar = 1; bar <= 700; ++bar) {
        price *= std::exp(0.01 * std::sin(0.7 * bar) + 0.002 * std::cos(1.9 * bar));
        if (test::feed_close(ind, price)) answered += 1;
    }
    EXPECT_GT(answered, 0u);
}

INSTANTIATE_TEST_SUITE_P(AllCloseNames, CloseNameBuilds, testing::ValuesIn(close_names()),
                         [](const testing::TestParamInfo<CloseName>& info) { return std::string(info.param.name); });

// The family's names through the registry: reader failures first, then the
// constructor's refusal carried with the registry name.
TEST(CloseNames, RiskFamilyRefusalsThroughTheRegistry) {
    struct Case {
        std::string_view name;
        std::vector<double> params;
        const char* message;  // "" = builds
    };
    const Case cases[] = {
        {"PercentageTrailingStop", {0}, "multiplier must be greater than zero"},
        {"PercentageTrailingStop", {1e-6}, ""},
        {"RenkoTrailingStop", {-2}, "multiplier must be greater than zero"},
        {"StepTrailingStop", {}, "missing parameter #0"},
        {"RecoveryFactor", {1, 2, NAN}, ""},
        {"AnchoredRsi", {}, ""},
        {"SharpeRatio", {1, 0}, "invalid period: sharpe ratio needs period >= 2"},
        {"SharpeRatio", {20}, "missing parameter #1"},
        {"ValueAtRisk", {20, 1}, "invalid period: confidence must lie strictly between 0 and 1"},
        {"M2Measure", {20, 0, -0.1},
         "invalid parameter: risk_free must be finite and benchmark_stddev finite and non-negative"},
        {"RegimeLabel", {1, 0.5}, "parameter #1 must be a positive integer, got 0.5"},
        {"RegimeLabel", {1, 1}, "invalid period: regime label needs vol_period >= 2"},
        {"RegimeLabel", {2, 1}, "invalid period: regime label needs lookback >= 2"},
        {"KRatio", {2.5}, "parameter #0 must be a positive integer, got 2.5"},
        {"OmegaRatio", {1e-300, 0}, "period must be greater than zero"},
        {"UlcerIndex", {16777217}, "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
    };
    for (const Case& c : cases) {
        auto built = build_indicator(c.name, c.params);
        if (*c.message == '\0') {
            EXPECT_TRUE(built) << c.name << ": " << (built ? "" : built.error().message);
        } else {
            ASSERT_FALSE(built) << c.name << " " << c.message;
            EXPECT_EQ(built.error(), BuildError::invalid(c.name, c.message));
        }
    }
}

}  // namespace
}  // namespace torvex
