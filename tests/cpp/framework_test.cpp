// The error texts, the candle rule and the output-list contract of the framework.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "indicators/indicator.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Framework, ErrorDisplayTexts) {
    using K = IndicatorError::Kind;
    struct Case {
        IndicatorError error;
        const char* text;
    };
    const Case cases[] = {
        {IndicatorError::zero_period(), "period must be greater than zero"},
        {IndicatorError::invalid_period("fast period must be strictly less than slow period"),
         "invalid period: fast period must be strictly less than slow period"},
        {IndicatorError::non_finite_input(), "input value must be finite (got NaN or infinity)"},
        {IndicatorError::invalid_candle("high must be >= low"), "invalid candle: high must be >= low"},
        {IndicatorError::with_message(K::InvalidTick, "x"), "invalid tick: x"},
        {IndicatorError::non_positive_multiplier(), "multiplier must be greater than zero"},
        {IndicatorError::with_message(K::InvalidOrderBook, "x"), "invalid order book: x"},
        {IndicatorError::with_message(K::InvalidTrade, "x"), "invalid trade: x"},
        {IndicatorError::with_message(K::InvalidDerivativesTick, "x"), "invalid derivatives tick: x"},
        {IndicatorError::with_message(K::InvalidCrossSection, "x"), "invalid cross-section: x"},
        {IndicatorError::invalid_parameter("mar must be finite"), "invalid parameter: mar must be finite"},
        {IndicatorError::period_too_long(),
         "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.error.display(), c.text);
    // Display appends rather than replaces.
    std::string buf = "x=";
    IndicatorError::zero_period().display_to(buf);
    EXPECT_EQ(buf, "x=period must be greater than zero");
}

TEST(Framework, WindowLengthBoundary) {
    EXPECT_EQ(check_period(0).error(), IndicatorError::zero_period());
    EXPECT_TRUE(check_period(1));
    EXPECT_TRUE(check_period(16'777'216));
    EXPECT_EQ(check_period(16'777'217).error(), IndicatorError::period_too_long());
    EXPECT_EQ(check_period(UINT64_MAX).error(), IndicatorError::period_too_long());
}

TEST(Framework, CandleRuleOrder) {
    struct Case {
        Ohlcv bar;
        const char* message;  // nullptr: valid
    };
    const Case cases[] = {
        {{0, 1, 1, 1, 1, 0}, nullptr},                 // flat bar, zero volume
        {{0, 1, 2, 0.5, 1.5, -0.0}, nullptr},          // negative zero volume passes
        {{0, 1, 2, 0.5, 1.5, -1e-300}, "volume must be non-negative"},
        {{0, kNaN, 2, 0.5, 1.5, -5}, "open, high, low, close must all be finite"},
        {{0, 1, kInf, 0.5, 1.5, 1}, "open, high, low, close must all be finite"},
        {{0, 1, 2, 0.5, -kInf, 1}, "open, high, low, close must all be finite"},
        {{0, 1, 2, 0.5, 1.5, kInf}, "volume must be finite"},
        {{0, 1, 2, 0.5, 1.5, kNaN}, "volume must be finite"},
        {{0, 3, 1, 2, 1.5, 1}, "high must be >= low"},  // high below low and below open
        {{0, 3, 2, 1, 1.5, 1}, "high must be >= open and >= close"},
        {{0, 1.5, 2, 1, 2.5, 1}, "high must be >= open and >= close"},
        {{0, 1, 2, 1, 0.5, 1}, "low must be <= open and <= close"},  // open equal to low
        {{0, 0.5, 2, 1, 1.5, 1}, "low must be <= open and <= close"},
    };
    for (const Case& c : cases) {
        const Checked r = validate_candle(c.bar);
        if (c.message == nullptr) {
            EXPECT_TRUE(r) << r.error().display();
        } else {
            ASSERT_FALSE(r) << c.message;
            EXPECT_EQ(r.error().kind(), IndicatorError::Kind::InvalidCandle);
            EXPECT_EQ(r.error().message(), c.message);
        }
    }
}

// The plain test that the column loops run agrees with the rule on every combination
// of special and ordinary values in the five fields.
TEST(Framework, CandleTestAgreesWithRule) {
    constexpr double kMax = std::numeric_limits<double>::max();
    const double values[] = {kNaN, -kInf, -kMax, -1.0, -0.0, 0.0, 1e-310, 1.0, 2.0, kMax, kInf};
    std::size_t valid = 0;
    for (double o : values)
        for (double h : values)
            for (double l : values)
                for (double c : values)
                    for (double v : values) {
                        const Ohlcv bar{0, o, h, l, c, v};
                        const bool accepted = validate_candle(bar).has_value();
                        ASSERT_EQ(candle_is_valid(bar), accepted) << o << ' ' << h << ' ' << l << ' ' << c << ' ' << v;
                        valid += accepted;
                    }
    // Nine finite values each side of the checks: some candles pass, most do not.
    EXPECT_GT(valid, 1000u);
    EXPECT_LT(valid, 161051u / 4);
}

TEST(Framework, FiniteTest) {
    EXPECT_TRUE(is_finite(0.0));
    EXPECT_TRUE(is_finite(-std::numeric_limits<double>::max()));
    EXPECT_TRUE(is_finite(std::numeric_limits<double>::denorm_min()));
    EXPECT_FALSE(is_finite(kInf));
    EXPECT_FALSE(is_finite(-kInf));
    EXPECT_FALSE(is_finite(kNaN));
    EXPECT_FALSE(is_finite(-kNaN));
}

// The NaN-skipping max and min: std::fmax and std::fmin wherever those are defined,
// and `b` on a tie of zeros, whichever operand carries which sign.
TEST(Framework, NanSkippingMaxAndMin) {
    struct Case {
        double a, b, max, min;
    };
    const Case cases[] = {
        {1.0, 2.0, 2.0, 1.0},       {2.0, 1.0, 2.0, 1.0},     {-3.0, -3.0, -3.0, -3.0},
        {kNaN, 1.0, 1.0, 1.0},      {1.0, kNaN, 1.0, 1.0},    {-kInf, kNaN, -kInf, -kInf},
        {kNaN, kInf, kInf, kInf},   {-kInf, kInf, kInf, -kInf},
        {0.0, -0.0, -0.0, -0.0},    {-0.0, 0.0, 0.0, 0.0},
        {-0.0, -0.0, -0.0, -0.0},   {kNaN, -0.0, -0.0, -0.0},
    };
    for (const Case& c : cases) {
        const double got_max = max_skipping_nan(c.a, c.b), got_min = min_skipping_nan(c.a, c.b);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got_max), std::bit_cast<std::uint64_t>(c.max)) << c.a << ", " << c.b;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(got_min), std::bit_cast<std::uint64_t>(c.min)) << c.a << ", " << c.b;
    }
    EXPECT_TRUE(std::isnan(max_skipping_nan(kNaN, kNaN)));
    EXPECT_TRUE(std::isnan(min_skipping_nan(kNaN, kNaN)));
}

