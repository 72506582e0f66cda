// The directional-movement names against a plain scalar model of Wilder's smoothing
// (one division per smoothed sum, the indices and DX one quotient at a time), bit for
// bit, through update and through the column loops (over whole candles, and over
// the separate price columns in pieces), on rough bars: ties, signed zeros,
// flat runs, refused bars and magnitudes whose differences overflow. Any NaN matches
// any NaN: which of two NaN operands an addition passes on follows the operand order
// the compiler picks, and a NaN reaches the matrix only as 0.0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "indicators/candle_columns.hpp"
#include "indicators/numeric.hpp"
#include "registry/registry.hpp"
#include "test_support.hpp"

namespace torvex {
namespace {

struct ModelPoint {
    double plus_dm, minus_dm, plus_di, minus_di, dx;
    std::optional<double> adx, adxr;
};

// What every name reads, bar by bar, for one valid bar after another.
class DirectionalModel {
public:
    explicit DirectionalModel(std::uint64_t n) : n_(n) {}

    std::optional<ModelPoint> step(const Ohlcv& bar) {
        if (!prev_) {
            prev_ = bar;
            return std::nullopt;
        }
        const Ohlcv p = *prev_;
        prev_ = bar;
        const double range = ordered_max(ordered_max(bar.high - bar.low, std::fabs(bar.high - p.close)),
                                         std::fabs(bar.low - p.close));
        const double up = bar.high - p.high, down = p.low - bar.low;
        const double pdm = (up > down && up > 0.0) ? up : 0.0;
        const double mdm = (down > up && down > 0.0) ? down : 0.0;
        const double n = static_cast<double>(n_);
        if (count_ >= n_) {
            sp_ = sp_ - sp_ / n + pdm;
            sm_ = sm_ - sm_ / n + mdm;
            st_ = st_ - st_ / n + range;
        } else {
            sp_ += pdm, sm_ += mdm, st_ += range;
            count_ += 1;
            if (count_ < n_) return std::nullopt;
        }
        ModelPoint out{sp_, sm_, 0.0, 0.0, 0.0, std::nullopt, std::nullopt};
        if (st_ != 0.0) {
            out.plus_di = 100.0 * sp_ / st_;
            out.minus_di = 100.0 * sm_ / st_;
        }
        const double sum = out.plus_di + out.minus_di;
        out.dx = sum == 0.0 ? 0.0 : 100.0 * std::fabs(out.plus_di - out.minus_di) / sum;
        if (adx_) {
            adx_ = ((n - 1.0) * *adx_ + out.dx) / n;
        } else {
            seed_.push_back(out.dx);
            if (seed_.size() == n_) {
                double s = -0.0;  // an empty sum's sign, as the running mean starts
                for (double d : seed_) s += d;
                adx_ = s / n;
            }
        }
        out.adx = adx_;
        if (adx_) {
            adx_history_.push_back(*adx_);
            if (adx_history_.size() >= n_) out.adxr = midpoint(*adx_, adx_history_[adx_history_.size() - n_]);
        }
        return out;
    }

private:
    static double ordered_max(double a, double b) { return a > b ? a : b; }

