// A flat run (open = high = low = close, no volume) decays every smoothed sum of
// ranges, directional movements, momenta and volumes by a constant factor a bar;
// none of them reaches 0 in exact arithmetic, so each quotient goes on as its
// recurrences say, however long the run, and the first moves after it answer what
// the arithmetic gives. Each row is checked bar by bar against a long-double model of
// the name's recurrences (its exponent reaches far below any run here), over a walk,
// a long flat run and a walk again, and over a history that opens flat (the divisor
// is then 0 in exact arithmetic, and the zero-divisor answer stands).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "volatility/candle_support.hpp"

namespace torvex::test {
namespace {

using LD = long double;
using Model = std::function<std::vector<std::optional<LD>>(const std::vector<Ohlcv>&)>;

// Seeded with the mean of its first k inputs, then v + alpha·(x − v), alpha = 2/(k + 1).
struct LdEma {
    explicit LdEma(int k) : k(k), alpha(2.0L / (k + 1)) {}
    std::optional<LD> step(LD x) {
        if (count < k) {
            v += x;
            if (++count < k) return std::nullopt;
            v /= k;
            return v;
        }
        v = alpha * x + (1 - alpha) * v;
        return v;
    }
    int k, count = 0;
    LD alpha, v = 0;
};

LD true_range(const Ohlcv& b, LD pc) {
    return std::max({LD(b.high) - b.low, std::fabs(LD(b.high) - pc), std::fabs(LD(b.low) - pc)});
}

// Wilder's directional movement: which line of +DI, DX, ADX, ADXR to answer (AdxPlusDi:
// +DI from the first ADX on, as Adx answers it).
enum class DmLine { PlusDi, Dx, Adx, AdxPlusDi, Adxr };
Model directional(int n, DmLine line) {
    return [n, line](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        LD sp = 0, sm = 0, st = 0, adx = 0;
        int count = 0;
        std::vector<LD> dx_seed;
        std::deque<LD> adxs;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i == 0) continue;
            const Ohlcv& b = bars[i];
            const Ohlcv& p = bars[i - 1];
            const LD up = LD(b.high) - p.high, down = LD(p.low) - b.low;
            const LD pdm = up > down && up > 0 ? up : 0, mdm = down > up && down > 0 ? down : 0;
            const LD tr = true_range(b, p.close);
            if (count < n) {
                sp += pdm, sm += mdm, st += tr;
                if (++count < n) continue;
            } else {
                sp = sp - sp / n + pdm, sm = sm - sm / n + mdm, st = st - st / n + tr;
            }
            const LD pdi = st == 0 ? 0 : 100 * sp / st, mdi = st == 0 ? 0 : 100 * sm / st;
            const LD dx = pdi + mdi == 0 ? 0 : 100 * std::fabs(pdi - mdi) / (pdi + mdi);
            if (line == DmLine::PlusDi || line == DmLine::Dx) {
                out.back() = line == DmLine::PlusDi ? pdi : dx;
                continue;
            }
            if (static_cast<int>(dx_seed.size()) < n) {
                dx_seed.push_back(dx);
                if (static_cast<int>(dx_seed.size()) < n) continue;
                for (const LD d : dx_seed) adx += d;
                adx /= n;
            } else {
                adx = ((n - 1) * adx + dx) / n;
            }
            if (line == DmLine::Adx || line == DmLine::AdxPlusDi) {
                out.back() = line == DmLine::Adx ? adx : pdi;
                continue;
            }
            adxs.push_back(adx);
            if (static_cast<int>(adxs.size()) > n) adxs.pop_front();
            if (static_cast<int>(adxs.size()) == n) out.back() = (adx + adxs.front()) / 2;
        }
        return out;
    };
}

Model tsi(int r, int s) {
    return [r, s](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        LdEma m1(r), m2(s), a1(r), a2(s);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i == 0) continue;
            const LD m = LD(bars[i].close) - bars[i - 1].close;
            std::optional<LD> b, d;
            if (const auto a = m1.step(m)) b = m2.step(*a);
            if (const auto c = a1.step(std::fabs(m))) d = a2.step(*c);
            if (b && d) out.back() = *d == 0 ? 0 : *b * 100 / *d;
        }
        return out;
    };
}

