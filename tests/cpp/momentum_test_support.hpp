// Shared helpers of the momentum oscillator tests: boxing a constructor result,
// reading a refusal's text, and comparing a fed series with expected answers.
#pragma once

#include <gtest/gtest.h>

#include <expected>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "indicators/indicator.hpp"
#include "test_support.hpp"

namespace torvex::test {

using Expected = std::vector<std::optional<double>>;
inline constexpr std::nullopt_t None = std::nullopt;

template <class T>
IndicatorBox box(std::expected<T, IndicatorError> r) {
    if (!r) {
        ADD_FAILURE() << "construction refused: " << r.error().display();
        return nullptr;
    }
    return std::make_unique<T>(std::move(*r));
}

// The display text of a refusal, or "built" when the constructor accepts.
template <class T>
std::string refusal(const std::expected<T, IndicatorError>& r) {
    return r ? std::string("built") : r.error().display();
}

inline const std::string kTooLong =
    "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
inline const std::string kZero = "period must be greater than zero";
inline constexpr std::uint64_t kOver = MAX_PERIOD + 1;  // the first refused length

// Feeds `closes` and checks each answer: None where expected, else within `tol`.
inline void expect_series(DynIndicator& ind, const std::vector<double>& closes, const Expected& want,
                          double tol = 1e-12) {
    ASSERT_EQ(closes.size(), want.size());
    for (std::size_t i = 0; i < closes.size(); ++i) {
        const std::optional<double> got = feed_close(ind, closes[i]);
        ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i + 1;
        if (got) {
            EXPECT_NEAR(*got, *want[i], tol) << "bar " << i + 1;
        }
    }
}

// A constructor call and the display text it should give ("built" for success).
struct CheckCase {
    const char* label;
    std::function<std::string()> build;
    std::string want;
};

inline void run_check_cases(std::initializer_list<CheckCase> cases) {
    for (const CheckCase& c : cases) EXPECT_EQ(c.build(), c.want) << c.label;
}

// An indicator, the closes it is fed and every answer expected.
struct SeriesCase {
    const char* label;
    std::function<IndicatorBox()> make;
    std::vector<double> closes;
    Expected want;
};

inline void run_series_cases(std::initializer_list<SeriesCase> cases) {
    for (const SeriesCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = c.make();
        ASSERT_TRUE(ind);
        expect_series(*ind, c.closes, c.want);
    }
}

// An indicator that must answer `want` on every bar from its warm-up on, and
// nothing before.
struct SteadyCase {
    const char* label;
    std::function<IndicatorBox()> make;
    const std::vector<double>* closes;
    double want;
};

inline void run_steady_cases(std::initializer_list<SteadyCase> cases) {
    for (const SteadyCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = c.make();
        ASSERT_TRUE(ind);
        for (std::size_t i = 0; i < c.closes->size(); ++i) {
            const auto got = feed_close(*ind, (*c.closes)[i]);
            ASSERT_EQ(got.has_value(), i + 1 >= ind->warmup()) << "bar " << i + 1;
            if (got) {
                EXPECT_NEAR(*got, c.want, 1e-12) << "bar " << i + 1;
            }
        }
    }
}

}  // namespace torvex::test
