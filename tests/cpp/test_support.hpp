// The one support header of the C++ tests: feeding indicators bar by bar, boxing
// constructor results, and the table checks every indicator family shares.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <expected>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "indicators/indicator.hpp"

namespace torvex::test {

inline Ohlcv close_bar(double close) { return Ohlcv{0, close, close, close, close, 0.0}; }

// Feeds one bar built from a close price only.
inline std::optional<double> feed_close(DynIndicator& ind, double close) {
    const Ohlcv bar = close_bar(close);
    return ind.update(BarContext(bar));
}

inline std::optional<double> feed(DynIndicator& ind, const Ohlcv& bar) {
    return ind.update(BarContext(bar));
}

// Feeds every close and returns each answer.
inline std::vector<std::optional<double>> feed_closes(DynIndicator& ind, const std::vector<double>& closes) {
    std::vector<std::optional<double>> out;
    out.reserve(closes.size());
    for (double c : closes) out.push_back(feed_close(ind, c));
    return out;
}

// The column of `ind` over the bars, handed over in pieces of `piece` bars: with the
// closes as a contiguous column beside them (`contiguous`), or through the candles
// alone. Rows of the column are 12345.0 until written.
inline std::vector<double> column_in_pieces(DynIndicator& ind, std::span<const Ohlcv> bars,
                                            std::span<const double> closes, std::size_t piece, bool contiguous) {
    std::vector<double> out(bars.size(), 12345.0);
    for (std::size_t from = 0; from < bars.size(); from += piece) {
        const std::size_t len = std::min(piece, bars.size() - from);
        ColumnRun run{std::span<double>(out).subspan(from, len), std::nullopt};
        const std::span<const Ohlcv> chunk = bars.subspan(from, len);
        if (contiguous) {
            ind.run_column(BarColumns(chunk, closes.subspan(from, len)), run);
        } else {
            ind.run_column(BarColumns(chunk), run);
        }
    }
    return out;
}

// A seeded series of closes for comparing two implementations bit for bit: small
// integers (many ties), signed zeros, NaN, both infinities, flat runs of the last
// finite close, values on a fine binary grid and, with `huge`, magnitudes near the
// largest finite double (whose differences overflow).
inline std::vector<double> rough_closes(std::uint64_t seed, std::size_t count, bool huge = true) {
    std::mt19937_64 rng(seed);
    std::vector<double> out;
    out.reserve(count);
    double last = 1.0;
    std::uint64_t run = 0;
    while (out.size() < count) {
        if (run > 0) {
            out.push_back(last);
            run -= 1;
            continue;
        }
        const std::uint64_t pick = rng() % 100;
        double x;
        if (pick < 30) x = static_cast<double>(static_cast<int>(rng() % 7) - 3);
        else if (pick < 36) x = (rng() & 1) != 0 ? -0.0 : 0.0;
        else if (pick < 40) x = NAN;
        else if (pick < 42) x = INFINITY;
        else if (pick < 44) x = -INFINITY;
        else if (pick < 50) {
            run = rng() % 12;
            x = last;
        } else if (pick < 56 && huge) {
            x = ((rng() & 1) != 0 ? -1e308 : 1e308) * (1.0 + static_cast<double>(rng() % 4) * 0.25);
        } else {
            x = std::ldexp(static_cast<double>(static_cast<std::int64_t>(rng() % 2'000'001) - 1'000'000), -17);
        }
        out.push_back(x);
        if (std::isfinite(x)) last = x;
    }
    return out;
}

// Two optional answers equal bit for bit (NaN payloads included). With
// `any_nan_matches`, any NaN equals any other: which of two NaN operands an operation
// passes on follows the operand order the compiler picks, and a NaN reaches the
// matrix only as 0.0.
inline ::testing::AssertionResult same_bits(std::optional<double> got, std::optional<double> want,
                                            bool any_nan_matches = false) {
    if (any_nan_matches && got && want && std::isnan(*got) && std::isnan(*want)) return ::testing::AssertionSuccess();
    if (got.has_value() != want.has_value()) {
        return ::testing::AssertionFailure() << "got " << (got ? "a value" : "none") << ", want "
                                             << (want ? "a value" : "none");
    }
    if (got && std::bit_cast<std::uint64_t>(*got) != std::bit_cast<std::uint64_t>(*want)) {
        return ::testing::AssertionFailure() << "got " << *got << ", want " << *want;
    }
    return ::testing::AssertionSuccess();
}

// A price from a rough pool: small integers (ties), signed zeros, a fine binary grid,
// magnitudes beyond half the largest double (unless `huge` is false), and unless
// `finite`, now and then a non-finite value.
inline double rough_price(std::mt19937_64& rng, bool finite, bool huge = true) {
    const std::uint64_t p = rng() % 100;
    if (p < 30) return static_cast<double>(static_cast<int>(rng() % 7) - 3);
    if (p < 38) return (rng() & 1) != 0 ? -0.0 : 0.0;
    if (huge && p < 46) return ((rng() & 1) != 0 ? -1e308 : 1e308) * (1.0 + static_cast<double>(rng() % 4) * 0.25);
    if (!finite && p < 52) {
        const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
        return bad[rng() % 3];
    }
    return std::ldexp(static_cast<double>(static_cast<std::int64_t>(rng() % 2'000'001) - 1'000'000), -17);
}

// Two columns equal bit for bit, the first bar that differs named; `any_nan_matches`
// as for same_bits.
inline ::testing::AssertionResult same_column(const std::vector<double>& got, const std::vector<double>& want,
                                              bool any_nan_matches = false) {
    if (got.size() != want.size()) return ::testing::AssertionFailure() << "sizes differ";
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!(any_nan_matches && std::isnan(got[i]) && std::isnan(want[i])) &&
            std::bit_cast<std::uint64_t>(got[i]) != std::bit_cast<std::uint64_t>(want[i]))
            return ::testing::AssertionFailure() << "bar " << i << ": got " << got[i] << ", want " << want[i];
    return ::testing::AssertionSuccess();
}

// ---- Table cases built from constructors behind the common interface.

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

// ---- Boxed constructor results and fed series with expected answers.

using Expected = std::vector<std::optional<double>>;
inline constexpr std::nullopt_t None = std::nullopt;

template <class T>
IndicatorBox boxed(std::expected<T, IndicatorError> r) {
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
struct FedCase {
    const char* label;
    std::function<IndicatorBox()> make;
    std::vector<double> closes;
    Expected want;
};

inline void run_series_cases(std::initializer_list<FedCase> cases) {
    for (const FedCase& c : cases) {
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
