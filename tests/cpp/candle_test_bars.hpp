// Hand-made candles for the tests of the whole-bar families: literal bars, a
// wandering series of valid bars, and building a constructor result behind the
// common interface.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "test_support.hpp"
#include "registry/registry.hpp"

namespace torvex::test {

inline Ohlcv ohlc(double o, double h, double l, double c, double v = 1.0) { return Ohlcv{0, o, h, l, c, v}; }
inline Ohlcv flat(double p) { return ohlc(p, p, p, p); }

// Valid bars with real bodies, ranges and volumes, starting near `base`.
inline std::vector<Ohlcv> wander(std::size_t count, double base = 100.0) {
    std::vector<Ohlcv> bars;
    double x = base;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i);
        const double o = x;
        x += std::sin(t * 1.3) * 2.0 + 0.1;
        const double h = std::max(o, x) + 0.5 + std::fabs(std::cos(t));
        const double l = std::min(o, x) - 0.25 - std::fabs(std::sin(t * 0.7));
        bars.push_back(ohlc(o, h, l, x, 10.0 + 5.0 * std::sin(t)));
    }
    return bars;
}

inline IndicatorBox make(const Maker& m) {
    auto made = m();
    EXPECT_TRUE(made.has_value()) << (made ? "" : made.error().display());
    return made ? std::move(*made) : nullptr;
}

// One hand-worked case of a multi-output type: the bars fed and, per bar, the list
// it must publish (empty for a bar without a value).
struct PublishedCase {
    const char* label;
    Maker make;
    std::vector<Ohlcv> bars;
    std::vector<std::vector<double>> want;
};

// Feeds each case and checks the published values within a relative 1e-12, and
// that the update answers the first of them.
inline void expect_published(const std::vector<PublishedCase>& cases) {
    for (const PublishedCase& c : cases) {
        SCOPED_TRACE(c.label);
        IndicatorBox ind = make(c.make);
        ASSERT_TRUE(ind);
        ASSERT_EQ(c.bars.size(), c.want.size());
        for (std::size_t i = 0; i < c.bars.size(); ++i) {
            const std::optional<double> got = feed(*ind, c.bars[i]);
            ASSERT_EQ(got.has_value(), !c.want[i].empty()) << "bar " << i + 1;
            if (!got) continue;
            const std::vector<NamedOutput> out = ind->outputs();
            ASSERT_EQ(out.size(), c.want[i].size()) << "bar " << i + 1;
            EXPECT_EQ(*got, out[0].value);
            for (std::size_t j = 0; j < out.size(); ++j) {
                EXPECT_NEAR(out[j].value, c.want[i][j], 1e-12 * std::max(1.0, std::fabs(c.want[i][j])))
                    << "bar " << i + 1 << " output " << j;
            }
        }
    }
}

// A registry name, parameters it builds from, and parameters it refuses with the
// given display text.
struct RegistryRow {
    const char* name;
    std::vector<double> good;
    std::vector<double> bad;
    std::string message;
};

inline void expect_registry_rows(const std::vector<RegistryRow>& rows) {
    for (const RegistryRow& r : rows) {
        SCOPED_TRACE(r.name);
        auto good = build_indicator(r.name, r.good);
        ASSERT_TRUE(good.has_value());
        EXPECT_TRUE((*good)->outputs().empty());
        auto bad = build_indicator(r.name, r.bad);
        ASSERT_FALSE(bad.has_value());
        EXPECT_EQ(bad.error(), BuildError::invalid(r.name, r.message));
    }
}

}  // namespace torvex::test
