#include "gym_core/env.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <new>
#include <span>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <utility>

#include "gym_core/json_reader.hpp"
#include "gym_core/json_writer.hpp"
#include "gym_core/phase_team.hpp"
#include "gym_core/number_text.hpp"
#include "registry/registry.hpp"

namespace torvex::gym {

// ---- feature keys, feed classes, feature set ---------------------------------------

std::string format_key_param(double p) {
    if (std::isfinite(p) && p == std::trunc(p) && std::fabs(p) < 1e15)
        return std::to_string(static_cast<std::int64_t>(p));
    return shortest_plain(p);
}

std::string feature_key(const Feature& f) {
    switch (f.kind) {
        case Feature::Kind::Indicator: {
            std::string key = f.name + "(";
            for (std::size_t i = 0; i < f.params.size(); ++i) {
                if (i > 0) key += ',';
                key += format_key_param(f.params[i]);
            }
            key += ')';
            if (f.field) key += "." + *f.field;
            return key;
        }
        case Feature::Kind::Price: {
            std::string key = "price.";
            key += kPriceFieldNames[static_cast<int>(f.price)];
            return key;
        }
        case Feature::Kind::Microstructure: {
            const int m = static_cast<int>(f.micro);
            std::string key = "micro.";
            key += kMicroFieldNames[m];
            if (m <= static_cast<int>(MicroField::AskSz)) {
                key += '.';
                key += std::to_string(f.level.value_or(0));
            }
            return key;
        }
    }
    return {};
}

namespace {

constexpr std::string_view kTwoSeriesNames[] = {
    "Alpha",          "Beta",          "BetaNeutralSpread",   "Cointegration",       "DistanceSsd",
    "GrangerCausality", "HasbrouckInformationShare", "InformationRatio", "KalmanHedgeRatio", "KendallTau",
    "LeadLagCrossCorrelation", "OuHalfLife", "PairSpreadZScore", "PairwiseBeta", "PearsonCorrelation",
    "RelativeStrengthAB", "RollingCorrelation", "RollingCovariance", "SpearmanCorrelation",
    "SpreadAr1Coefficient", "SpreadBollingerBands", "SpreadHurst", "TreynorRatio", "VarianceRatio",
};

struct FeedText {
    std::string_view feed;
    std::string_view reason;
};

FeedText feed_text(FeedClass c) {
    switch (c) {
        case FeedClass::Reference:
            return {"reference", "an environment steps one symbol, so there is no second series to read"};
        case FeedClass::Funding:
            return {"funding/open-interest", "no bar in this dataset carries funding or open interest"};
        case FeedClass::OrderBook: return {"orderbook", "no bar in this dataset carries order-book levels"};
        case FeedClass::Trades: return {"trades", "a bar carries aggregate volume, not the individual prints"};
        case FeedClass::TradesAndOrderBook:
            return {"trades and orderbook", "a bar carries aggregate volume, not the individual prints"};
        case FeedClass::CrossSection:
            return {"cross-section", "an environment steps one symbol, so there is no market panel"};
        case FeedClass::Bar: break;
    }
    return {};
}

}  // namespace

std::optional<FeedClass> feed_of(std::string_view name) {
    switch (indicator_feed(name)) {
        case kFeedCandles:
            if (std::ranges::find(kTwoSeriesNames, name) != std::end(kTwoSeriesNames)) return FeedClass::Reference;
            return FeedClass::Bar;
        case kFeedTrades: return FeedClass::Trades;
        case kFeedOrderBook: return FeedClass::OrderBook;
        case kFeedTradesAndBook: return FeedClass::TradesAndOrderBook;
        case kFeedFunding: return FeedClass::Funding;
        case kFeedCrossSection: return FeedClass::CrossSection;
        default: return std::nullopt;
    }
}

std::expected<std::vector<IndicatorColumn>, EnvError> build_indicators(const std::vector<Feature>& features) {
    std::vector<IndicatorColumn> columns;
    for (const Feature& f : features) {
        if (f.kind != Feature::Kind::Indicator) continue;
        auto built = build_indicator(f.name, f.params);
        if (!built) return std::unexpected(EnvError::unknown_indicator(f.name));
        columns.push_back({feature_key(f), f.name, f.field, std::move(*built), false, false});
    }
    return columns;
}

// ---- construction and dispatch -------------------------------------------------------

namespace {

std::uint64_t observation_dim(const ObsSpec& o) {
    return o.features.size() + 4ull * o.include_book_levels + (o.include_funding_oi ? 2 : 0);
}

std::string error_document(const EnvError& e) {
    JsonWriter w;
    w.begin_object().key("error").string(e.display()).key("ok").boolean(false).end_object();
    return w.take();
}

}  // namespace

std::expected<Env, EnvError> Env::create(std::string_view spec_json) {
    auto spec = read_env_spec(spec_json);
    if (!spec) return std::unexpected(EnvError::parse(std::move(spec.error())));
    if (spec->episode.max_steps == 0) return std::unexpected(EnvError::bad_spec("episode.max_steps must be > 0"));
    const ActionSpace& a = spec->action_space;
    if (a.kind == ActionSpace::Kind::Continuous && !(a.high > a.low))
        return std::unexpected(EnvError::bad_spec("continuous action space needs low < high"));
    if (a.kind == ActionSpace::Kind::Discrete && a.n == 0)
        return std::unexpected(EnvError::bad_spec("discrete action space needs n >= 1"));
    if (observation_dim(spec->observation) > kMaxObservationDim)
        return std::unexpected(EnvError::bad_spec("observation has " + std::to_string(observation_dim(spec->observation)) +
                                                  " columns, more than the " + std::to_string(kMaxObservationDim) +
                                                  " an environment supports"));
    if (auto cols = build_indicators(spec->observation.features); !cols) return std::unexpected(cols.error());
    return Env(std::move(*spec));
}

std::string Env::command(std::string_view cmd_json) {
    // The matrix storage a load set aside serves the next load of a similar size; a
    // command of ordinary size (the reset or step that follows a load) lets go of it,
    // as the reader lets go of its buffers.
    if (cmd_json.size() <= ReadBuffers::kKeepBytes) spare_obs_.value = {};
    auto cmd = read_command(cmd_json, reader_);
    if (!cmd) return error_document(EnvError::parse(std::move(cmd.error())));
    std::expected<std::string, EnvError> out;
    try {
        out = dispatch(*cmd);
    } catch (const std::bad_alloc&) {
        // A load, the one operation whose memory grows with its input, changes nothing
        // in the record before it succeeds.
        out = std::unexpected(EnvError::data("out of memory while serving the " + cmd->cmd + " command"));
    }
    reader_.recycle(std::move(cmd->candles));
    if (!out) return error_document(out.error());
    return std::move(*out);
}

std::expected<std::string, EnvError> Env::dispatch(Command& cmd) {
    std::expected<std::string, EnvError> out;
    if (cmd.cmd == "version") {
        JsonWriter w;
        w.begin_object().key("version").string(kVersion).end_object();
        out = w.take();
    } else if (cmd.cmd == "reset") {
        out = reset(cmd.seed);
    } else if (cmd.cmd == "load") {
        out = load(cmd.candles);
    } else if (cmd.cmd == "step") {
        out = step(cmd.action);
    } else if (cmd.cmd == "spec") {
        out = spec_document();
    } else {
        out = std::unexpected(EnvError::bad_spec("unknown cmd: " + cmd.cmd));
    }
    return out;
}

std::string Env::spec_document() const {
    const ObsSpec& o = spec_.observation;
    const std::uint64_t dim = observation_dim(o);
    JsonWriter w;
    w.begin_object().key("observation_dim").integer(dim);
    w.key("observation_low").begin_array();
    for (std::uint64_t i = 0; i < dim; ++i) w.number(-1e30);
    w.end_array().key("observation_high").begin_array();
    for (std::uint64_t i = 0; i < dim; ++i) w.number(1e30);
    w.end_array().key("action_space").begin_object();
    if (spec_.action_space.kind == ActionSpace::Kind::Discrete) {
        w.key("type").string("discrete").key("n").integer(spec_.action_space.n);
    } else {
        w.key("type").string("continuous").key("low").number(spec_.action_space.low);
        w.key("high").number(spec_.action_space.high);
    }
    w.end_object().key("feature_keys").begin_array();
    for (const Feature& f : o.features) w.string(feature_key(f));
    for (std::uint32_t i = 0; i < o.include_book_levels; ++i) {
        const std::string level = std::to_string(i);
        w.string("micro.bid_px." + level).string("micro.bid_sz." + level);
        w.string("micro.ask_px." + level).string("micro.ask_sz." + level);
    }
    if (o.include_funding_oi) w.string("micro.funding").string("micro.oi");
    w.end_array().end_object();
    return w.take();
}

void Env::clear_episode() {
    pnl_history_.clear();
    cursor_ = 0;
    position_ = 0.0;
    equity_ = 0.0;
    steps_ = 0;
    started_ = false;
}

// ---- load ----------------------------------------------------------------------------

namespace {

bool valid_price(double p) { return is_finite(p) && p > 0.0; }
bool valid_size(double s) { return is_finite(s) && !(s < 0.0); }

// One side of the book; false when a level is unusable (the side is then absent).
bool book_side(std::span<const double> px, std::span<const double> sz, std::vector<BookLevel>& out) {
    out.clear();
    for (std::size_t i = 0; i < px.size(); ++i) {
        const double size = i < sz.size() ? sz[i] : 0.0;
        if (!valid_price(px[i]) || !valid_size(size)) return false;
        out.push_back({px[i], size});
    }
    return true;
}

double at_or_zero(std::span<const double> v, std::uint64_t i) { return i < v.size() ? v[i] : 0.0; }

// One bar of the list, with its book lists resolved.
struct BarView {
    const Ohlcv& c;
    std::span<const double> bid_px, bid_sz, ask_px, ask_sz;
    const std::optional<double>& funding;
    const std::optional<double>& oi;