    std::uint64_t n_;
    std::optional<Ohlcv> prev_;
    std::uint64_t count_ = 0;
    double sp_ = 0.0, sm_ = 0.0, st_ = 0.0;
    std::vector<double> seed_;
    std::optional<double> adx_;
    std::vector<double> adx_history_;
};

// Bars whose open and close come from the rough closes, with small integer wicks
// (zero included): non-finite prices are refused by the candle rule on both sides.
std::vector<Ohlcv> rough_bars(std::uint64_t seed, std::size_t count) {
    const std::vector<double> xs = test::rough_closes(seed, count + 1);
    const std::vector<double> wicks = test::rough_closes(seed + 1, 2 * count, false);
    std::vector<Ohlcv> bars;
    for (std::size_t i = 0; i < count; ++i) {
        const double o = xs[i], c = xs[i + 1];
        const double up = std::isfinite(wicks[2 * i]) ? std::fabs(std::trunc(wicks[2 * i])) : 0.0;
        const double dn = std::isfinite(wicks[2 * i + 1]) ? std::fabs(std::trunc(wicks[2 * i + 1])) : 0.0;
        bars.push_back(Ohlcv{0, o, std::max(o, c) + up, std::min(o, c) - dn, c, 1.0});
    }
    return bars;
}

TEST(DirectionalReference, EveryLineEqualsTheScalarModelBitForBit) {
    struct Line {
        const char* name;
        std::optional<double> (*pick)(const ModelPoint&);
    };
    const Line lines[] = {
        {"PlusDm", [](const ModelPoint& p) -> std::optional<double> { return p.plus_dm; }},
        {"MinusDm", [](const ModelPoint& p) -> std::optional<double> { return p.minus_dm; }},
        {"PlusDi", [](const ModelPoint& p) -> std::optional<double> { return p.plus_di; }},
        {"MinusDi", [](const ModelPoint& p) -> std::optional<double> { return p.minus_di; }},
        {"Dx", [](const ModelPoint& p) -> std::optional<double> { return p.dx; }},
        {"Adx", [](const ModelPoint& p) -> std::optional<double> {
             return p.adx ? std::optional<double>(p.plus_di) : std::nullopt;
         }},
        {"Adxr", [](const ModelPoint& p) { return p.adxr; }},
    };
    const std::vector<Ohlcv> bars = rough_bars(11, 6000);
    std::vector<double> closes;
    for (const Ohlcv& bar : bars) closes.push_back(bar.close);
    CandleColumnStore fields;
    fields.resize(bars.size());
    fields.fill(bars, 0, bars.size());
    for (const std::uint64_t n : {1u, 2u, 14u, 30u, 100u, 1000u}) {
        for (const Line& line : lines) {
            SCOPED_TRACE(std::string(line.name) + "(" + std::to_string(n) + ")");
            auto stepped = build_indicator(line.name, std::vector<double>{static_cast<double>(n)});
            auto columned = build_indicator(line.name, std::vector<double>{static_cast<double>(n)});
            ASSERT_TRUE(stepped && columned);
            DirectionalModel model(n);
            std::vector<std::optional<double>> want;
            for (const Ohlcv& bar : bars) {
                const std::optional<ModelPoint> p = candle_is_valid(bar) ? model.step(bar) : std::nullopt;
                want.push_back(p ? line.pick(*p) : std::nullopt);
            }
            for (std::size_t i = 0; i < bars.size(); ++i)
                ASSERT_TRUE(test::same_bits((*stepped)->update(BarContext(bars[i])), want[i], true)) << "bar " << i;
            std::vector<double> column(bars.size());
            ColumnRun run{column, std::nullopt};
            (*columned)->run_column(BarColumns(bars), run);
            for (std::size_t i = 0; i < bars.size(); ++i)
                ASSERT_TRUE(test::same_bits(column[i], want[i].value_or(0.0), true)) << "column bar " << i;
            // The loop over the separate high, low and close columns, in pieces that
            // carry the smoothed sums from one call to the next.
            for (const std::size_t piece : {bars.size(), std::size_t{n}, std::size_t{n + 1}, std::size_t{7}}) {
                auto fielded = build_indicator(line.name, std::vector<double>{static_cast<double>(n)});
                ASSERT_TRUE(fielded);
                std::vector<double> out(bars.size(), 12345.0);
                for (std::size_t from = 0; from < bars.size(); from += piece) {
                    const std::size_t len = std::min(piece, bars.size() - from);
                    ColumnRun part{std::span<double>(out).subspan(from, len), std::nullopt};
                    (*fielded)->run_column(BarColumns(std::span<const Ohlcv>(bars).subspan(from, len),
                                                      std::span<const double>(closes).subspan(from, len),
                                                      fields.view().subspan(from, len)),
                                           part);
                }
                for (std::size_t i = 0; i < bars.size(); ++i)
                    ASSERT_TRUE(test::same_bits(out[i], want[i].value_or(0.0), true)) << "piece " << piece << ", bar " << i;
            }
        }
    }
}

TEST(DirectionalReference, AdxFieldEqualsTheScalarModelBitForBit) {
    const std::vector<Ohlcv> bars = rough_bars(23, 4000);
    for (const std::uint64_t n : {1u, 2u, 14u, 30u, 100u}) {
        SCOPED_TRACE(n);
        auto adx = build_indicator("Adx", std::vector<double>{static_cast<double>(n)});
        ASSERT_TRUE(adx);
        DirectionalModel model(n);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const std::optional<ModelPoint> p = candle_is_valid(bars[i]) ? model.step(bars[i]) : std::nullopt;
            const std::optional<double> got = (*adx)->update(BarContext(bars[i]));
            ASSERT_EQ(got.has_value(), p && p->adx) << "bar " << i;
            if (!got) continue;
            const std::vector<NamedOutput> out = (*adx)->outputs();
            ASSERT_EQ(out.size(), 3u);
            EXPECT_TRUE(test::same_bits(out[0].value, p->plus_di, true)) << "bar " << i;
            EXPECT_TRUE(test::same_bits(out[1].value, p->minus_di, true)) << "bar " << i;
            EXPECT_TRUE(test::same_bits(out[2].value, *p->adx, true)) << "bar " << i;
        }
    }
}

}  // namespace
}  // namespace torvex
