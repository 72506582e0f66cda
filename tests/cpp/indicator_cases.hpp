// Table helpers for the close-price indicator tests: building any indicator type
// behind the common interface, and the checks every such type must pass.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <expected>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "test_support.hpp"

namespace torvex::test {

using Maker = std::function<std::expected<IndicatorBox, IndicatorError>()>;

template <class T, class... Args>
Maker box(Args... args) {
    return [=]() -> std::expected<IndicatorBox, IndicatorError> {
        auto made = T::create(args...);
        if (!made) return std::unexpected(made.error());
        return IndicatorBox(std::make_unique<T>(std::move(*made)));
    };
}

// A constructor call and the display text it must refuse with ("" = must build).
struct BuildCase {
    const char* label;
    Maker make;
    std::string error;
};

inline void expect_builds(const std::vector<BuildCase>& cases) {
    for (const BuildCase& c : cases) {
        auto made = c.make();
        if (c.error.empty()) {
            EXPECT_TRUE(made.has_value()) << c.label << ": " << (made ? "" : made.error().display());
        } else {
            ASSERT_FALSE(made.has_value()) << c.label;
            EXPECT_EQ(made.error().display(), c.error) << c.label;
        }
    }
}

inline constexpr std::optional<double> kNone = std::nullopt;

// Feeds `closes` to a fresh indicator and compares every answer, within a relative
// tolerance, with `want`.
inline void expect_series(const char* label, const Maker& make, const std::vector<double>& closes,
                          const std::vector<std::optional<double>>& want, double tol = 1e-12) {
    auto ind = make();
    ASSERT_TRUE(ind.has_value()) << label;
    const auto got = feed_closes(**ind, closes);
    ASSERT_EQ(got.size(), want.size()) << label;
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].has_value(), want[i].has_value()) << label << " bar " << i;
        if (want[i]) {
            EXPECT_NEAR(*got[i], *want[i], tol * std::max(1.0, std::fabs(*want[i]))) << label << " bar " << i;
        }
    }
}

struct SeriesCase {
    const char* label;
    Maker make;
    std::vector<double> closes;
    std::vector<std::optional<double>> want;
};

inline void expect_all_series(const std::vector<SeriesCase>& cases) {
    for (const SeriesCase& c : cases) expect_series(c.label, c.make, c.closes, c.want);
}

// The first value comes exactly on bar `warmup()`, and a non-finite close answers
// nothing and leaves the state as if it had never come.
inline void expect_warmup_and_refusal(const char* label, const Maker& make) {
    std::vector<double> closes;
    double x = 100.0;
    for (int i = 0; i < 90; ++i) {
        x += std::sin(i * 1.7) * 3.0 + 0.25;
        closes.push_back(x);
    }
    auto clean = make();
    auto dirty = make();
    ASSERT_TRUE(clean && dirty) << label;
    const std::uint64_t warmup = (*clean)->warmup();
    const double bad[] = {NAN, INFINITY, -INFINITY};
    std::uint64_t first = 0;
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i % 13 == 5) {
            EXPECT_FALSE(feed_close(**dirty, bad[i % 3])) << label << " bar " << i;
        }
        const auto want = feed_close(**clean, closes[i]);
        const auto got = feed_close(**dirty, closes[i]);
        if (want && first == 0) first = i + 1;
        ASSERT_EQ(got, want) << label << " bar " << i;
    }
    EXPECT_EQ(first, warmup) << label;
    EXPECT_EQ((*dirty)->warmup(), warmup) << label;
}

inline const std::string kMaxText =
    "invalid period: period exceeds the maximum supported window length (see MAX_PERIOD)";
inline const std::string kZeroText = "period must be greater than zero";

}  // namespace torvex::test