    BarView(const BarList& bars, std::size_t i)
        : c(bars.candles[i]),
          bid_px(bars.list(i, BarList::BidPx)),
          bid_sz(bars.list(i, BarList::BidSz)),
          ask_px(bars.list(i, BarList::AskPx)),
          ask_sz(bars.list(i, BarList::AskSz)),
          funding(bars.funding(i)),
          oi(bars.oi(i)) {}
};

bool accept_book(const BarView& b, OrderBook& book) {
    if (b.bid_px.empty() || b.ask_px.empty()) return false;
    if (!book_side(b.bid_px, b.bid_sz, book.bids) || !book_side(b.ask_px, b.ask_sz, book.asks)) return false;
    for (std::size_t i = 1; i < book.bids.size(); ++i)
        if (!(book.bids[i].price < book.bids[i - 1].price)) return false;
    for (std::size_t i = 1; i < book.asks.size(); ++i)
        if (!(book.asks[i].price > book.asks[i - 1].price)) return false;
    return book.bids[0].price < book.asks[0].price;
}

// A bar's book and derivatives snapshot, where they pass the environment's checks.
void fill_context(const BarView& b, BarContext& ctx, OrderBook& book) {
    if (accept_book(b, book)) ctx.book = &book;
    if (b.funding || b.oi) {
        const Ohlcv& c = b.c;
        const double f = b.funding.value_or(0.0), oi = b.oi.value_or(0.0);
        if (is_finite(f) && is_finite(c.close) && c.close > 0.0 && is_finite(oi) && !(oi < 0.0)) {
            DerivativesTick t;
            t.funding_rate = f;
            t.mark_price = t.index_price = t.futures_price = c.close;
            t.open_interest = oi;
            t.ts = c.ts;
            ctx.derivatives = t;
        }
    }
}

double price_value(const Ohlcv& c, PriceField f) {
    switch (f) {
        case PriceField::Open: return c.open;
        case PriceField::High: return c.high;
        case PriceField::Low: return c.low;
        case PriceField::Close: return c.close;
        case PriceField::Volume: return c.volume;
    }
    return 0.0;
}

double micro_value(const BarView& b, MicroField f, std::uint64_t level) {
    switch (f) {
        case MicroField::BidPx: return at_or_zero(b.bid_px, level);
        case MicroField::BidSz: return at_or_zero(b.bid_sz, level);
        case MicroField::AskPx: return at_or_zero(b.ask_px, level);
        case MicroField::AskSz: return at_or_zero(b.ask_sz, level);
        case MicroField::Spread: return (!b.ask_px.empty() && !b.bid_px.empty()) ? b.ask_px[0] - b.bid_px[0] : 0.0;
        case MicroField::Imbalance: {
            if (b.bid_sz.empty() || b.ask_sz.empty()) return 0.0;
            const double bid = b.bid_sz[0], ask = b.ask_sz[0];
            const double total = bid + ask;
            if (total == 0.0 || std::isnan(total)) return 0.0;
            return (bid - ask) / total;
        }
        case MicroField::Funding: return b.funding.value_or(0.0);
        case MicroField::Oi: return b.oi.value_or(0.0);
    }
    return 0.0;
}

}  // namespace

namespace {

// The bars [first, first + count) of a load as the column runs see them: a bar's book
// and derivatives snapshot are built when an indicator over those feeds asks for them.
class LoadColumns final : public BarColumns {
public:
    LoadColumns(const BarList& bars, std::span<const double> closes, std::size_t first, std::size_t count)
        : BarColumns(std::span<const Ohlcv>(bars.candles).subspan(first, count), closes.subspan(first, count)),
          bars_(bars),
          first_(first) {}
    bool has_extras() const override { return true; }
    void fill(std::size_t r, BarContext& ctx, OrderBook& scratch) const override {
        fill_context(BarView(bars_, first_ + r), ctx, scratch);
    }

private:
    const BarList& bars_;
    std::size_t first_;
};

// One matrix write of a group: (scratch column, feature position).
using CellWrite = std::pair<std::size_t, std::size_t>;

// Rows [from, to) of a chunk whose group columns are in `scratch` (column slot s from
// s * stride), rounded for the report into the chunk's rows of the matrix. Compiled
// twice, as the column loops are: the wider build truncates in one instruction where
// the baseline has a sequence of them, and both give the same bits.
TORVEX_INLINE_LOOP void write_rounded(double* rows, std::uint64_t dim, const double* scratch, std::uint64_t stride,
                                      std::span<const CellWrite> writes, std::uint64_t from, std::uint64_t to) {
    for (std::uint64_t k = from; k < to; ++k) {
        double* row = rows + k * dim;
        for (const auto& [slot, pos] : writes) row[pos] = report_round(scratch[slot * stride + k]);
    }
}
TORVEX_WIDE_TARGET void write_rounded_wide(double* rows, std::uint64_t dim, const double* scratch, std::uint64_t stride,
                                           std::span<const CellWrite> writes, std::uint64_t from, std::uint64_t to) {
    write_rounded(rows, dim, scratch, stride, writes, from, to);
}
void write_rounded_block(double* rows, std::uint64_t dim, const double* scratch, std::uint64_t stride,
                         std::span<const CellWrite> writes, std::uint64_t from, std::uint64_t to) {
#if TORVEX_WIDE_LOOPS
    if (wide_loops_available()) return write_rounded_wide(rows, dim, scratch, stride, writes, from, to);
#endif
    write_rounded(rows, dim, scratch, stride, writes, from, to);
}

EnvError matrix_too_large(std::uint64_t rows, std::uint64_t dim) {
    return EnvError::data("the observation matrix of " + std::to_string(rows) + " rows and " + std::to_string(dim) +
                          " columns does not fit in memory");
}

// Below this many cells a load runs on the calling thread alone: starting threads
// would cost more than it saves.
constexpr std::uint64_t kParallelCells = 1u << 16;

// Bar lists from this size on let go of their pages during the load (a few system
// calls per chunk of rows).
constexpr std::uint64_t kDropBarsBytes = std::uint64_t{2} << 20;

}  // namespace

std::expected<std::string, EnvError> Env::load(BarList& candles) {
    if (candles.empty()) return std::unexpected(EnvError::no_data());
    const ObsSpec& o = spec_.observation;

    bool book_available = true, funding_available = true;
    for (std::size_t i = 0; i < candles.size(); ++i) {
        book_available = book_available && !candles.list(i, BarList::BidPx).empty() &&
                         !candles.list(i, BarList::AskPx).empty();
        funding_available = funding_available && (candles.funding(i) || candles.oi(i));
    }
    for (const Feature& f : o.features) {
        if (f.kind != Feature::Kind::Indicator) continue;
        const auto cls = feed_of(f.name);
        if (!cls) continue;  // the build reports unknown names
        bool ok = false;
        switch (*cls) {
            case FeedClass::Bar: ok = true; break;
            case FeedClass::Funding: ok = funding_available; break;
            case FeedClass::OrderBook: ok = book_available; break;
            default: ok = false;
        }
        if (!ok) {
            const FeedText t = feed_text(*cls);
            return std::unexpected(EnvError::needs_feed(f.name, t.feed, t.reason));
        }
    }

    auto built = build_indicators(o.features);
    if (!built) return std::unexpected(built.error());
    std::vector<IndicatorColumn>& columns = *built;

    const std::uint64_t dim = observation_dim(o);
    const std::uint64_t rows = candles.size();
    LoadedData data;
    data.rows = rows;
    data.dim = dim;
    std::uint64_t cells = 0;
    if (__builtin_mul_overflow(rows, dim, &cells) || cells > data.obs.max_size())
        return std::unexpected(matrix_too_large(rows, dim));
    try {
        // Reused only where it is of about the size needed: no more pinned than that.
        if (spare_obs_.value.capacity() >= cells && spare_obs_.value.capacity() / 2 <= cells)
            data.obs = std::move(spare_obs_.value);
        data.obs.clear();
        data.obs.reserve(cells);
        data.closes.reserve(rows);
    } catch (const std::bad_alloc&) {
        return std::unexpected(matrix_too_large(rows, dim));
    }
    // Any other allocation that fails from here on is reported by the command as a
    // whole; the record is not touched before the load succeeds.
    if (reference_load_) {
        fill_bar_by_bar(candles, columns, data);
    } else {
        fill_by_columns(candles, columns, data);
    }

    for (const IndicatorColumn& col : columns)
        if (col.field && col.produced && !col.field_found)
            return std::unexpected(
                EnvError::bad_spec("indicator '" + col.key + "' has no output field '" + *col.field + "'"));
    std::uint64_t needed = 0;
    for (const IndicatorColumn& col : columns) needed = std::max(needed, col.indicator->warmup());
    if (needed > spec_.episode.warmup)
        return std::unexpected(EnvError::bad_spec(
            "episode.warmup is " + std::to_string(spec_.episode.warmup) + " but the observation needs " +
            std::to_string(needed) +
            ": below that an indicator column is 0.0 because nothing has been produced yet, which an agent cannot "
            "tell from a market reading of zero"));
    data.needed_warmup = needed;
    if (data_) spare_obs_.value = std::move(data_->obs);
    data_ = std::move(data);
    clear_episode();
    JsonWriter w;
    w.begin_object().key("ok").boolean(true).end_object();
    return w.take();
}

// Each distinct indicator key runs over the bars in loops of its own, on a team of
// threads; equal keys are one indicator with one column (the last feature's, as a
// per-bar map from key would keep).
//
// The work goes by chunks of rows. For each chunk, every indicator of a group runs on
// over the chunk's bars into a scratch column of its own, and then the chunk's rows of
// the matrix are written whole, block by block: the matrix is touched once, in order,
// and the scratch stays small enough to be cached. Where there are more indicators
// than a group holds, the groups take turns over all the rows.
void Env::fill_by_columns(BarList& candles, std::vector<IndicatorColumn>& columns, LoadedData& data) const {
    const ObsSpec& o = spec_.observation;
    const std::uint64_t rows = data.rows;
    const std::uint64_t dim = data.dim;
    data.obs.resize(rows * dim);  // within the capacity reserved by the load; every cell is written below
    data.closes.resize(rows);

    // Feature positions of each indicator column; a column whose key a later column
    // repeats keeps no position and is not run.
    std::vector<std::vector<std::size_t>> positions(columns.size());
    {
        std::unordered_map<std::string_view, std::size_t> last_of_key;
        last_of_key.reserve(columns.size());
        for (std::size_t k = 0; k < columns.size(); ++k) last_of_key[columns[k].key] = k;
        std::size_t k = 0;
        for (std::size_t i = 0; i < o.features.size(); ++i) {
            if (o.features[i].kind != Feature::Kind::Indicator) continue;
            positions[last_of_key[columns[k].key]].push_back(i);
            ++k;
        }
    }
    std::vector<std::size_t> runs;
    std::vector<bool> needs_extras;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (positions[k].empty()) continue;
        runs.push_back(k);
        const std::optional<FeedClass> feed = feed_of(columns[k].name);
        needs_extras.push_back(!feed || *feed != FeedClass::Bar);
    }
    std::vector<std::size_t> direct;  // positions of the price and microstructure features
    for (std::size_t i = 0; i < o.features.size(); ++i)
        if (o.features[i].kind != Feature::Kind::Indicator) direct.push_back(i);

