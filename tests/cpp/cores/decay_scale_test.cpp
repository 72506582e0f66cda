// A group of decaying states kept in the normal range by powers of two: over a run of
// bars that bring nothing, its quotients hold what exact arithmetic holds (long
// double, whose exponent reaches 2^-16382, is exact enough to say so over runs of
// thousands of bars), the same history at another scale gives the same bits, and new
// terms rejoin the group in its units or dwarf it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "indicators/cores/decay_scale.hpp"

namespace torvex {
namespace {

// A pair of Wilder averages of up and down moves, and a sum of the squared moves that
// decays by the square of their factor (a state of degree 2), as an owner would hold them: the usual update while the group
// is in its own units and above kLow, the careful one otherwise.
struct Averages {
    double up = 0.0, down = 0.0, square = 0.0;
    DecayScale scale;
    double n;

    explicit Averages(double period) : n(period) {}

    void step(double move) {
        double gain = move > 0 ? move : 0.0, loss = move < 0 ? -move : 0.0, sq = move * move;
        const bool careful = scale.active();
        if (careful) scale.enter({{&up}, {&down}, {&square, 2}}, {{&gain}, {&loss}, {&sq, 2}});
        up = (up * (n - 1) + gain) / n;
        down = (down * (n - 1) + loss) / n;
        square = square * ((n - 1) / n) * ((n - 1) / n) + sq / n;
        if (careful || up + down < DecayScale::kLow) scale.settle({{&up}, {&down}, {&square, 2}});
    }
    double share() const { return up + down == 0.0 ? 50.0 : 100.0 * up / (up + down); }
    double ratio() const { return up / std::sqrt(square); }
};

struct Exact {
    long double up = 0, down = 0, square = 0, n;
    explicit Exact(long double period) : n(period) {}
    void step(long double move) {
        up = (up * (n - 1) + (move > 0 ? move : 0)) / n;
        down = (down * (n - 1) + (move < 0 ? -move : 0)) / n;
        square = square * ((n - 1) / n) * ((n - 1) / n) + move * move / n;
    }
    long double share() const { return up + down == 0 ? 50 : 100 * up / (up + down); }
    long double ratio() const { return up / std::sqrt(square); }
};

// A walk of 200 moves, `run` moves of 0, then a walk of 50: the moves at `level`.
std::vector<double> halted_moves(double level, int run) {
    std::mt19937_64 rng(7);
    std::normal_distribution<double> g(0.0, 1.0);
    std::vector<double> moves;
    for (int i = 0; i < 200; ++i) moves.push_back(std::ldexp(std::round(g(rng) * 100) / 64, static_cast<int>(std::ilogb(level))));
    moves.insert(moves.end(), static_cast<std::size_t>(run), 0.0);
    for (int i = 0; i < 50; ++i) moves.push_back(std::ldexp(std::round(g(rng) * 100) / 64, static_cast<int>(std::ilogb(level))));
    return moves;
}

TEST(DecayScale, QuotientsHoldWhatExactArithmeticHoldsThroughAnyRun) {
    struct Row {
        double period, level;
        int run;
    } rows[] = {{14, 1.0, 12000}, {2, 1.0, 3000}, {14, 0x1p-400, 6000}, {14, 0x1p+400, 15000}, {1.5, 1.0, 2500}};
    for (const Row& r : rows) {
        Averages a(r.period);
        Exact e(r.period);
        bool scaled = false;
        const std::vector<double> moves = halted_moves(r.level, r.run);
        for (std::size_t i = 0; i < moves.size(); ++i) {
            a.step(moves[i]);
            e.step(moves[i]);
            scaled = scaled || a.scale.active();
            ASSERT_NEAR(a.share(), static_cast<double>(e.share()), 1e-10) << r.period << " " << r.level << " bar " << i;
            ASSERT_NEAR(a.ratio(), static_cast<double>(e.ratio()), 1e-10 * static_cast<double>(e.ratio()) + 1e-300)
                << r.period << " " << r.level << " bar " << i;
        }
        EXPECT_TRUE(scaled) << r.period << " " << r.level;
        EXPECT_FALSE(a.scale.active()) << "a new move dwarfs what is left of the run";
    }
}

TEST(DecayScale, AnotherScaleGivesTheSameBits) {
    for (const int k : {300, -300, 400}) {
        Averages a(14), b(14);
        for (const double m : halted_moves(1.0, 9000)) {
            a.step(m);
            b.step(std::ldexp(m, k));
            ASSERT_EQ(a.share(), b.share()) << k;
            ASSERT_EQ(a.ratio(), b.ratio()) << k;
        }
    }
}

TEST(DecayScale, GroupOfZerosStaysInItsOwnUnits) {
    Averages a(14);
    for (int i = 0; i < 5000; ++i) a.step(0.0);
    EXPECT_FALSE(a.scale.active());
    EXPECT_EQ(a.share(), 50.0);
    a.step(1.0);
    EXPECT_EQ(a.share(), 100.0);
}

TEST(DecayScale, HeldStatesReadInTheirOwnUnits) {
    double x = 0x1p-600, y = 0x1p-620;
    DecayScale s;
    s.settle({{&x}, {&y}});
    ASSERT_TRUE(s.active());
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(s.own(x), 0x1p-600);
    EXPECT_EQ(s.own(y), 0x1p-620);
    // A term that would overflow in the group's units dwarfs it: the group goes back.
    double t = 0x1p+500;
    s.enter({{&x}, {&y}}, {{&t}});
    EXPECT_FALSE(s.active());
    EXPECT_EQ(t, 0x1p+500);
    EXPECT_EQ(x, 0x1p-600);
    // A term that fits joins in the group's units.
    s.settle({{&x}, {&y}});
    double u = 0x1p-590;
    s.enter({{&x}, {&y}}, {{&u}});
    EXPECT_EQ(u, 0x1p+10);
}

}  // namespace
}  // namespace torvex
