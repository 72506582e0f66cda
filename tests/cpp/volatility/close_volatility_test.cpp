// Constructors, hand-worked values, warm-ups and refusals of the volatility measures
// over the log returns of the close.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "test_support.hpp"
#include "indicators/volatility/bipower_variation.hpp"
#include "indicators/volatility/ewma_volatility.hpp"
#include "indicators/volatility/garch11.hpp"
#include "indicators/volatility/historical_volatility.hpp"
#include "indicators/volatility/jump_indicator.hpp"
#include "indicators/volatility/log_return.hpp"
#include "indicators/volatility/realized_volatility.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "indicators/volatility/volatility_of_volatility.hpp"

using namespace torvex;
using test::box;
using test::kMaxText;
using test::kNone;
using test::kZeroText;

namespace {

using U = std::uint64_t;
constexpr U kMax = MAX_PERIOD;

std::string period_text(const char* m) { return std::string("invalid period: ") + m; }
std::string param_text(const char* m) { return std::string("invalid parameter: ") + m; }

double sample_sd(double a, double b) { return std::fabs(a - b) / std::sqrt(2.0); }

}  // namespace

TEST(CloseVolatilityConstruct, ChecksRunInOrderWithTheirTexts) {
    const std::string ewma = param_text("EWMA volatility lambda must be in the open interval (0, 1)");
    const std::string hv = period_text("historical volatility period must be >= 2");
    const std::string jump = period_text("jump indicator needs period >= 2");
    const std::string jump_k = param_text("jump indicator threshold must be finite and positive");
    const std::string vov = period_text("vol-of-vol windows must both be >= 2");
    test::expect_builds({
        {"EwmaVolatility 0.94", box<EwmaVolatility>(0.94), ""},
        {"EwmaVolatility 1", box<EwmaVolatility>(1.0), ewma},
        {"EwmaVolatility 0", box<EwmaVolatility>(0.0), ewma},
        {"Garch11 infinite", box<Garch11>(INFINITY, 0.1, 0.1), param_text("GARCH(1,1) parameters must be finite")},
        {"Garch11 omega 0", box<Garch11>(0.0, 0.1, 0.1), param_text("GARCH(1,1) omega must be > 0")},
        {"Garch11 alpha negative", box<Garch11>(1e-6, -0.1, 0.1), param_text("GARCH(1,1) alpha and beta must be >= 0")},
        {"Garch11 alpha -0", box<Garch11>(1e-6, -0.0, 0.5), ""},
        {"Garch11 stationarity", box<Garch11>(0.1, 0.5, 0.5),
         param_text("GARCH(1,1) requires alpha + beta < 1 (covariance stationarity)")},
        {"HistoricalVolatility 1/0", box<HistoricalVolatility>(U{1}, U{0}), kZeroText},
        {"HistoricalVolatility 1/252", box<HistoricalVolatility>(U{1}, U{252}), hv},
        {"HistoricalVolatility long", box<HistoricalVolatility>(kMax + 1, U{252}), kMaxText},
        {"HistoricalVolatility per year huge", box<HistoricalVolatility>(U{2}, UINT64_MAX), ""},
        {"JumpIndicator 0", box<JumpIndicator>(U{0}, 2.0), jump},
        {"JumpIndicator 1", box<JumpIndicator>(U{1}, 2.0), jump},
        {"JumpIndicator long", box<JumpIndicator>(kMax + 1, 0.0), kMaxText},
        {"JumpIndicator k 0", box<JumpIndicator>(U{5}, 0.0), jump_k},
        {"JumpIndicator k subnormal", box<JumpIndicator>(U{5}, 5e-324), ""},
        {"LogReturn 0", box<LogReturn>(U{0}), kZeroText},
        {"LogReturn max", box<LogReturn>(kMax), ""},
        {"LogReturn long", box<LogReturn>(kMax + 1), kMaxText},
        {"RealizedVolatility 0", box<RealizedVolatility>(U{0}), kZeroText},
        {"RealizedVolatility long", box<RealizedVolatility>(kMax + 1), kMaxText},
        {"BipowerVariation 0", box<BipowerVariation>(U{0}), kZeroText},
        {"BipowerVariation 1", box<BipowerVariation>(U{1}), period_text("bipower variation period must be >= 2")},
        {"BipowerVariation long", box<BipowerVariation>(kMax + 1), kMaxText},
        {"RviVolatility 0", box<RviVolatility>(U{0}), kZeroText},
        {"RviVolatility 1", box<RviVolatility>(U{1}), period_text("RVI period must be >= 2")},
        {"RviVolatility long", box<RviVolatility>(kMax + 1), kMaxText},
        {"VolatilityOfVolatility 0/1", box<VolatilityOfVolatility>(U{1}, U{0}), kZeroText},
        {"VolatilityOfVolatility 1/5", box<VolatilityOfVolatility>(U{1}, U{5}), vov},
        {"VolatilityOfVolatility 5/1", box<VolatilityOfVolatility>(U{5}, U{1}), vov},
        {"VolatilityOfVolatility long", box<VolatilityOfVolatility>(U{5}, kMax + 1), kMaxText},
        {"VolatilityOfVolatility 2/2", box<VolatilityOfVolatility>(U{2}, U{2}), ""},
    });
}