    // Chunk and group sizes: the scratch of a group over a chunk stays near kScratchBytes.
    constexpr std::uint64_t kChunkRows = 32768;
    constexpr std::uint64_t kScratchBytes = std::uint64_t{16} << 20;
    constexpr std::uint64_t kBlockRows = 512;
    const std::uint64_t chunk_rows = std::min<std::uint64_t>(rows, kChunkRows);
    const std::size_t group =
        std::max<std::size_t>(1, std::min<std::uint64_t>(runs.size(), kScratchBytes / (sizeof(double) * chunk_rows)));
    const std::size_t groups = std::max<std::size_t>(1, (runs.size() + group - 1) / group);
    const std::uint64_t chunks = (rows + chunk_rows - 1) / chunk_rows;
    std::vector<double> scratch(std::min(group, runs.size()) * chunk_rows);

    // Matrix writes of a group, by position.
    std::vector<CellWrite> writes;

    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    if (rows * (runs.size() + 1) < kParallelCells) threads = 1;
    const bool drop_bars = rows * sizeof(Ohlcv) >= kDropBarsBytes;
    std::atomic<std::uint64_t> blocks_done{0};  // matrix blocks written in the last group
    PhaseTeam team(threads);
    const std::span<const Ohlcv> all_bars(candles.candles);
    team.run([&](PhaseTeam& t) {
        // The closes first, as one column every close-only loop reads.
        constexpr std::uint64_t kCloseRows = 65536;
        t.phase((rows + kCloseRows - 1) / kCloseRows, [&](std::size_t piece) {
            const std::uint64_t from = piece * kCloseRows, to = std::min(rows, from + kCloseRows);
            for (std::uint64_t r = from; r < to; ++r) data.closes[r] = candles.candles[r].close;
        });
        std::uint64_t blocks_before = 0;  // this member's count of the last group's earlier blocks
        for (std::size_t g = 0; g < groups; ++g) {
            const std::size_t first = g * group;
            const std::size_t count = std::min(group, runs.size() - std::min(first, runs.size()));
            // One member lists the writes while the others wait at the next phase.
            t.phase(1, [&](std::size_t) {
                writes.clear();
                for (std::size_t i = 0; i < count; ++i)
                    for (const std::size_t pos : positions[runs[first + i]]) writes.emplace_back(i, pos);
                std::sort(writes.begin(), writes.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; });
            });
            for (std::uint64_t c = 0; c < chunks; ++c) {
                const std::uint64_t begin = c * chunk_rows, n = std::min(chunk_rows, rows - begin);
                t.phase(count, [&](std::size_t i) {
                    IndicatorColumn& col = columns[runs[first + i]];
                    ColumnRun run{std::span<double>(scratch.data() + i * chunk_rows, n),
                                  col.field ? std::optional<std::string_view>(*col.field) : std::nullopt};
                    if (needs_extras[first + i]) {
                        col.indicator->run_column(LoadColumns(candles, data.closes, begin, n), run);
                    } else {
                        col.indicator->run_column(
                            BarColumns(all_bars.subspan(begin, n), std::span<const double>(data.closes).subspan(begin, n)),
                            run);
                    }
                    col.produced = col.produced || run.produced;
                    col.field_found = col.field_found || run.field_found;
                });
                const std::uint64_t blocks = (n + kBlockRows - 1) / kBlockRows;
                t.phase(blocks, [&](std::size_t block) {
                    const std::uint64_t from = block * kBlockRows, to = std::min(n, from + kBlockRows);
                    write_rounded_block(data.obs.data() + begin * dim, dim, scratch.data(), chunk_rows, writes, from, to);
                    if (g == 0) write_direct_columns(candles, begin + from, begin + to, direct, data);
                    // Once the last group has written every block of the chunk, a large
                    // list lets go of the chunk's bars (the member that wrote the last
                    // block does it), so the bars and the matrix are never both whole.
                    if (g + 1 == groups && drop_bars && blocks_done.fetch_add(1) + 1 == blocks_before + blocks) {
                        const Ohlcv* bars = candles.candles.data();
                        release_pages(reinterpret_cast<const char*>(bars + begin),
                                      reinterpret_cast<const char*>(bars + begin + n));
                    }
                });
                if (g + 1 == groups) blocks_before += blocks;
            }
        }
    });
}

