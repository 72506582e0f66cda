// Reading the published lists of multi-output indicators bar by bar, and checking
// them against hand-worked rows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "test_support.hpp"

namespace torvex::test {

// The list each bar published (empty: the bar gave no value); checks on the way that
// a producing update answered the first entry.
inline std::vector<std::vector<double>> published(DynIndicator& ind, const std::vector<Ohlcv>& bars) {
    std::vector<std::vector<double>> out;
    for (const Ohlcv& b : bars) {
        const std::optional<double> got = feed(ind, b);
        std::vector<double> row;
        if (got) {
            for (const NamedOutput& o : ind.outputs()) row.push_back(o.value);
            EXPECT_FALSE(row.empty());
            if (!row.empty()) {
                EXPECT_EQ(row[0], *got);
            }
        }
        out.push_back(row);
    }
    return out;
}

// Every row within a relative 1e-12 (absolute below 1).
inline void expect_rows(const std::vector<std::vector<double>>& got, const std::vector<std::vector<double>>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].size(), want[i].size()) << "bar " << i + 1;
        for (std::size_t j = 0; j < got[i].size(); ++j)
            EXPECT_NEAR(got[i][j], want[i][j], 1e-12 * std::max(1.0, std::fabs(want[i][j])))
                << "bar " << i + 1 << " output " << j;
    }
}

// An indicator, the bars it is fed and the rows it must publish.
struct RowsCase {
    const char* label;
    IndicatorBox ind;
    std::vector<Ohlcv> bars;
    std::vector<std::vector<double>> want;
};

inline void run_rows_cases(std::span<RowsCase> cases) {
    for (RowsCase& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(c.ind);
        expect_rows(published(*c.ind, c.bars), c.want);
    }
}

// An indicator and the bar of its first value, which its warm-up must state.
struct WarmupCase {
    const char* label;
    IndicatorBox ind;
    std::size_t want;
};

inline void run_warmup_cases(std::span<WarmupCase> cases, const std::vector<Ohlcv>& bars) {
    for (WarmupCase& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(c.ind);
        EXPECT_EQ(c.ind->warmup(), c.want);
        std::size_t first = 0;
        for (std::size_t i = 0; i < bars.size() && first == 0; ++i)
            if (feed(*c.ind, bars[i])) first = i + 1;
        EXPECT_EQ(first, c.want);
    }
}

}  // namespace torvex::test