TEST(CloseVolatilityValues, HandWorkedSeries) {
    const double up = std::log(1.1);
    const double down = std::log(100.0 / 110.0);
    const double r1 = std::log(110.0 / 100.0), r2 = std::log(99.0 / 110.0), r3 = std::log(120.0 / 99.0);
    const double half_pi = std::acos(-1.0) / 2.0;
    // GARCH: the long-run variance first, then ω + α·r² of the previous bar + β·var.
    const double omega = 1e-6, alpha = 0.1, beta = 0.85;
    const double var0 = omega / ((1.0 - alpha) - beta);
    const double var1 = var0 * beta + omega + r1 * r1 * alpha;
    // Jump: returns of 100, 101, 100 set the band; ln 1.5 leaves it upwards, ln(1/3)
    // downwards, and 0 stays within ln 1.5 and ln(1/3) around their mean.
    test::expect_all_series({
        {"LogReturn 1", box<LogReturn>(U{1}), {100, 110}, {kNone, up}},
        {"LogReturn 2", box<LogReturn>(U{2}), {100, 110, 121, 100}, {kNone, kNone, std::log(1.21), std::log(100.0 / 110.0)}},
        {"EwmaVolatility", box<EwmaVolatility>(0.9), {100, 110, 99},
         {kNone, up, std::sqrt(0.1 * r2 * r2 + 0.9 * up * up)}},
        {"Garch11", box<Garch11>(omega, alpha, beta), {100, 110, 99}, {kNone, std::sqrt(var0), std::sqrt(var1)}},
        {"HistoricalVolatility", box<HistoricalVolatility>(U{2}, U{252}), {100, 110, 99},
         {kNone, kNone, std::sqrt(252.0) * sample_sd(r1, r2) * 100.0}},
        {"HistoricalVolatility constant", box<HistoricalVolatility>(U{3}, U{365}), {5, 5, 5, 5, 5},
         {kNone, kNone, kNone, 0.0, 0.0}},
        {"RealizedVolatility flat", box<RealizedVolatility>(U{2}), {100, 100, 100}, {kNone, kNone, 0.0}},
        {"RealizedVolatility", box<RealizedVolatility>(U{2}), {100, 110, 100}, {kNone, kNone, std::hypot(up, down)}},
        {"BipowerVariation", box<BipowerVariation>(U{2}), {100, 110, 99, 120},
         {kNone, kNone, half_pi * std::fabs(r1 * r2), half_pi * std::fabs(r2 * r3)}},
        {"BipowerVariation constant", box<BipowerVariation>(U{3}), {7, 7, 7, 7, 7}, {kNone, kNone, kNone, 0.0, 0.0}},
        {"JumpIndicator", box<JumpIndicator>(U{2}, 1.0), {100, 101, 100, 150, 50, 50}, {kNone, kNone, kNone, 1.0, -1.0, 0.0}},
        {"JumpIndicator constant", box<JumpIndicator>(U{2}, 0.5), {9, 9, 9, 9, 9}, {kNone, kNone, kNone, 0.0, 0.0}},
        {"RviVolatility constant", box<RviVolatility>(U{3}), {4, 4, 4, 4, 4, 4}, {kNone, kNone, kNone, kNone, 50.0, 50.0}},
        {"VolatilityOfVolatility", box<VolatilityOfVolatility>(U{2}, U{2}), {100, 110, 99, 120},
         {kNone, kNone, kNone, sample_sd(sample_sd(r1, r2), sample_sd(r2, r3))}},
        {"VolatilityOfVolatility constant", box<VolatilityOfVolatility>(U{2}, U{2}), {3, 3, 3, 3, 3},
         {kNone, kNone, kNone, 0.0, 0.0}},
    });
}

