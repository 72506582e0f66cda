// The typed records of the specification and command documents.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gym_core/large_buffer.hpp"
#include "indicators/bar.hpp"

namespace torvex::gym {

enum class PriceField : std::uint8_t { Open, High, Low, Close, Volume };
enum class MicroField : std::uint8_t { BidPx, BidSz, AskPx, AskSz, Spread, Imbalance, Funding, Oi };
enum class RewardKind : std::uint8_t { Pnl, Sharpe, LogReturn };

struct Feature {
    enum class Kind : std::uint8_t { Indicator, Price, Microstructure };
    Kind kind = Kind::Price;
    // Indicator
    std::string name;
    std::vector<double> params;
    std::optional<std::string> field;
    // Price / Microstructure
    PriceField price = PriceField::Close;
    MicroField micro = MicroField::BidPx;
    std::optional<std::uint32_t> level;
};

struct ObsSpec {
    std::vector<Feature> features;
    std::uint32_t include_book_levels = 0;
    bool include_funding_oi = false;
};

struct ActionSpace {
    enum class Kind : std::uint8_t { Discrete, Continuous };
    Kind kind = Kind::Discrete;
    std::uint32_t n = 0;
    double low = 0.0;
    double high = 0.0;
};

struct EpisodeSpec {
    std::uint32_t max_steps = 0;
    std::uint32_t warmup = 0;
};

struct EnvSpec {
    std::string dataset_ref;
    std::string symbol;
    ObsSpec observation;
    ActionSpace action_space;
    RewardKind reward = RewardKind::Pnl;
    EpisodeSpec episode;
    std::optional<std::uint64_t> seed;
};

// The bars of a command, read column by column straight from the document: one
// candle record per bar, and only for the bars that carry them the book lists (pooled
// in one array), funding and open interest.
struct BarList {
    enum BookList : std::uint8_t { BidPx, BidSz, AskPx, AskSz };
    struct Span {
        std::size_t offset = 0;
        std::size_t size = 0;
    };
    struct Extras {
        std::array<Span, 4> book{};  // bid_px, bid_sz, ask_px, ask_sz
        std::optional<double> funding;
        std::optional<double> oi;

        bool any() const {
            return funding || oi || book[0].size || book[1].size || book[2].size || book[3].size;
        }
    };
    static constexpr std::uint32_t kNoExtras = UINT32_MAX;

    std::vector<Ohlcv, LargeBufferAllocator<Ohlcv>> candles;
    // Per bar: its entry in `extras`, or kNoExtras. Bars past its end carry none, so a
    // list of plain candles keeps it empty.
    std::vector<std::uint32_t, LargeBufferAllocator<std::uint32_t>> extra_of;
    std::vector<Extras> extras;
    std::vector<double> pool;  // the values of every book list

    std::size_t size() const { return candles.size(); }
    bool empty() const { return candles.empty(); }
    // Bytes of storage held, used or not.
    std::size_t storage_bytes() const {
        return candles.capacity() * sizeof(Ohlcv) + extra_of.capacity() * sizeof(std::uint32_t) +
               extras.capacity() * sizeof(Extras) + pool.capacity() * sizeof(double);
    }
    // Empties the list, keeping its storage for the next.
    void clear() {
        candles.clear();
        extra_of.clear();
        extras.clear();
        pool.clear();
    }
    void reserve(std::size_t bars) { candles.reserve(bars); }
    // Gives the last bar its extras (the list must hold fewer than kNoExtras).
    void attach_extras(const Extras& e) {
        if (extra_of.empty()) extra_of.reserve(candles.capacity());
        extra_of.resize(candles.size() - 1, kNoExtras);
        extra_of.push_back(static_cast<std::uint32_t>(extras.size()));
        extras.push_back(e);
    }
    const Extras* extras_at(std::size_t bar) const {
        if (bar >= extra_of.size()) return nullptr;
        const std::uint32_t k = extra_of[bar];
        return k == kNoExtras ? nullptr : &extras[k];
    }
    std::span<const double> list(std::size_t bar, BookList which) const {
        const Extras* e = extras_at(bar);
        if (e == nullptr) return {};
        const Span s = e->book[which];
        return {pool.data() + s.offset, s.size};
    }
    const std::optional<double>& funding(std::size_t bar) const {
        const Extras* e = extras_at(bar);
        return e ? e->funding : kAbsent;
    }
    const std::optional<double>& oi(std::size_t bar) const {
        const Extras* e = extras_at(bar);
        return e ? e->oi : kAbsent;
    }

private:
    static constexpr std::optional<double> kAbsent{};
};

struct Command {
    std::string cmd;
    BarList candles;
    std::optional<double> action;
    std::optional<std::uint64_t> seed;
};

inline constexpr const char* kPriceFieldNames[] = {"open", "high", "low", "close", "volume"};
inline constexpr const char* kMicroFieldNames[] = {"bid_px", "bid_sz", "ask_px", "ask_sz",
                                                   "spread", "imbalance", "funding", "oi"};

}  // namespace torvex::gym