// The price, microstructure, book-level and funding cells of rows [from, to).
void Env::write_direct_columns(const BarList& candles, std::uint64_t from, std::uint64_t to,
                               const std::vector<std::size_t>& direct, LoadedData& data) const {
    const ObsSpec& o = spec_.observation;
    for (std::uint64_t r = from; r < to; ++r) {
        const BarView b(candles, r);
        const Ohlcv& c = b.c;
        double* row = data.obs.data() + r * data.dim;
        for (const std::size_t i : direct) {
            const Feature& f = o.features[i];
            row[i] = report_round(f.kind == Feature::Kind::Price ? price_value(c, f.price)
                                                                  : micro_value(b, f.micro, f.level.value_or(0)));
        }
        double* tail = row + o.features.size();
        for (std::uint32_t level = 0; level < o.include_book_levels; ++level) {
            *tail++ = report_round(at_or_zero(b.bid_px, level));
            *tail++ = report_round(at_or_zero(b.bid_sz, level));
            *tail++ = report_round(at_or_zero(b.ask_px, level));
            *tail++ = report_round(at_or_zero(b.ask_sz, level));
        }
        if (o.include_funding_oi) {
            *tail++ = report_round(b.funding.value_or(0.0));
            *tail++ = report_round(b.oi.value_or(0.0));
        }
    }
}

