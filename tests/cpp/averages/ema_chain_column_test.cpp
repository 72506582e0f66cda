// The chained exponential averages (Ema, Tema, T3, Trix) against a plain model of
// their seeded stages, bit for bit: through update() bar by bar, and through the
// column loop over a contiguous close column (whole and cut into pieces around the
// warm-up, so the seeded loop starts mid-call and carries its registers from call to
// call) and over the candles alone. The rough closes hold ties, signed zeros, flat
// runs, refused closes and magnitudes near the largest double, whose seed sums
// overflow and leave a stage non-finite for good.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

// One stage: the plain mean of its first n inputs, then fma(alpha, x, (1 − alpha)·value).
struct ModelStage {
    std::uint64_t n;
    double alpha = 2.0 / (static_cast<double>(n) + 1.0);
    double value = 0.0, sum = -0.0;
    std::uint64_t count = 0;

    bool feed(double x) {
        if (count >= n) {
            value = std::fma(alpha, x, (1.0 - alpha) * value);
            return true;
        }
        sum += x;
        count += 1;
        if (count < n) return false;
        value = sum / static_cast<double>(count);
        return true;
    }
};

// K stages in a chain: a stage without a value, or a non-finite value handed on to a
// later stage, ends the bar with nothing.
template <std::size_t K>
struct ModelChain {
    std::vector<ModelStage> stages;
    explicit ModelChain(std::uint64_t n) : stages(K, ModelStage{n}) {}

    std::optional<std::array<double, K>> feed(double x) {
        double input = x;
        for (std::size_t i = 0; i < K; ++i) {
            if (!stages[i].feed(input)) return std::nullopt;
            input = stages[i].value;
            if (i + 1 < K && !std::isfinite(input)) return std::nullopt;
        }
        std::array<double, K> out;
        for (std::size_t i = 0; i < K; ++i) out[i] = stages[i].value;
        return out;
    }
};

using Model = std::function<std::optional<double>(double)>;

Model ema_model(std::uint64_t n) {
    auto chain = std::make_shared<ModelChain<1>>(n);
    return [chain](double x) -> std::optional<double> {
        const auto e = chain->feed(x);
        return e ? std::optional<double>((*e)[0]) : std::nullopt;
    };
}

Model tema_model(std::uint64_t n) {
    auto chain = std::make_shared<ModelChain<3>>(n);
    return [chain](double x) -> std::optional<double> {
        const auto e = chain->feed(x);
        if (!e) return std::nullopt;
        return ((*e)[0] * 3.0 - (*e)[1] * 3.0) + (*e)[2];
    };
}

Model t3_model(std::uint64_t n, double v) {
    auto chain = std::make_shared<ModelChain<6>>(n);
    const double v2 = v * v, v3 = v2 * v;
    const double c6 = -v3, c5 = 3.0 * v2 + 3.0 * v3, c4 = ((-6.0 * v2) - 3.0 * v) - 3.0 * v3,
                 c3 = ((3.0 * v + 1.0) + v3) + 3.0 * v2;
    return [=](double x) -> std::optional<double> {
        const auto e = chain->feed(x);
        if (!e) return std::nullopt;
        return ((c6 * (*e)[5] + c5 * (*e)[4]) + c4 * (*e)[3]) + c3 * (*e)[2];
    };
}

// The one-bar percent change of the triple average; 0.0 from a previous value of 0.
Model trix_model(std::uint64_t n) {
    auto chain = std::make_shared<ModelChain<3>>(n);
    auto prev = std::make_shared<std::optional<double>>();
    return [=](double x) -> std::optional<double> {
        const auto e = chain->feed(x);
        if (!e) return std::nullopt;
        const std::optional<double> before = *prev;
        *prev = (*e)[2];
        if (!before) return std::nullopt;
        if (*before == 0.0) return 0.0;
        return (((*e)[2] - *before) * 100.0) / *before;
    };
}

// Whether two answers match: bit for bit, or both NaN (which NaN operand an addition
// passes on follows the operand order the compiler picks).
::testing::AssertionResult same_value(double got, double want) {
    if (std::isnan(got) && std::isnan(want)) return ::testing::AssertionSuccess();
    return test::same_bits(got, want);
}

TEST(EmaChainColumn, EveryRoadEqualsTheStageModelBitForBit) {
    struct Case {
        std::string name;
        std::vector<double> params;
    };
    std::vector<std::vector<double>> series = {test::rough_closes(41, 6000), test::rough_closes(42, 6000, false)};
    // Closes at the largest magnitudes only: seeds and stages live at the edge of
    // overflow, and the answers of the longer chains overflow.
    {
        std::vector<double> edge;
        for (std::size_t i = 0; i < 3000; ++i) edge.push_back((i % 5 == 0 ? -1.7e308 : 1.79e308) * (i % 3 == 0 ? 1.0 : 0.999));
        series.push_back(edge);
    }
    for (const std::uint64_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
        const double p = static_cast<double>(n);
        std::vector<Case> cases;
        for (const char* name : {"Ema", "Tema", "Trix"}) cases.push_back({name, {p}});
        for (const double v : {0.0, 0.7, 1.0}) cases.push_back({"T3", {p, v}});
        for (std::size_t s = 0; s < series.size(); ++s) {
            const std::vector<double>& closes = series[s];
            std::vector<Ohlcv> bars;
            for (const double c : closes) bars.push_back(Ohlcv{0, c, c, c, c, 1.0});
            for (Case& c : cases) {
                SCOPED_TRACE(c.name + "(" + std::to_string(n) + (c.params.size() > 1 ? "," + std::to_string(c.params[1]) : "") +
                             ") series " + std::to_string(s));
                Model model = c.name == "Ema"    ? ema_model(n)
                              : c.name == "Tema" ? tema_model(n)
                              : c.name == "Trix" ? trix_model(n)
                                                 : t3_model(n, c.params[1]);
                std::vector<std::optional<double>> want;
                for (const double x : closes) want.push_back(std::isfinite(x) ? model(x) : std::nullopt);

                auto stepped = build_indicator(c.name, c.params);
                ASSERT_TRUE(stepped);
                for (std::size_t i = 0; i < bars.size(); ++i) {
                    const std::optional<double> got = (*stepped)->update(BarContext(bars[i]));
                    ASSERT_EQ(got.has_value(), want[i].has_value()) << "update, bar " << i;
                    if (got) {
                        ASSERT_TRUE(same_value(*got, *want[i])) << "update, bar " << i;
                    }
                }
                const std::size_t warm = static_cast<std::size_t>(std::min<std::uint64_t>(6 * n, closes.size()));
                for (const std::size_t piece : {closes.size(), warm, warm + 1, std::size_t{n}, std::size_t{7}}) {
                    for (const bool contiguous : {true, false}) {
                        auto column = build_indicator(c.name, c.params);
                        ASSERT_TRUE(column);
                        const std::vector<double> out = test::column_in_pieces(**column, bars, closes, piece, contiguous);
                        for (std::size_t i = 0; i < bars.size(); ++i)
                            ASSERT_TRUE(same_value(out[i], want[i].value_or(0.0)))
                                << "piece " << piece << (contiguous ? " column" : " candles") << ", bar " << i;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace torvex
