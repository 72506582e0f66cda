// The rolling least-squares names against a plain stepping of the regression sums
// (ring, shifted sums, re-centring through the shared sums, every step in one piece),
// bit for bit, through update() and through the column loop, on series with ties,
// signed zeros, NaN, both infinities, flat runs and values near the largest double
// (which send the sums into the re-centrings the deviation watch asks for).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "test_support.hpp"
#include "indicators/cores/fixed_ring.hpp"
#include "indicators/cores/flat_run.hpp"
#include "indicators/cores/lin_reg_core.hpp"
#include "indicators/cores/rvi_volatility_core.hpp"
#include "indicators/cores/shifted_sums.hpp"
#include "registry/registry.hpp"

namespace torvex {
namespace {

using namespace test;

// The regression kept step by step in the most direct form: pop, remove, push, add,
// ask the shifted sums whether to re-centre, and re-add Σ i·(y − shift) separately.
class PlainLine {
public:
    explicit PlainLine(std::uint64_t n) : window_(n), period_(n), pos_(PositionSums::of(n)) {}

    std::optional<double> step(double y) {
        if (!is_finite(y)) return std::nullopt;
        if (window_.size() == period_) {
            const double o = window_.front();
            window_.pop_front();
            const double d_o = o - sums_.shift();
            sxy_ = d_o + (sxy_ - sums_.s1());
            sums_.remove(o);
        }
        const double i = static_cast<double>(window_.size());
        window_.push_back(y);
        const double d = sums_.add(y);
        sxy_ = i * d + sxy_;
        if (sums_.recenter_due(period_, window_.size(), y)) {
            sums_.recenter(window_.size(), [this](auto&& fn) { window_.for_each(fn); });
            sums_.wait_for_wild_to_leave(window_.size(), [this](auto&& fn) { window_.for_each(fn); });
            double sxy = 0.0;
            double pos = 0.0;
            window_.for_each([&](double v) {
                sxy += pos * (v - sums_.shift());
                pos += 1.0;
            });
            sxy_ = sxy;
        }
        if (window_.size() < period_) return std::nullopt;
        return (pos_.n - 1.0) * slope() + intercept();
    }

    double slope() const { return (pos_.n * sxy_ - pos_.sum_x * sums_.s1()) / pos_.denom; }
    double intercept() const { return sums_.shift() + (sums_.s1() - pos_.sum_x * slope()) / pos_.n; }
    const ShiftedSums& sums() const { return sums_; }
    const PositionSums& positions() const { return pos_; }

private:
    FixedRing<double> window_;
    ShiftedSums sums_;
    double sxy_ = 0.0;
    std::uint64_t period_;
    PositionSums pos_;
};

// Each name's answer for one close, from the plain line and what the name keeps beside it.
class PlainName {
public:
    PlainName(const std::string& name, std::uint64_t n) : name_(name), line_(n), rvi_(*RviVolatilityCore::create(3)) {}