Model smi(int k, int d1, int d2) {
    return [k, d1, d2](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        LdEma e1(d1), e2(d2), e3(d1), e4(d2);
        std::optional<LD> last;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i + 1 < static_cast<std::size_t>(k)) continue;
            LD hh = bars[i].high, ll = bars[i].low;
            for (std::size_t j = i + 1 - k; j <= i; ++j) hh = std::max<LD>(hh, bars[j].high), ll = std::min<LD>(ll, bars[j].low);
            std::optional<LD> c, d;
            if (const auto a = e1.step(bars[i].close - (hh + ll) / 2)) c = e2.step(*a);
            if (const auto b = e3.step(hh - ll)) d = e4.step(*b);
            if (!c || !d) continue;
            if (*d > 0) last = std::clamp<LD>(*c * 100 / (*d / 2), -100, 100);
            out.back() = last;
        }
        return out;
    };
}

// A ratio beyond the double range reads 0, as for an average of 0.
Model volatility_ratio(int n) {
    return [n](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        const LD alpha = 2.0L / (n + 1);
        LD e = 0;
        int count = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i == 0) continue;
            const LD tr = true_range(bars[i], bars[i - 1].close);
            if (count < n) {
                e += tr;
                if (++count == n) e /= n;
                continue;
            }
            const LD ratio = e > 0 ? tr / e : 0;
            out.back() = ratio > std::numeric_limits<double>::max() ? 0 : ratio;
            e = tr * alpha + e * (1 - alpha);
        }
        return out;
    };
}

Model twiggs(int n) {
    return [n](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        LD a = 0, v = 0;
        int count = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i == 0) continue;
            const Ohlcv& b = bars[i];
            const LD th = std::max<LD>(b.high, bars[i - 1].close), tl = std::min<LD>(b.low, bars[i - 1].close);
            const LD adv = th > tl ? (2 * LD(b.close) - th - tl) / (th - tl) * b.volume : 0;
            if (count < n) {
                a += adv, v += b.volume;
                if (++count < n) continue;
                a /= n, v /= n;
            } else {
                a += (adv - a) / n, v += (b.volume - v) / n;
            }
            out.back() = v == 0 ? 0 : a / v;
        }
        return out;
    };
}

Model vzo(int n) {
    return [n](const std::vector<Ohlcv>& bars) {
        std::vector<std::optional<LD>> out;
        LdEma position(n), total(n);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            out.emplace_back();
            if (i == 0) continue;
            const Ohlcv& b = bars[i];
            const LD c = b.close, pc = bars[i - 1].close;
            const auto vp = position.step(c > pc ? b.volume : c < pc ? -LD(b.volume) : 0);
            const auto tv = total.step(b.volume);
            if (vp && tv) out.back() = *tv == 0 ? 0 : *vp * 100 / *tv;
        }
        return out;
    };
}

// A seeded walk of `count` bars from `close` (prices on a cent grid at `level`).
void walk(std::vector<Ohlcv>& bars, std::size_t count, double level, std::uint64_t seed) {
    double p = bars.empty() ? level : bars.back().close;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        const double u = static_cast<double>(seed >> 11) / 9007199254740992.0;
        const double o = p;
        p = std::round(p * (1.0 + 0.02 * (u - 0.5)) / level * 1e4) * level / 1e4;
        const double high = std::max(o, p) + 5e-4 * level, low = std::min(o, p) - 5e-4 * level;
        bars.push_back(Ohlcv{0, o, high, low, p, 100.0 + static_cast<double>(seed >> 58)});
    }
}
void flat(std::vector<Ohlcv>& bars, std::size_t count, double level) {
    const double c = bars.empty() ? level : bars.back().close;
    for (std::size_t i = 0; i < count; ++i) bars.push_back(Ohlcv{0, c, c, c, c, 0.0});
}