// A test-only two-output type: running count and running sum of candle closes,
// publishing from the second accepted bar on.
class CountSum final : public MultiOutput<CountSum, 2> {
public:
    static constexpr std::array<std::string_view, 2> kOutputNames{"sum", "count"};
    static constexpr InputGate kGate = InputGate::Candle;

    std::optional<std::array<double, 2>> step(const BarContext& ctx) {
        count_ += 1;
        sum_ += ctx.candle.close;
        if (count_ < 2) return std::nullopt;
        return std::array<double, 2>{sum_, count_};
    }
    std::uint64_t warmup() const override { return 2; }

private:
    double count_ = 0;
    double sum_ = 0;
};

TEST(Framework, OutputListContract) {
    CountSum ind;
    EXPECT_TRUE(ind.outputs().empty());
    EXPECT_FALSE(test::feed_close(ind, 1.0));
    EXPECT_TRUE(ind.outputs().empty()) << "no list before the first value";

    EXPECT_EQ(test::feed_close(ind, 2.0), 3.0);
    const std::vector<NamedOutput> expected{{"sum", 3.0}, {"count", 2.0}};
    EXPECT_EQ(ind.outputs(), expected);

    // A refused candle keeps the list and the state.
    const Ohlcv bad{0, 1, 0.5, 1, 1, 0};
    EXPECT_FALSE(test::feed(ind, bad));
    EXPECT_EQ(ind.outputs(), expected);

    // Copies are independent of each other and of the object.
    std::vector<NamedOutput> a = ind.outputs();
    const std::vector<NamedOutput> b = ind.outputs();
    EXPECT_EQ(a.capacity(), a.size());
    a[0].value = 99.0;
    a.clear();
    EXPECT_EQ(b, expected);
    EXPECT_EQ(ind.outputs(), expected);

    EXPECT_EQ(test::feed_close(ind, 4.0), 7.0);  // as if the refused bar never came
    EXPECT_EQ(ind.outputs(), (std::vector<NamedOutput>{{"sum", 7.0}, {"count", 3.0}}));
    EXPECT_EQ(ind.warmup(), 2u);
}

}  // namespace
}  // namespace torvex