    std::optional<double> step(double y) {
        if (name_ == "Inertia") {
            if (!is_finite(y)) return std::nullopt;
            const std::optional<double> rvi = rvi_.step(y);
            if (!rvi) return std::nullopt;
            return line_.step(*rvi);
        }
        if (name_ == "RSquared" && is_finite(y)) run_.push(y);
        const std::optional<double> value = line_.step(y);
        if (!value) return std::nullopt;
        const PositionSums& pos = line_.positions();
        if (name_ == "LinearRegression") return value;
        if (name_ == "LinRegSlope") return line_.slope();
        if (name_ == "LinRegIntercept") return line_.intercept();
        if (name_ == "LinRegAngle") return std::atan(line_.slope()) * 57.29577951308232;
        const double forecast = line_.slope() * pos.n + line_.intercept();
        if (name_ == "Tsf") return forecast;
        if (name_ == "TsfOscillator" || name_ == "Cfo") {
            const double f = name_ == "Cfo" ? *value : forecast;
            if (y == 0.0) return last_;
            last_ = ((y - f) * 100.0) / y;
            return last_;
        }
        // RSquared
        if (run_.covers(pos.n)) return 1.0;
        const double mean_d = line_.sums().s1() / pos.n;
        const double ss_tot = std::max(line_.sums().s2() - mean_d * pos.n * mean_d, 0.0);
        if (!(ss_tot > 0.0)) return 1.0;
        const double slope = line_.slope();
        return std::clamp(slope * slope * (pos.denom / pos.n) / ss_tot, 0.0, 1.0);
    }

private:
    std::string name_;
    PlainLine line_;
    RviVolatilityCore rvi_;
    FlatRun run_;
    std::optional<double> last_;
};

std::vector<double> params_of(const std::string& name, std::uint64_t n) {
    if (name == "Inertia") return {3.0, static_cast<double>(n)};
    return {static_cast<double>(n)};
}

// Closes from several seeds, with and without huge values, and a block of long flat
// runs around one huge close (the flat window must read flat once it has left).
std::vector<std::vector<double>> histories() {
    std::vector<std::vector<double>> out;
    out.push_back(rough_closes(11, 5000));
    out.push_back(rough_closes(12, 5000, false));
    std::vector<double> flat(400, 3.25);
    flat[150] = 1e300;
    for (int i = 0; i < 800; ++i) flat.push_back(i % 250 < 120 ? -0.0 : 1e-3 * (i % 7));
    out.push_back(flat);
    std::vector<double> drift;
    for (int i = 0; i < 4000; ++i) drift.push_back(1e9 + 0.5 * i + ((i * 7919) % 13) * 1e-4);
    out.push_back(drift);
    return out;
}

TEST(LinRegNames, EqualThePlainLineBitForBit) {
    const char* names[] = {"LinearRegression", "Tsf",           "LinRegSlope", "LinRegIntercept", "LinRegAngle",
                           "TsfOscillator",    "Cfo",           "RSquared",    "Inertia"};
    const auto all = histories();
    for (const char* name : names) {
        for (std::uint64_t n : {2u, 3u, 14u, 30u, 100u, 1000u}) {
            for (std::size_t h = 0; h < all.size(); ++h) {
                const std::vector<double>& xs = all[h];
                auto by_update = build_indicator(name, params_of(name, n));
                auto by_column = build_indicator(name, params_of(name, n));
                ASSERT_TRUE(by_update && by_column) << name << ' ' << n;
                PlainName plain(name, n);

                std::vector<Ohlcv> bars;
                for (double x : xs) bars.push_back(close_bar(x));
                std::vector<double> column(xs.size(), -1.0);
                ColumnRun run{std::span<double>(column), std::nullopt};
                (*by_column)->run_column(BarColumns(bars, xs), run);

                for (std::size_t t = 0; t < xs.size(); ++t) {
                    const std::optional<double> want = plain.step(xs[t]);
                    ASSERT_TRUE(same_bits(feed_close(**by_update, xs[t]), want)) << name << ' ' << n << " history " << h
                                                                                  << " bar " << t;
                    ASSERT_TRUE(same_bits(column[t], want.value_or(0.0))) << name << ' ' << n << " history " << h
                                                                           << " column bar " << t;
                }
            }
        }
    }
}

// Values whose squares about the window mean overflow: once they have left, the
// line is the window's own (worked out by hand).
TEST(LinRegNames, ReadTheirWindowOnceValuesTooLargeToSquareHaveLeft) {
    struct Case {
        const char* name;
        double n;
        std::vector<double> closes;
        double want;
    };
    const Case cases[] = {
        {"LinRegSlope", 4, {-1e154, 1e154, 1e154, 3, 3, 3, 2}, -0.3},
        {"LinearRegression", 4, {-1e154, 1e154, 1e154, 3, 3, 3, 2}, 2.3},
        {"LinRegSlope", 6, {1e300, 1e154, 2, 5, 3, 1, 3, 2}, -8.0 / 35.0},
    };
    for (const Case& c : cases) {
        const std::vector<double> params{c.n};
        auto line = build_indicator(c.name, params);
        ASSERT_TRUE(line) << c.name;
        std::optional<double> got;
        for (double x : c.closes) got = feed_close(**line, x);
        ASSERT_TRUE(got) << c.name;
        EXPECT_NEAR(*got, c.want, 1e-12) << c.name << ' ' << c.n;
    }
}

}  // namespace
}  // namespace torvex