struct FlatRunCase {
    const char* name;
    std::vector<double> params;
    const char* output;  // a named output, or "" for the value the update answers
    Model model;
    std::size_t run;     // flat bars: long enough for the divisor to leave the normal range
    bool opens_flat;     // the history opens with the run (no walk before it)
    double level = 100.0;
};

TEST(FlatRunDirectionalVolume, AnswersWhatTheRecurrencesGiveThroughAndAfterTheRun) {
    const std::vector<FlatRunCase> cases = {
        {"Adx", {14}, "", directional(14, DmLine::AdxPlusDi), 12000, false},
        {"Adx", {14}, "adx", directional(14, DmLine::Adx), 12000, false},
        {"PlusDi", {14}, "", directional(14, DmLine::PlusDi), 12000, false},
        {"Dx", {3}, "", directional(3, DmLine::Dx), 3000, false},
        {"Adxr", {14}, "", directional(14, DmLine::Adxr), 12000, false},
        {"Tsi", {25, 13}, "", tsi(25, 13), 12000, false},
        {"Tsi", {2, 2}, "", tsi(2, 2), 2000, false},
        {"Smi", {10, 3, 3}, "", smi(10, 3, 3), 3000, false},
        {"VolatilityRatio", {14}, "", volatility_ratio(14), 4940, false, 1.0},
        {"VolatilityRatio", {14}, "", volatility_ratio(14), 12000, false},
        {"TwiggsMoneyFlow", {5}, "", twiggs(5), 4000, false},
        {"Vzo", {14}, "", vzo(14), 12000, false},
        {"Dx", {14}, "", directional(14, DmLine::Dx), 3000, true},
        {"Adx", {14}, "adx", directional(14, DmLine::Adx), 3000, true},
        {"Tsi", {25, 13}, "", tsi(25, 13), 3000, true},
        {"Smi", {10, 3, 3}, "", smi(10, 3, 3), 3000, true},
        {"VolatilityRatio", {14}, "", volatility_ratio(14), 3000, true},
        {"TwiggsMoneyFlow", {21}, "", twiggs(21), 3000, true},
        {"Vzo", {14}, "", vzo(14), 3000, true},
    };
    for (const FlatRunCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + std::to_string(c.params[0]) + ") " + c.output + " run " +
                     std::to_string(c.run) + (c.opens_flat ? " opening" : ""));
        std::vector<Ohlcv> bars;
        if (!c.opens_flat) walk(bars, 200, c.level, 5);
        flat(bars, c.run, c.level);
        walk(bars, 40, c.level, 7);
        const std::vector<std::optional<LD>> want = c.model(bars);
        IndicatorBox ind = make_named(c.name, c.params);
        ASSERT_TRUE(ind);
        std::size_t wrong = 0, answers = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            std::optional<double> got = ind->update(BarContext(bars[i]));
            if (got && *c.output) {
                for (const NamedOutput& o : ind->outputs())
                    if (o.name == c.output) got = o.value;
            }
            ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i;
            if (!got) continue;
            answers += 1;
            const double due = static_cast<double>(*want[i]);
            if (!(std::fabs(*got - due) <= 1e-8 * std::max(1.0, std::fabs(due))) && wrong++ < 3)
                ADD_FAILURE() << "bar " << i << ": " << *got << ", due " << due;
        }
        EXPECT_EQ(wrong, 0u);
        EXPECT_GT(answers, 0u);
    }
}

