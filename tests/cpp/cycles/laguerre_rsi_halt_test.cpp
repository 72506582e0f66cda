// LaguerreRsi through a long run of one repeated close. In exact arithmetic the four
// stages approach the close without reaching it, and their differences keep their
// signs and ratios however long the run. The model keeps each stage's distance from
// the latest close in long double, so that no price level enters its differences: it
// is exact arithmetic to about 1e-19 of the distances, through runs long enough to
// carry them below 2^-500 of the price, and at every scale and level of the prices.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "indicators/cycles/laguerre_rsi.hpp"
#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

using Ld = long double;

std::vector<double> model(const std::vector<double>& closes, Ld g) {
    std::vector<double> out;
    Ld d[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < closes.size(); ++i) {
        if (i > 0) {
            for (Ld& x : d) x += Ld(closes[i - 1]) - Ld(closes[i]);
            const Ld l0 = g * d[0], l1 = g * d[1] + d[0] - g * l0, l2 = g * d[2] + d[1] - g * l1,
                     l3 = g * d[3] + d[2] - g * l2;
            d[0] = l0, d[1] = l1, d[2] = l2, d[3] = l3;
        }
        Ld up = 0, down = 0;
        for (int k = 0; k < 3; ++k) (d[k] >= d[k + 1] ? up : down) += std::fabs(d[k] - d[k + 1]);
        out.push_back(up + down > 0 ? double(100 * up / (up + down)) : 50.0);
    }
    return out;
}

// `walk` closes of a wavy market, `halt` repeats of its last close, then 30 bars
// trading again; every price times `scale`, then plus `level`.
std::vector<double> halted(std::size_t walk, std::size_t halt, double scale, double level) {
    std::vector<double> c;
    for (const Ohlcv& b : wavy_bars(walk)) c.push_back(b.close);
    const double last = walk ? c.back() : 100.0;
    c.insert(c.end(), halt, last);
    for (const Ohlcv& b : wavy_bars(30)) c.push_back(last * b.close / 100.0);
    for (double& x : c) x = x * scale + level;
    return c;
}

TEST(LaguerreRsiHalt, ReadsWhatExactArithmeticReadsThroughAndAfterALongRun) {
    // Walks whose runs rounding took to 50.0 or to quotients of roundings. 4,000 bars
    // take the distances below 2^-500 of the price at every gamma here.
    struct Row {
        double gamma;
        std::size_t walk, halt;
    };
    const Row rows[] = {{0.2, 400, 4000}, {0.5, 400, 4000}, {0.8, 1075, 4000}, {0.9, 43, 4000}, {0.5, 0, 50}};
    // The prices as they are, times 2^±200, and 1,000 higher. The stages enter the run
    // with their own rounding at the price level, which a near tie of two stage
    // differences magnifies: some billionths of a point at 100, ten times more at 1,100.
    const struct {
        double scale, level, tolerance;
    } relations[] = {{1.0, 0.0, 5e-9}, {std::ldexp(1.0, 200), 0.0, 5e-9}, {std::ldexp(1.0, -200), 0.0, 5e-9},
                     {1.0, 1000.0, 3e-8}};
    for (const Row& r : rows)
        for (const auto& [scale, level, tolerance] : relations) {
            SCOPED_TRACE("gamma " + std::to_string(r.gamma) + ", walk " + std::to_string(r.walk) + ", scale 2^" +
                         std::to_string(std::ilogb(scale)) + ", level " + std::to_string(level));
            const std::vector<double> closes = halted(r.walk, r.halt, scale, level);
            const std::vector<double> want = model(closes, r.gamma);
            LaguerreRsi ind = *LaguerreRsi::create(r.gamma);
            std::size_t off = 0;
            for (std::size_t i = 0; i < closes.size(); ++i) {
                const double got = ind.step(closes[i]).value_or(NAN);
                if (!(std::fabs(got - want[i]) <= tolerance) && off++ == 0)
                    ADD_FAILURE() << "bar " << i << ": " << got << " where " << want[i] << " is due";
            }
            EXPECT_EQ(off, 0u);
            // A history that opens flat holds its stages equal: 50.0 until it trades.
            if (r.walk == 0) {
                EXPECT_EQ(want[r.halt - 1], 50.0);
            }
        }
}

}  // namespace
}  // namespace torvex::test
