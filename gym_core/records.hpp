// The typed records of the specification and command documents.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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
// candle record per bar, the book lists pooled in one array, and funding and open
// interest where a bar carries them.
struct BarList {
    enum BookList : std::uint8_t { BidPx, BidSz, AskPx, AskSz };
    struct Span {
        std::size_t offset = 0;
        std::size_t size = 0;
    };

    std::vector<Ohlcv> candles;
    std::vector<std::optional<double>> funding;
    std::vector<std::optional<double>> oi;
    std::vector<std::array<Span, 4>> book;  // per bar: bid_px, bid_sz, ask_px, ask_sz
    std::vector<double> pool;               // the values of every book list

    std::size_t size() const { return candles.size(); }
    bool empty() const { return candles.empty(); }
    std::span<const double> list(std::size_t bar, BookList which) const {
        const Span s = book[bar][which];
        return {pool.data() + s.offset, s.size};
    }
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