// Halts that keep their range: the last candle repeated, and a market pinned between
// bid and ask (high = ask, low = bid, the close at either). Neither has directional
// movement, so +DM and −DM decay by (1 − 1/n) a bar while TR stays: DX, their quotient,
// holds, and ADX settles on it. Then a flat halt ended by a bar one tick above and
// below the halt price: +DM = −DM = 0 while TR moves, so DX still holds.
enum class Halt { Repeated, Pinned, FlatThenSymmetric };
void halt(std::vector<Ohlcv>& bars, Halt kind, std::size_t count, double level) {
    const Ohlcv last = bars.back();
    if (kind == Halt::Repeated) bars.insert(bars.end(), count, last);
    for (std::size_t i = 0; kind == Halt::Pinned && i < count; ++i)
        bars.push_back(Ohlcv{0, bars.back().close, last.high, last.low, i % 2 ? last.low : last.high, 100.0});
    if (kind != Halt::FlatThenSymmetric) return;
    flat(bars, count, level);
    const double p = last.close, tick = std::ldexp(1.0, std::ilogb(p) - 20);
    ASSERT_EQ((p + tick) - p, p - (p - tick));
    bars.push_back(Ohlcv{0, p, p + tick, p - tick, p, 500.0});
}

TEST(FlatRunDirectionalVolume, DirectionalMovementHoldsThroughHaltsThatKeepTheirRange) {
    struct HaltCase {
        const char* name;
        int n;
        const char* output;
        DmLine line;
        Halt kind;
        std::size_t run;
        int scale;  // prices × 2^scale
    };
    const std::vector<HaltCase> cases = {
        {"Dx", 2, "", DmLine::Dx, Halt::Repeated, 1200, 0},
        {"Dx", 2, "", DmLine::Dx, Halt::Repeated, 1200, 300},
        {"Adx", 2, "adx", DmLine::Adx, Halt::Repeated, 1200, -300},
        {"Dx", 14, "", DmLine::Dx, Halt::Pinned, 11000, 0},
        {"Dx", 14, "", DmLine::Dx, Halt::Pinned, 11000, -300},
        {"Dx", 14, "", DmLine::Dx, Halt::Pinned, 11000, 300},
        {"Adx", 14, "adx", DmLine::Adx, Halt::Pinned, 11000, 0},
        {"Adxr", 14, "", DmLine::Adxr, Halt::Pinned, 11000, 0},
        {"PlusDi", 14, "", DmLine::PlusDi, Halt::Pinned, 11000, 300},
        {"Dx", 2, "", DmLine::Dx, Halt::FlatThenSymmetric, 1100, 0},
        {"Adx", 2, "adx", DmLine::Adx, Halt::FlatThenSymmetric, 1100, 300},
        {"Dx", 14, "", DmLine::Dx, Halt::FlatThenSymmetric, 10100, 0},
        {"Dx", 14, "", DmLine::Dx, Halt::FlatThenSymmetric, 10100, -300},
        {"Adx", 14, "adx", DmLine::Adx, Halt::FlatThenSymmetric, 10100, 0},
        {"Adx", 14, "", DmLine::AdxPlusDi, Halt::FlatThenSymmetric, 10100, 300},
    };
    for (const HaltCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "(" + std::to_string(c.n) + ") " + c.output + " halt kind " +
                     std::to_string(static_cast<int>(c.kind)) + ", scale 2^" + std::to_string(c.scale));
        const double level = std::ldexp(100.0, c.scale);
        std::vector<Ohlcv> bars;
        walk(bars, 300, level, 3);
        halt(bars, c.kind, c.run, level);
        walk(bars, 60, level, 9);
        const std::vector<std::optional<LD>> want = directional(c.n, c.line)(bars);
        IndicatorBox ind = make_named(c.name, {static_cast<double>(c.n)});
        ASSERT_TRUE(ind);
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < bars.size(); ++i) {
            std::optional<double> got = ind->update(BarContext(bars[i]));
            for (const NamedOutput& o : ind->outputs())
                if (got && o.name == c.output) got = o.value;
            ASSERT_EQ(got.has_value(), want[i].has_value()) << "bar " << i;
            const double due = want[i] ? static_cast<double>(*want[i]) : 0.0;
            if (got && !(std::fabs(*got - due) <= 1e-8 * std::max(1.0, std::fabs(due))) && wrong++ < 3)
                ADD_FAILURE() << "bar " << i << ": " << *got << ", due " << due;
        }
        EXPECT_EQ(wrong, 0u);
    }
}

}  // namespace
}  // namespace torvex::test