// The reference path: every indicator updated bar by bar, rows written in order.
void Env::fill_bar_by_bar(const BarList& candles, std::vector<IndicatorColumn>& columns, LoadedData& data) const {
    const ObsSpec& o = spec_.observation;
    const std::uint64_t rows = data.rows;
    // Resolve each indicator feature to the last column with the same key: equal keys
    // report the value of the last such column, as a per-bar map from key would.
    std::vector<std::size_t> slot_of_feature(o.features.size(), 0);
    {
        std::unordered_map<std::string_view, std::size_t> last_of_key;
        for (std::size_t k = 0; k < columns.size(); ++k) last_of_key[columns[k].key] = k;
        std::size_t k = 0;
        for (std::size_t i = 0; i < o.features.size(); ++i) {
            if (o.features[i].kind != Feature::Kind::Indicator) continue;
            slot_of_feature[i] = last_of_key[columns[k++].key];
        }
    }
    std::vector<double> values(columns.size(), 0.0);
    OrderBook book;  // reused bar after bar
    for (std::size_t r = 0; r < rows; ++r) {
        const BarView b(candles, r);
        const Ohlcv& c = b.c;
        BarContext ctx(c);
        fill_context(b, ctx, book);
        for (std::size_t k = 0; k < columns.size(); ++k) {
            IndicatorColumn& col = columns[k];
            const std::optional<double> v = col.indicator->update(ctx);
            if (!col.field) {
                values[k] = v.value_or(0.0);
                continue;
            }
            values[k] = 0.0;
            const std::vector<NamedOutput> outs = col.indicator->outputs();
            if (outs.empty()) continue;
            col.produced = true;
            for (const NamedOutput& out : outs) {
                if (out.name == *col.field) {
                    col.field_found = true;
                    values[k] = out.value;
                    break;
                }
            }
        }
        for (std::size_t i = 0; i < o.features.size(); ++i) {
            const Feature& f = o.features[i];
            double v = 0.0;
            switch (f.kind) {
                case Feature::Kind::Indicator: v = values[slot_of_feature[i]]; break;
                case Feature::Kind::Price: v = price_value(c, f.price); break;
                case Feature::Kind::Microstructure: v = micro_value(b, f.micro, f.level.value_or(0)); break;
            }
            data.obs.push_back(report_round(v));
        }
        for (std::uint32_t level = 0; level < o.include_book_levels; ++level) {
            data.obs.push_back(report_round(at_or_zero(b.bid_px, level)));
            data.obs.push_back(report_round(at_or_zero(b.bid_sz, level)));
            data.obs.push_back(report_round(at_or_zero(b.ask_px, level)));
            data.obs.push_back(report_round(at_or_zero(b.ask_sz, level)));
        }
        if (o.include_funding_oi) {
            data.obs.push_back(report_round(b.funding.value_or(0.0)));
            data.obs.push_back(report_round(b.oi.value_or(0.0)));
        }
        data.closes.push_back(c.close);
    }
}