// A close of zero or below is refused like a non-finite one: no value, no change, and
// it does not count as a bar, so the next return spans it.
TEST(CloseVolatilityValues, NonPositiveClosesLeaveStateUntouched) {
    const std::vector<std::pair<const char*, test::Maker>> makers = {
        {"LogReturn", box<LogReturn>(U{3})},
        {"EwmaVolatility", box<EwmaVolatility>(0.94)},
        {"Garch11", box<Garch11>(1e-6, 0.1, 0.85)},
        {"HistoricalVolatility", box<HistoricalVolatility>(U{4}, U{252})},
        {"JumpIndicator", box<JumpIndicator>(U{4}, 0.5)},
        {"RealizedVolatility", box<RealizedVolatility>(U{4})},
        {"BipowerVariation", box<BipowerVariation>(U{4})},
        {"VolatilityOfVolatility", box<VolatilityOfVolatility>(U{3}, U{4})},
    };
    const double refused[] = {0.0, -0.0, -3.0, -1e-300};
    for (const auto& [label, make] : makers) {
        test::expect_warmup_and_refusal(label, make);
        auto clean = make();
        auto dirty = make();
        ASSERT_TRUE(clean && dirty) << label;
        double x = 50.0;
        for (int i = 0; i < 80; ++i) {
            x *= std::exp(0.02 * std::sin(i * 2.3));
            if (i % 7 == 3) {
                EXPECT_FALSE(test::feed_close(**dirty, refused[i % 4])) << label << " bar " << i;
            }
            ASSERT_EQ(test::feed_close(**dirty, x), test::feed_close(**clean, x)) << label << " bar " << i;
        }
    }
    // Positive subnormal closes are accepted.
    auto lr = box<LogReturn>(U{1})();
    ASSERT_TRUE(lr);
    EXPECT_FALSE(test::feed_close(**lr, 5e-324));
    const auto got = test::feed_close(**lr, 1e-323);
    ASSERT_TRUE(got);
    EXPECT_DOUBLE_EQ(*got, std::log(2.0));
    test::expect_warmup_and_refusal("RviVolatility", box<RviVolatility>(U{5}));
}

// A close of 1e10 after a subnormal one: the return's quotient overflows to infinity.
// The window's sums are re-centred while it is held (every n returns), which leaves
// them NaN; once it has left, each answer is the window's own again (it read 0 until
// the next scheduled re-centring, up to n returns later).
TEST(CloseVolatilityValues, InfiniteReturnLeavesNothingOnceGone) {
    const std::vector<double> closes{1e-310, 1e10, 1.1e10, 1.2e10, 1.1e10, 1.3e10, 1.25e10, 1.4e10};
    for (const auto& [label, make] : std::vector<std::pair<const char*, test::Maker>>{
             {"HistoricalVolatility", box<HistoricalVolatility>(U{3}, U{1})},
             {"VolatilityOfVolatility", box<VolatilityOfVolatility>(U{2}, U{2})}}) {
        auto streamed = make();
        ASSERT_TRUE(streamed) << label;
        const std::size_t k = (*streamed)->warmup();
        for (std::size_t i = 0; i < closes.size(); ++i) {
            const auto got = test::feed_close(**streamed, closes[i]);
            // Only windows that start after the infinite return (at close 1).
            if (i < k + 1) continue;
            auto fresh = make();
            std::optional<double> want;
            for (std::size_t j = i + 1 - k; j <= i; ++j) want = test::feed_close(**fresh, closes[j]);
            ASSERT_TRUE(got && want) << label << " bar " << i;
            EXPECT_NEAR(*got, *want, 1e-12 * std::fabs(*want)) << label << " bar " << i;
        }
    }
}
