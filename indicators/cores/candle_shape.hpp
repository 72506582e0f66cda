// The vocabulary every candlestick detector is written in (body, shadows, range,
// colour), the short history of accepted candles that the multi-bar detectors judge,
// and the three shapes of detector: one bar, one bar against the mean range of the
// bars before it, and the current bar with the K accepted bars before it.
//
// Every detector answers +1.0 (bullish form), -1.0 (bearish form) or 0.0 (neither)
// once it has seen enough accepted bars, and nothing before. A bar refused by the
// candle rule never reaches a detector's step, so it neither answers nor enters the
// history: a pattern is always formed over consecutive accepted candles.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/indicator.hpp"
#include "indicators/numeric.hpp"

namespace torvex {

namespace candle {

inline double body(const Ohlcv& k) { return k.close - k.open; }  // signed
inline double size(const Ohlcv& k) { return std::fabs(k.close - k.open); }
inline double range(const Ohlcv& k) { return k.high - k.low; }
inline double top(const Ohlcv& k) { return std::max(k.open, k.close); }
inline double bottom(const Ohlcv& k) { return std::min(k.open, k.close); }
inline double upper(const Ohlcv& k) { return k.high - top(k); }
inline double lower(const Ohlcv& k) { return bottom(k) - k.low; }
// Colour tests are strict: a candle that closes at its open is neither.
inline bool white(const Ohlcv& k) { return k.close > k.open; }
inline bool black(const Ohlcv& k) { return k.close < k.open; }
// A candle of that colour whose body fills at least half of a positive range.
inline bool long_white(const Ohlcv& k) { return range(k) > 0.0 && k.close - k.open >= 0.5 * range(k); }
inline bool long_black(const Ohlcv& k) { return range(k) > 0.0 && k.open - k.close >= 0.5 * range(k); }
// Overflow-safe midpoint of the open and the close.
inline double body_mid(const Ohlcv& k) { return midpoint(k.open, k.close); }

// The answer of a detector whose two forms exclude each other; the bullish form wins.
inline double signal(bool bullish, bool bearish) {
    if (bullish) return 1.0;
    return bearish ? -1.0 : 0.0;
}

// The candle reflected through zero price: (o, h, l, c) becomes (-o, -l, -h, -c).
// A bearish form that mirrors a bullish one is the bullish rule on reflected candles,
// bit for bit: negation and the differences of negated prices are exact.
inline Ohlcv mirrored(const Ohlcv& k) {
    Ohlcv m = k;
    m.open = -k.open;
    m.high = -k.low;
    m.low = -k.high;
    m.close = -k.close;
    return m;
}

template <std::size_t K>
std::array<Ohlcv, K> mirrored(const std::array<Ohlcv, K>& bars) {
    std::array<Ohlcv, K> m;
    for (std::size_t i = 0; i < K; ++i) m[i] = mirrored(bars[i]);
    return m;
}

}  // namespace candle

// The accepted candles before the current one, oldest first; empty at construction.
template <std::size_t K>
class KeptCandles {
public:
    using Bars = std::array<Ohlcv, K>;

    bool full() const { return count_ == K; }
    const Bars& bars() const { return bars_; }

    // The current candle becomes the newest; once full, the oldest leaves.
    void push(const Ohlcv& bar) {
        if (count_ < K) {
            bars_[count_++] = bar;
            return;
        }
        for (std::size_t i = 0; i + 1 < K; ++i) bars_[i] = bars_[i + 1];
        bars_[K - 1] = bar;
    }

private:
    Bars bars_{};
    std::size_t count_ = 0;
};

// The ranges of the last five accepted candles, for the detectors that compare the
// current range with the mean range of the bars before it.
class RecentRanges {
public:
    static constexpr std::size_t kCount = 5;

    bool full() const { return count_ == kCount; }

    // The mean of the held ranges, added oldest to newest. Only asked once full.
    double mean() const {
        double sum = 0.0;
        for (std::size_t i = 0; i < kCount; ++i) sum += ranges_[(head_ + i) % kCount];
        return sum / static_cast<double>(kCount);
    }

    void push(double r) {
        ranges_[head_] = r;
        head_ = (head_ + 1) % kCount;
        if (count_ < kCount) ++count_;
    }

private:
    std::array<double, kCount> ranges_{};
    std::size_t head_ = 0;  // the oldest slot once full
    std::size_t count_ = 0;
};

// A detector of the current bar alone, `static double judge(const Ohlcv&)`. A bar with
// zero range is no pattern (0.0), decided before any ratio of the range is formed.
template <class Derived>
class OneBarPattern : public CandleIndicator<Derived> {
public:
    std::optional<double> step(const Ohlcv& bar) const {
        if (!(candle::range(bar) > 0.0)) return 0.0;
        return Derived::judge(bar);
    }
    std::uint64_t warmup() const override { return 1; }
};

// A detector of the current bar against the mean range of the five accepted bars
// before it, `static double judge(const Ohlcv&, double mean_range)`. The first five
// accepted bars only fill the window; the sixth answers first.
template <class Derived>
class RangeWindowPattern : public CandleIndicator<Derived> {
public:
    std::optional<double> step(const Ohlcv& bar) {
        if (!ranges_.full()) {
            ranges_.push(candle::range(bar));
            return std::nullopt;
        }
        const double mean = ranges_.mean();
        ranges_.push(candle::range(bar));
        return Derived::judge(bar, mean);
    }
    std::uint64_t warmup() const override { return RecentRanges::kCount; }

private:
    RecentRanges ranges_;
};

// A detector of the current bar with the K accepted bars before it,
// `static double judge(const KeptCandles<K>::Bars&, const Ohlcv&)`. Every accepted
// bar enters the history, whatever the answer; the first K only fill it.
template <class Derived, std::size_t K>
class KeptBarsPattern : public CandleIndicator<Derived> {
public:
    using Bars = typename KeptCandles<K>::Bars;

    std::optional<double> step(const Ohlcv& bar) {
        std::optional<double> answer;
        if (kept_.full()) answer = Derived::judge(kept_.bars(), bar);
        kept_.push(bar);
        return answer;
    }
    std::uint64_t warmup() const override { return K + 1; }

private:
    KeptCandles<K> kept_;
};

}  // namespace torvex