// ---- episode -------------------------------------------------------------------------

namespace {

// Sharpe ratio of a pnl list: mean over population deviation, 0 without variance.
double sharpe_of(const std::vector<double>& h) {
    if (h.empty()) return 0.0;
    const double n = static_cast<double>(h.size());
    double sum = 0.0;
    for (double x : h) sum += x;
    const double mean = sum / n;
    double sq = 0.0;
    for (double x : h) sq += (x - mean) * (x - mean);
    const double var = sq / n;
    return var > 0.0 ? mean / std::sqrt(var) : 0.0;
}

}  // namespace

void Env::write_info(JsonWriter& w) const {
    w.key("info").begin_object();
    w.key("bar").number(report_round(static_cast<double>(cursor_)));
    w.key("equity").number(report_round(equity_));
    w.key("pos").number(report_round(position_));
    if (spec_.reward == RewardKind::Sharpe) w.key("sharpe").number(report_round(sharpe_of(pnl_history_)));
    w.key("step").number(report_round(static_cast<double>(steps_)));
    w.end_object();
}

std::expected<std::string, EnvError> Env::reset(std::optional<std::uint64_t> /*seed*/) {
    if (!data_) return std::unexpected(EnvError::no_data());
    clear_episode();
    if (data_->rows <= spec_.episode.warmup) return std::unexpected(EnvError::data("warmup exceeds the loaded dataset"));
    cursor_ = spec_.episode.warmup;
    started_ = true;
    JsonWriter w;
    w.begin_object().key("observation").begin_array();
    const double* row = data_->obs.data() + cursor_ * data_->dim;
    for (std::uint64_t i = 0; i < data_->dim; ++i) w.number(row[i]);
    w.end_array();
    write_info(w);
    w.end_object();
    return w.take();
}

