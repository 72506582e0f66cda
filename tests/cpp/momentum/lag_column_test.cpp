// The lag family's column over a contiguous close column (the window filling bar by
// bar, then each close against the one n accepted closes back) against a plain model
// that keeps every accepted close, bit for bit: whole, cut into pieces of every size
// around the period (so the window carries the lag from piece to piece), and through
// the candles alone; over rough closes (refused ones among them) and over finite ones
// only, where the whole-column road is taken.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "indicators/momentum/rate_of_change.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

using Formula = double (*)(double close, double old);

struct LagCase {
    const char* name;
    Formula formula;
};

// Independent of the indicator: every accepted close kept, the value read n back.
std::vector<std::optional<double>> model(const std::vector<double>& closes, std::size_t n, Formula f) {
    std::vector<double> accepted;
    std::vector<std::optional<double>> out;
    for (double c : closes) {
        if (!std::isfinite(c)) {
            out.push_back(std::nullopt);
            continue;
        }
        accepted.push_back(c);
        out.push_back(accepted.size() > n ? std::optional<double>(f(c, accepted[accepted.size() - 1 - n]))
                                          : std::nullopt);
    }
    return out;
}

std::vector<double> finite_closes(std::uint64_t seed, std::size_t count) {
    std::vector<double> out;
    for (double c : test::rough_closes(seed, count * 2, false))
        if (std::isfinite(c) && out.size() < count) out.push_back(c);
    return out;
}

TEST(LagColumn, EveryRoadEqualsAModelOfAcceptedClosesBitForBit) {
    const LagCase cases[] = {
        {"Mom", [](double c, double o) { return c - o; }},
        {"Roc", [](double c, double o) { return o == 0.0 ? 0.0 : ((c - o) / o) * 100.0; }},
        {"Rocp", [](double c, double o) { return o == 0.0 ? 0.0 : (c - o) / o; }},
        {"Rocr", [](double c, double o) { return o == 0.0 ? 0.0 : c / o; }},
        {"Rocr100", [](double c, double o) { return o == 0.0 ? 0.0 : (c / o) * 100.0; }},
    };
    const std::vector<std::vector<double>> series = {test::rough_closes(5, 5000), finite_closes(6, 5000)};
    for (const LagCase& lag : cases) {
        for (const std::size_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
            for (std::size_t s = 0; s < series.size(); ++s) {
                SCOPED_TRACE(std::string(lag.name) + "(" + std::to_string(n) + ") series " + std::to_string(s));
                const std::vector<double>& closes = series[s];
                const std::vector<std::optional<double>> want = model(closes, n, lag.formula);
                std::vector<Ohlcv> bars;
                for (double c : closes) bars.push_back(Ohlcv{0, c, c, c, c, 1.0});

                auto stepped = build_indicator(lag.name, std::vector<double>{static_cast<double>(n)});
                ASSERT_TRUE(stepped);
                for (std::size_t i = 0; i < bars.size(); ++i)
                    ASSERT_TRUE(test::same_bits((*stepped)->update(BarContext(bars[i])), want[i])) << "bar " << i;

                for (const std::size_t piece : {closes.size(), n, n + 1, n > 1 ? n - 1 : 3, std::size_t{7}}) {
                    for (const bool contiguous : {true, false}) {
                        auto column = build_indicator(lag.name, std::vector<double>{static_cast<double>(n)});
                        ASSERT_TRUE(column);
                        std::vector<double> out(bars.size());
                        for (std::size_t from = 0; from < bars.size(); from += piece) {
                            const std::size_t len = std::min(piece, bars.size() - from);
                            ColumnRun run{std::span<double>(out).subspan(from, len), std::nullopt};
                            const std::span<const Ohlcv> chunk = std::span<const Ohlcv>(bars).subspan(from, len);
                            if (contiguous) {
                                (*column)->run_column(BarColumns(chunk, std::span<const double>(closes).subspan(from, len)), run);
                            } else {
                                (*column)->run_column(BarColumns(chunk), run);
                            }
                        }
                        for (std::size_t i = 0; i < bars.size(); ++i)
                            ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0)))
                                << "piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace torvex