std::expected<std::string, EnvError> Env::step(std::optional<double> action) {
    if (!action) return std::unexpected(EnvError::bad_action("missing action"));
    if (!data_) return std::unexpected(EnvError::no_data());
    if (!started_) return std::unexpected(EnvError::not_reset());
    const std::uint64_t t = cursor_;
    if (t + 1 >= data_->rows || steps_ >= spec_.episode.max_steps) return std::unexpected(EnvError::episode_done());

    const double a = *action;
    double position = 0.0;
    const ActionSpace& space = spec_.action_space;
    if (space.kind == ActionSpace::Kind::Discrete) {
        const bool integral = a - std::trunc(a) == 0.0;
        if (!(a >= 0.0) || !integral || a >= static_cast<double>(space.n))
            return std::unexpected(EnvError::bad_action("discrete action " + shortest_plain(a) + " not in 0.." +
                                                        std::to_string(space.n)));
        position = space.n >= 2 ? (a + a) / static_cast<double>(space.n - 1) - 1.0 : 0.0;
    } else {
        position = std::min(space.high, std::max(space.low, a));
    }

    const double c0 = data_->closes[t], c1 = data_->closes[t + 1];
    position_ = position;
    double reward = 0.0;
    switch (spec_.reward) {
        case RewardKind::Pnl: reward = position * (c1 - c0); break;
        case RewardKind::LogReturn: reward = position * std::log(c1 / c0); break;
        case RewardKind::Sharpe: {
            const double before = sharpe_of(pnl_history_);
            pnl_history_.push_back(position * (c1 - c0));
            reward = sharpe_of(pnl_history_) - before;
            break;
        }
    }
    equity_ = equity_ + reward;
    cursor_ = t + 1;
    steps_ += 1;

    JsonWriter w;
    w.begin_object().key("observation").begin_array();
    const double* row = data_->obs.data() + cursor_ * data_->dim;
    for (std::uint64_t i = 0; i < data_->dim; ++i) w.number(row[i]);
    w.end_array();
    w.key("reward").number(report_round(reward));
    w.key("terminated").boolean(t + 2 >= data_->rows);
    w.key("truncated").boolean(steps_ >= spec_.episode.max_steps);
    write_info(w);
    w.end_object();
    return w.take();
}

}  // namespace torvex::gym
