// The load: the bars of a command through every feature into the observation matrix.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>

#include "gym_core/env.hpp"
#include "gym_core/json_writer.hpp"
#include "gym_core/number_text.hpp"
#include "gym_core/phase_team.hpp"
#include "registry/registry.hpp"

#include <limits>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace torvex::gym {

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

// The derivatives snapshot of a bar with funding f and open interest oi, made in place.
void set_tick(std::optional<DerivativesTick>& out, const Ohlcv& c, double f, double oi) {
    DerivativesTick& t = out.emplace();
    t.funding_rate = f;
    t.mark_price = t.index_price = t.futures_price = c.close;
    t.open_interest = oi;
    t.ts = c.ts;
}

// Whether a bar carries a derivatives snapshot: funding or open interest, passing the
// checks.
bool has_tick(const BarView& b) {
    if (!b.funding && !b.oi) return false;
    const double f = b.funding.value_or(0.0), oi = b.oi.value_or(0.0);
    return is_finite(f) && is_finite(b.c.close) && b.c.close > 0.0 && is_finite(oi) && !(oi < 0.0);
}

// A bar's book and derivatives snapshot, where they pass the environment's checks.
void fill_context(const BarView& b, BarContext& ctx, OrderBook& book) {
    if (accept_book(b, book)) ctx.book = &book;
    if (has_tick(b)) set_tick(ctx.derivatives, b.c, b.funding.value_or(0.0), b.oi.value_or(0.0));
}

// Where a price field lies within a bar.
std::size_t price_offset(PriceField f) {
    switch (f) {
        case PriceField::Open: return offsetof(Ohlcv, open);
        case PriceField::High: return offsetof(Ohlcv, high);
        case PriceField::Low: return offsetof(Ohlcv, low);
        case PriceField::Close: return offsetof(Ohlcv, close);
        case PriceField::Volume: return offsetof(Ohlcv, volume);
    }
    return offsetof(Ohlcv, close);
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

// The book and derivatives snapshot of every bar of a chunk, built once and read by
// every indicator over those feeds. The books keep their storage from chunk to chunk.
// The snapshots are kept whole and copied as they are: one put together field by field
// for each indicator and bar was read back in wider loads than its fields had just been
// stored with, and each read waited on the stores.
class ChunkExtras {
public:
    // Rows of a chunk, with the books where an indicator reads the order book and the
    // snapshots where one reads funding (an indicator reads only its own feed).
    void resize(std::size_t rows, bool books, bool ticks) {
        if (books) {
            books_.resize(rows);
            has_book_.resize(rows);
        }
        if (ticks) ticks_.resize(rows);
    }
    // Rows [from, to) of the chunk whose first bar is `begin`.
    void build(const BarList& bars, std::size_t begin, std::size_t from, std::size_t to) {
        for (std::size_t r = from; r < to; ++r) {
            const BarView b(bars, begin + r);
            if (!books_.empty()) has_book_[r] = accept_book(b, books_[r]);
            if (ticks_.empty()) continue;
            ticks_[r].reset();
            if (has_tick(b)) set_tick(ticks_[r], b.c, b.funding.value_or(0.0), b.oi.value_or(0.0));
        }
    }
    void fill(std::size_t r, BarContext& ctx) const {
        if (!books_.empty() && has_book_[r]) ctx.book = &books_[r];
        if (!ticks_.empty()) ctx.derivatives = ticks_[r];
    }

private:
    std::vector<OrderBook> books_;
    std::vector<std::uint8_t> has_book_;
    std::vector<std::optional<DerivativesTick>> ticks_;
};

// The bars of a chunk as the column runs of indicators over the book or funding see
// them.
class LoadColumns final : public BarColumns {
public:
    LoadColumns(std::span<const Ohlcv> bars, std::span<const double> closes, const CandleColumns& fields,
                const ChunkExtras& extras)
        : BarColumns(bars, closes, fields), extras_(extras) {}
    bool has_extras() const override { return true; }
    void fill(std::size_t r, BarContext& ctx, OrderBook&) const override { extras_.fill(r, ctx); }

private:
    const ChunkExtras& extras_;
};

// The most rows a tile of whole rows holds, and the bytes it may take.
constexpr std::uint64_t kTileMaxRows = 64;
constexpr std::uint64_t kTileBytes = std::uint64_t{32} << 10;

// Where a chunk's rows of the matrix are written from: row k of the chunk is matrix
// row `first_row` + k, and indicator column `slot` of the scratch holds `chunk_rows`
// values.
struct ChunkCells {
    double* obs;
    std::uint64_t dim;
    std::uint64_t first_row;
    const double* scratch;
    std::uint64_t chunk_rows;
    std::span<const std::pair<std::size_t, std::size_t>> writes;  // (scratch column, feature position)
    std::span<const std::pair<std::size_t, PriceField>> prices;    // (feature position, field)
    const Ohlcv* bars;                                             // the chunk's bars
};

// Rows [from, to) of a chunk, column by column: the indicator cells from the scratch,
// and where `with_prices`, the price cells from the bars. Compiled twice, like the
// indicator loops, and taken in its wider build where the processor has it; every
// operation is exact either way, so the cells are the same.
TORVEX_INLINE_LOOP void write_cells_loop(const ChunkCells& m, std::uint64_t from, std::uint64_t to, bool with_prices) {
    double* const base = m.obs + m.first_row * m.dim;
    for (const auto& [slot, pos] : m.writes) {
        const double* __restrict src = m.scratch + slot * m.chunk_rows;
        double* __restrict dst = base + pos;
        for (std::uint64_t k = from; k < to; ++k) dst[k * m.dim] = report_round(src[k]);
    }
    if (!with_prices) return;
    for (const auto& [pos, field] : m.prices) {
        double* __restrict dst = base + pos;
        const std::size_t offset = price_offset(field);
        const char* src = reinterpret_cast<const char*>(m.bars) + offset;
        for (std::uint64_t k = from; k < to; ++k) {
            double x;
            std::memcpy(&x, src + k * sizeof(Ohlcv), sizeof x);
            dst[k * m.dim] = report_round(x);
        }
    }
}
#if TORVEX_WIDE_LOOPS
TORVEX_WIDE_TARGET void write_cells_wide(const ChunkCells& m, std::uint64_t from, std::uint64_t to, bool with_prices) {
    write_cells_loop(m, from, to, with_prices);
}
#endif
void write_cells(const ChunkCells& m, std::uint64_t from, std::uint64_t to, bool with_prices) {
#if TORVEX_WIDE_LOOPS
    if (wide_loops_available()) return write_cells_wide(m, from, to, with_prices);
#endif
    write_cells_loop(m, from, to, with_prices);
}

// Rows [from, to) of a chunk written whole, where one pass over the indicators gives
// every cell of a row: a few rows at a time are assembled in `tile` (a small row-major
// block that stays in the first-level cache), the indicator cells rounded a column's
// run at a time, and the rows then leave as one contiguous run of the matrix, streamed
// past the caches where `stream` (the matrix does not fit in them, and it is read only
// row by row, much later). The strided stores of the column order each touched a line
// of the matrix up to eight times and fetched it first; these write it once.
template <class RoundRun>
TORVEX_INLINE_LOOP void tile_cells_loop(const ChunkCells& m, double* __restrict tile, std::uint64_t k,
                                        std::uint64_t count, RoundRun round_run) {
    double rounded[kTileMaxRows];
    for (const auto& [slot, pos] : m.writes) {
        round_run(m.scratch + slot * m.chunk_rows + k, rounded, count);
        for (std::uint64_t r = 0; r < count; ++r) tile[r * m.dim + pos] = rounded[r];
    }
    for (const auto& [pos, field] : m.prices) {
        const char* src = reinterpret_cast<const char*>(m.bars + k) + price_offset(field);
        for (std::uint64_t r = 0; r < count; ++r) {
            double x;
            std::memcpy(&x, src + r * sizeof(Ohlcv), sizeof x);
            tile[r * m.dim + pos] = report_round(x);
        }
    }
}
void round_run_plain(const double* from, double* to, std::uint64_t count) {
    for (std::uint64_t r = 0; r < count; ++r) to[r] = report_round(from[r]);
}
#if TORVEX_WIDE_LOOPS && defined(__x86_64__)
// report_round of four cells: the same multiply, add, truncation and division in each
// lane, every candidate computed and one chosen by quiet compares (the compiler keeps
// the scalar form's branches, whose division may not be run early).
TORVEX_WIDE_TARGET inline __m256d round4_any(__m256d x) {
    const __m256d scale = _mm256_set1_pd(100000000.0);
    const __m256d half = _mm256_set1_pd(0.49999999999999994);
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d largest = _mm256_set1_pd(std::numeric_limits<double>::max());
    const __m256d scaled = _mm256_mul_pd(x, scale);
    const __m256d nudge = _mm256_or_pd(_mm256_and_pd(scaled, sign), half);  // copysign(half, scaled)
    const __m256d whole = _mm256_round_pd(_mm256_add_pd(scaled, nudge), _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    const __m256d rounded = _mm256_div_pd(whole, scale);
    const __m256d round_it = _mm256_cmp_pd(_mm256_andnot_pd(sign, scaled), largest, _CMP_LE_OQ);
    const __m256d finite = _mm256_cmp_pd(_mm256_andnot_pd(sign, x), largest, _CMP_LE_OQ);
    const __m256d kept = _mm256_blendv_pd(x, rounded, round_it);  // |x| above ~1.8e300 is integral
    return _mm256_and_pd(kept, finite);                            // 0.0 where x is not finite
}

// round4_any for the cells of every day: where all four scaled values lie below 2^60
// in magnitude (every |x| below about 1.1e10; no infinity, no NaN), only the rounding
// itself is left, and its division by 1e8 is taken as q = whole·y with y = 1e-8
// rounded, then q − (q·1e8 − whole)·y with both steps fused. That is the correctly
// rounded quotient, the division's own bits: q is within an ulp and a half of
// whole/1e8, so the fused correction lands within 2^-52 ulp of the quotient; and the
// quotient of an integer below 2^60 by 1e8 = 5^8·2^8 (under 2^34, so its ulp is 2^u
// with u at most -18) lies an odd multiple of 2^(u+7)/1e8 away from any point halfway
// between two doubles, never nearer. A zero keeps its sign: q·1e8 − whole is then +0
// and −(+0) + q is q. The division's throughput was what held up a matrix's cells.
TORVEX_WIDE_TARGET inline __m256d round4(__m256d x) {
    const __m256d scale = _mm256_set1_pd(100000000.0);
    const __m256d inverse = _mm256_set1_pd(1e-8);
    const __m256d half = _mm256_set1_pd(0.49999999999999994);
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d scaled = _mm256_mul_pd(x, scale);
    const __m256d signs = _mm256_and_pd(scaled, sign);
    const __m256d small = _mm256_cmp_pd(_mm256_xor_pd(scaled, signs), _mm256_set1_pd(0x1p60), _CMP_LT_OQ);
    if (_mm256_movemask_pd(small) != 15) [[unlikely]]
        return round4_any(x);
    const __m256d whole = _mm256_round_pd(_mm256_add_pd(scaled, _mm256_or_pd(signs, half)),
                                          _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    const __m256d q = _mm256_mul_pd(whole, inverse);
    const __m256d residue = _mm256_fmsub_pd(q, scale, whole);  // exact
    return _mm256_fnmadd_pd(residue, inverse, q);
}

TORVEX_WIDE_TARGET void round_run_wide(const double* from, double* to, std::uint64_t count) {
    std::uint64_t r = 0;
    for (; r + 4 <= count; r += 4) _mm256_storeu_pd(to + r, round4(_mm256_loadu_pd(from + r)));
    for (; r < count; ++r) to[r] = report_round(from[r]);
}

// Four indicator columns bound for four neighbouring cells of each row: four rows of
// each are rounded, turned into four runs of four cells and stored whole, instead of
// one cell at a time.
TORVEX_WIDE_TARGET void tile_four_columns(const double* const* columns, double* __restrict tile, std::uint64_t dim,
                                          std::uint64_t count) {
    std::uint64_t r = 0;
    for (; r + 4 <= count; r += 4) {
        const __m256d a = round4(_mm256_loadu_pd(columns[0] + r));
        const __m256d b = round4(_mm256_loadu_pd(columns[1] + r));
        const __m256d c = round4(_mm256_loadu_pd(columns[2] + r));
        const __m256d d = round4(_mm256_loadu_pd(columns[3] + r));
        const __m256d ab_even = _mm256_unpacklo_pd(a, b);  // a0 b0 a2 b2
        const __m256d ab_odd = _mm256_unpackhi_pd(a, b);   // a1 b1 a3 b3
        const __m256d cd_even = _mm256_unpacklo_pd(c, d);
        const __m256d cd_odd = _mm256_unpackhi_pd(c, d);
        _mm256_storeu_pd(tile + (r + 0) * dim, _mm256_permute2f128_pd(ab_even, cd_even, 0x20));
        _mm256_storeu_pd(tile + (r + 1) * dim, _mm256_permute2f128_pd(ab_odd, cd_odd, 0x20));
        _mm256_storeu_pd(tile + (r + 2) * dim, _mm256_permute2f128_pd(ab_even, cd_even, 0x31));
        _mm256_storeu_pd(tile + (r + 3) * dim, _mm256_permute2f128_pd(ab_odd, cd_odd, 0x31));
    }
    for (; r < count; ++r)
        for (std::size_t j = 0; j < 4; ++j) tile[r * dim + j] = report_round(columns[j][r]);
}

// One price field of `count` bars into a column of the tile: `src` is the field of the
// first bar, `to` the first row's cell. Four bars are rounded at a time.
TORVEX_WIDE_TARGET void tile_price_wide(const char* src, double* __restrict to, std::uint64_t dim,
                                        std::uint64_t count) {
    const auto field = [&](std::uint64_t r) {
        double x;
        std::memcpy(&x, src + r * sizeof(Ohlcv), sizeof x);
        return x;
    };
    std::uint64_t r = 0;
    for (; r + 4 <= count; r += 4) {
        const __m256d x = round4(_mm256_set_pd(field(r + 3), field(r + 2), field(r + 1), field(r)));
        const __m128d low = _mm256_castpd256_pd128(x), high = _mm256_extractf128_pd(x, 1);
        _mm_storel_pd(to + r * dim, low);
        _mm_storeh_pd(to + (r + 1) * dim, low);
        _mm_storel_pd(to + (r + 2) * dim, high);
        _mm_storeh_pd(to + (r + 3) * dim, high);
    }
    for (; r < count; ++r) to[r * dim] = report_round(field(r));
}

TORVEX_WIDE_TARGET void tile_cells_wide(const ChunkCells& m, double* __restrict tile, std::uint64_t k,
                                        std::uint64_t count) {
    // The writes are in order of position: four in a row whose positions follow one
    // another go together, any other alone.
    const std::size_t writes = m.writes.size();
    ChunkCells part = m;
    part.prices = {};
    for (std::size_t i = 0; i < writes;) {
        if (i + 4 <= writes && m.writes[i + 3].second == m.writes[i].second + 3) {
            const double* columns[4];
            for (std::size_t j = 0; j < 4; ++j) columns[j] = m.scratch + m.writes[i + j].first * m.chunk_rows + k;
            tile_four_columns(columns, tile + m.writes[i].second, m.dim, count);
            i += 4;
            continue;
        }
        part.writes = m.writes.subspan(i, 1);
        tile_cells_loop(part, tile, k, count, round_run_wide);
        i += 1;
    }
    for (const auto& [pos, field] : m.prices)
        tile_price_wide(reinterpret_cast<const char*>(m.bars + k) + price_offset(field), tile + pos, m.dim, count);
}
#endif
// The indicator and price cells of chunk rows [k, k + count) into the tile.
void tile_cells(const ChunkCells& m, double* tile, std::uint64_t k, std::uint64_t count) {
#if TORVEX_WIDE_LOOPS && defined(__x86_64__)
    if (wide_loops_available()) return tile_cells_wide(m, tile, k, count);
#endif
    tile_cells_loop(m, tile, k, count, round_run_plain);
}

// Copies `count` doubles to `to`, past the caches: streaming stores from the first
// aligned cell on, plain stores around them. They are of 32 bytes where the processor
// has them: half as many stores for the store queue to hold while memory takes them,
// so that the rounding of the next rows goes on beside.
#if TORVEX_WIDE_LOOPS && defined(__x86_64__)
TORVEX_WIDE_TARGET void stream_cells_wide(double* to, const double* from, std::uint64_t count) {
    std::uint64_t i = 0;
    for (; i < count && (reinterpret_cast<std::uintptr_t>(to + i) & 31) != 0; ++i) to[i] = from[i];
    for (; i + 4 <= count; i += 4) _mm256_stream_pd(to + i, _mm256_loadu_pd(from + i));
    for (; i < count; ++i) to[i] = from[i];
}
#endif
void stream_cells(double* to, const double* from, std::uint64_t count) {
#if TORVEX_WIDE_LOOPS && defined(__x86_64__)
    if (wide_loops_available()) return stream_cells_wide(to, from, count);
#endif
#if defined(__SSE2__)
    std::uint64_t i = 0;
    if (count > 0 && (reinterpret_cast<std::uintptr_t>(to) & 15) != 0) {
        to[0] = from[0];
        i = 1;
    }
    for (; i + 2 <= count; i += 2) _mm_stream_pd(to + i, _mm_loadu_pd(from + i));
    if (i < count) to[i] = from[i];
#else
    std::memcpy(to, from, count * sizeof(double));
#endif
}

EnvError matrix_too_large(std::uint64_t rows, std::uint64_t dim) {
    return EnvError::data("the observation matrix of " + std::to_string(rows) + " rows and " + std::to_string(dim) +
                          " columns does not fit in memory");
}

// The first column whose output field is refused: it named one, and the indicator
// published outputs without it.
std::optional<EnvError> field_refusal(const std::vector<IndicatorColumn>& columns) {
    for (const IndicatorColumn& col : columns)
        if (col.field && col.produced && !col.field_found)
            return EnvError::bad_spec("indicator '" + col.key + "' has no output field '" + *col.field + "'");
    return std::nullopt;
}

// field_refusal for a load that is refused anyway: only the columns that name a field
// run, bar by bar as a load feeds them, each until it publishes its field (it cannot be
// refused after that) or the bars end.
std::optional<EnvError> field_refusal_alone(const BarList& candles, std::vector<IndicatorColumn>& columns) {
    std::vector<IndicatorColumn*> open;
    for (IndicatorColumn& col : columns)
        if (col.field) open.push_back(&col);
    OrderBook book;  // reused bar after bar
    for (std::size_t r = 0; r < candles.size() && !open.empty(); ++r) {
        const BarView b(candles, r);
        BarContext ctx(b.c);
        fill_context(b, ctx, book);
        std::size_t kept = 0;
        for (IndicatorColumn* col : open) {
            col->indicator->update(ctx);
            const std::vector<NamedOutput> outs = col->indicator->outputs();
            col->produced = col->produced || !outs.empty();
            for (const NamedOutput& out : outs) col->field_found = col->field_found || out.name == *col->field;
            if (!col->field_found) open[kept++] = col;
        }
        open.resize(kept);
    }
    return field_refusal(columns);
}

EnvError short_warmup(std::uint64_t spec_warmup, std::uint64_t needed) {
    return EnvError::bad_spec("episode.warmup is " + std::to_string(spec_warmup) + " but the observation needs " +
                              std::to_string(needed) +
                              ": below that an indicator column is 0.0 because nothing has been produced yet, which "
                              "an agent cannot tell from a market reading of zero");
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

    if (auto fed = check_feeds(o.features, candles); !fed) return std::unexpected(fed.error());

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
    bool reused = false;  // the matrix's pages were written by an earlier load
    try {
        // Reused only where it is of about the size needed: no more pinned than that.
        if (spare_obs_.value.capacity() >= cells && spare_obs_.value.capacity() / 2 <= cells) {
            data.obs = std::move(spare_obs_.value);
            reused = true;
        }
        data.obs.clear();
        data.obs.reserve(cells);
        data.closes.reserve(rows);
    } catch (const std::bad_alloc&) {
        return std::unexpected(matrix_too_large(rows, dim));
    }
    // A warm-up the indicators cannot meet is known from them before they run (it does
    // not change as they run): refused without running the rest, after a missing output
    // field, which is refused first and which only the columns naming a field can show.
    std::uint64_t needed = 0;
    for (const IndicatorColumn& col : columns) needed = std::max(needed, col.indicator->warmup());
    if (needed > spec_.episode.warmup) {
        if (auto refused = field_refusal_alone(candles, columns)) return std::unexpected(std::move(*refused));
        return std::unexpected(short_warmup(spec_.episode.warmup, needed));
    }
    // Any other allocation that fails from here on is reported by the command as a
    // whole; the record is not touched before the load succeeds.
    if (reference_load_) {
        fill_bar_by_bar(candles, columns, data);
    } else {
        fill_by_columns(candles, columns, data, reused);
    }

    if (auto refused = field_refusal(columns)) return std::unexpected(std::move(*refused));
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
void Env::fill_by_columns(BarList& candles, std::vector<IndicatorColumn>& columns, LoadedData& data,
                          bool reused) const {
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
    std::vector<bool> reads_fields;  // the loop reads the candle columns
    bool reads_book = false, reads_funding = false;
    for (std::size_t k = 0; k < columns.size(); ++k) {
        if (positions[k].empty()) continue;
        runs.push_back(k);
        const std::optional<FeedClass> feed = feed_of(columns[k].name);
        needs_extras.push_back(!feed || *feed != FeedClass::Bar);
        reads_fields.push_back(columns[k].indicator->reads_candle_columns());
        reads_book = reads_book || !feed || *feed == FeedClass::OrderBook;
        reads_funding = reads_funding || !feed || *feed == FeedClass::Funding;
    }
    std::vector<std::pair<std::size_t, PriceField>> prices;  // the price features
    std::vector<std::size_t> micro;                          // positions of the microstructure features
    for (std::size_t i = 0; i < o.features.size(); ++i) {
        if (o.features[i].kind == Feature::Kind::Price) prices.emplace_back(i, o.features[i].price);
        if (o.features[i].kind == Feature::Kind::Microstructure) micro.push_back(i);
    }
    const bool book_cells = !micro.empty() || o.include_book_levels > 0 || o.include_funding_oi;
    const bool any_extras = std::find(needs_extras.begin(), needs_extras.end(), true) != needs_extras.end();

    // Chunk and group sizes: the scratch of a group over a chunk stays within
    // kScratchBytes. Chunks are shorter where indicators read the book or funding: the
    // chunk's snapshots, read by each of them in turn, then stay in cache.
    const std::uint64_t chunk_limit = any_extras ? 8192 : 32768;
    constexpr std::uint64_t kScratchBytes = std::uint64_t{16} << 20;
    constexpr std::uint64_t kBlockRows = 512;
    unsigned threads = usable_cpus();
    if (rows * (runs.size() + 1) < kParallelCells) threads = 1;
    // On one processor, shorter still where many indicators share a chunk, so that the
    // scratch columns are yet in cache when the rows are written from them. A team
    // keeps longer chunks: its members wait for one another at the end of every phase.
    constexpr std::uint64_t kCachedScratchBytes = std::uint64_t{256} << 10, kFewestChunkRows = 2048;
    const std::uint64_t cached_rows = kCachedScratchBytes / (sizeof(double) * std::max<std::size_t>(runs.size(), 1));
    const std::uint64_t chunk_rows = std::min<std::uint64_t>(
        rows, threads == 1 ? std::clamp<std::uint64_t>(cached_rows, kFewestChunkRows, chunk_limit) : chunk_limit);
    const std::size_t group =
        std::max<std::size_t>(1, std::min<std::uint64_t>(runs.size(), kScratchBytes / (sizeof(double) * chunk_rows)));
    const std::size_t groups = std::max<std::size_t>(1, (runs.size() + group - 1) / group);
    const std::uint64_t chunks = (rows + chunk_rows - 1) / chunk_rows;
    // A team with every indicator in one group runs them over a chunk while the rows of
    // the chunk before are written: the loops are bound by the processor, the writing
    // by memory, and one phase holds both. The chunk's inputs and its indicator
    // columns then have two sets, the chunk's and the one before's.
    const bool overlap = threads > 1 && groups == 1 && chunks > 1;
    const std::size_t sets = overlap ? 2 : 1;
    // Whether some loop of runs [first, first + count) reads the candle columns.
    const auto reads_fields_in = [&](std::size_t first, std::size_t count) {
        const auto from = reads_fields.begin() + static_cast<std::ptrdiff_t>(first);
        const auto to = from + static_cast<std::ptrdiff_t>(count);
        return std::find(from, to, true) != to;
    };
    const bool any_fields = reads_fields_in(0, runs.size());
    const bool closes_with_fields = reads_fields_in(0, std::min(group, runs.size()));
    std::vector<std::vector<double>> scratch(sets);
    // The candle columns of a chunk, built where a loop of the group reads them: each
    // such loop then reads the few fields it needs and the candle rule's answer.
    std::vector<CandleColumnStore> fields(sets);
    std::vector<ChunkExtras> extras(sets);
    for (std::size_t k = 0; k < sets; ++k) {
        scratch[k].resize(std::min(group, runs.size()) * chunk_rows);
        if (any_fields) fields[k].resize(chunk_rows);
        if (any_extras) extras[k].resize(chunk_rows, reads_book, reads_funding);
    }
    constexpr std::uint64_t kExtrasRows = 2048;

    // Matrix writes of a group: (scratch column, feature position), by position.
    std::vector<std::pair<std::size_t, std::size_t>> writes;

    // With every indicator in one group, each block's rows are written whole through a
    // tile of rows; rows too wide for a tile of a few take the column order.
    const std::uint64_t tile_rows =
        std::min<std::uint64_t>(kTileMaxRows, kTileBytes / (sizeof(double) * std::max<std::uint64_t>(dim, 1)));
    const bool tiled = groups == 1 && tile_rows >= 4 && dim > 0;  // a matrix without columns has no rows to copy
    // Rows are streamed past the caches into a matrix whose pages an earlier load
    // wrote, whatever its size: a plain store would first fetch each line it fills
    // (and the matrix is read only row by row, much later). Fresh pages are zeroed by
    // the system as they are first touched, which leaves their lines in cache for
    // plain stores to fill.
    const bool stream = reused;

    const bool drop_bars = rows * sizeof(Ohlcv) >= kDropBarsBytes;
    std::atomic<std::uint64_t> blocks_done{0};  // matrix blocks written in the last group
    PhaseTeam team(threads);
    const std::span<const Ohlcv> all_bars(candles.candles);
    const auto chunk_begin = [&](std::uint64_t c) { return c * chunk_rows; };
    const auto chunk_size = [&](std::uint64_t c) { return std::min(chunk_rows, rows - c * chunk_rows); };
    const auto blocks_of = [&](std::uint64_t c) { return (chunk_size(c) + kBlockRows - 1) / kBlockRows; };
    const auto pieces_of = [&](std::uint64_t c) { return (chunk_size(c) + kExtrasRows - 1) / kExtrasRows; };
    team.run([&](PhaseTeam& t) {
        std::vector<double> tile(tiled ? tile_rows * dim : 0);  // this member's
        // The closes first, as one column every close-only loop reads; where the first
        // group builds the candle columns, its pass over each chunk's candles takes
        // them instead, before any loop reads the chunk.
        constexpr std::uint64_t kCloseRows = 65536;
        if (!closes_with_fields)
            t.phase((rows + kCloseRows - 1) / kCloseRows, [&](std::size_t piece) {
                const std::uint64_t from = piece * kCloseRows, to = std::min(rows, from + kCloseRows);
                for (std::uint64_t r = from; r < to; ++r) data.closes[r] = candles.candles[r].close;
            });
        std::uint64_t blocks_before = 0;  // this member's count of the last group's earlier blocks
        for (std::size_t g = 0; g < groups; ++g) {
            const std::size_t first = g * group;
            const std::size_t count = std::min(group, runs.size() - std::min(first, runs.size()));
            const bool with_fields = reads_fields_in(first, count);
            const bool prepared = any_extras || with_fields;
            // One member lists the writes while the others wait at the next phase.
            t.phase(1, [&](std::size_t) {
                writes.clear();
                for (std::size_t i = 0; i < count; ++i)
                    for (const std::size_t pos : positions[runs[first + i]]) writes.emplace_back(i, pos);
                std::sort(writes.begin(), writes.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; });
            });
            // Piece `piece` of chunk c's book, funding and candle columns, into set k.
            const auto prepare = [&](std::uint64_t c, std::size_t k, std::size_t piece) {
                const std::uint64_t n = chunk_size(c), from = piece * kExtrasRows, to = std::min(n, from + kExtrasRows);
                if (any_extras) extras[k].build(candles, chunk_begin(c), from, to);
                if (with_fields)
                    fields[k].fill(all_bars.subspan(chunk_begin(c), n), from, to,
                                   g == 0 && closes_with_fields ? data.closes.data() + chunk_begin(c) : nullptr);
            };
            // Indicator i of the group over chunk c, from input set k into scratch set k.
            const auto run_indicator = [&](std::uint64_t c, std::size_t k, std::size_t i) {
                const std::uint64_t begin = chunk_begin(c), n = chunk_size(c);
                const std::span<const Ohlcv> chunk_bars = all_bars.subspan(begin, n);
                const CandleColumns chunk_fields = with_fields ? fields[k].view().subspan(0, n) : CandleColumns{};
                const std::span<const double> chunk_closes = std::span<const double>(data.closes).subspan(begin, n);
                IndicatorColumn& col = columns[runs[first + i]];
                ColumnRun run{std::span<double>(scratch[k].data() + i * chunk_rows, n),
                              col.field ? std::optional<std::string_view>(*col.field) : std::nullopt};
                if (needs_extras[first + i]) {
                    col.indicator->run_column(LoadColumns(chunk_bars, chunk_closes, chunk_fields, extras[k]), run);
                } else {
                    col.indicator->run_column(BarColumns(chunk_bars, chunk_closes, chunk_fields), run);
                }
                col.produced = col.produced || run.produced;
                col.field_found = col.field_found || run.field_found;
            };
            // Block `block` of chunk c's rows of the matrix, from scratch set k; the
            // chunk's earlier blocks in this group number `earlier` in all (for the
            // last group's count of the blocks done).
            const auto write_block = [&](std::uint64_t c, std::size_t k, std::size_t block, std::uint64_t earlier) {
                const std::uint64_t begin = chunk_begin(c), n = chunk_size(c);
                const ChunkCells cells{data.obs.data(), dim,    begin, scratch[k].data(), chunk_rows,
                                       writes,          prices, all_bars.data() + begin};
                const std::uint64_t from = block * kBlockRows, to = std::min(n, from + kBlockRows);
                if (tiled) {
                    // Fresh pages of the matrix come in one call per block, not a fault each.
                    if (!reused)
                        prefault_pages(reinterpret_cast<char*>(data.obs.data() + (begin + from) * dim),
                                       reinterpret_cast<char*>(data.obs.data() + (begin + to) * dim));
                    for (std::uint64_t r = from; r < to; r += tile_rows) {
                        const std::uint64_t rows_now = std::min(tile_rows, to - r);
                        tile_cells(cells, tile.data(), r, rows_now);
                        if (book_cells)
                            write_book_cells(candles, begin + r, begin + r + rows_now, micro, tile.data(), dim);
                        double* const dst = data.obs.data() + (begin + r) * dim;
                        if (stream) {
                            stream_cells(dst, tile.data(), rows_now * dim);
                        } else {
                            std::memcpy(dst, tile.data(), rows_now * dim * sizeof(double));
                        }
                    }
#if defined(__SSE2__)
                    if (stream) _mm_sfence();  // the streamed rows are seen before the block counts as done
#endif
                } else {
                    write_cells(cells, from, to, g == 0);
                    if (g == 0 && book_cells)
                        write_book_cells(candles, begin + from, begin + to, micro,
                                         data.obs.data() + (begin + from) * dim, dim);
                }
                // Once the last group has written every block of the chunk, a large
                // list lets go of the chunk's bars (the member that wrote the last
                // block does it), so the bars and the matrix are never both whole.
                if (g + 1 == groups && drop_bars && blocks_done.fetch_add(1) + 1 == earlier + blocks_of(c)) {
                    const Ohlcv* bars = candles.candles.data();
                    release_pages(reinterpret_cast<const char*>(bars + begin),
                                  reinterpret_cast<const char*>(bars + begin + n));
                }
            };
            if (overlap) {
                // Phase c runs the indicators over chunk c, writes the rows of chunk
                // c − 1 and prepares the inputs of chunk c + 1, each from its own set.
                if (prepared) t.phase(pieces_of(0), [&](std::size_t piece) { prepare(0, 0, piece); });
                for (std::uint64_t c = 0; c <= chunks; ++c) {
                    const std::size_t runs_now = c < chunks ? count : 0;
                    const std::size_t blocks_now = c > 0 ? blocks_of(c - 1) : 0;
                    const std::size_t pieces_now = prepared && c + 1 < chunks ? pieces_of(c + 1) : 0;
                    t.phase(runs_now + blocks_now + pieces_now, [&](std::size_t item) {
                        if (item < runs_now) return run_indicator(c, c % 2, item);
                        item -= runs_now;
                        if (item < blocks_now) return write_block(c - 1, (c - 1) % 2, item, blocks_before);
                        prepare(c + 1, (c + 1) % 2, item - blocks_now);
                    });
                    if (c > 0) blocks_before += blocks_now;
                }
                continue;
            }
            for (std::uint64_t c = 0; c < chunks; ++c) {
                if (prepared) t.phase(pieces_of(c), [&](std::size_t piece) { prepare(c, 0, piece); });
                t.phase(count, [&](std::size_t i) { run_indicator(c, 0, i); });
                t.phase(blocks_of(c), [&](std::size_t block) { write_block(c, 0, block, blocks_before); });
                if (g + 1 == groups) blocks_before += blocks_of(c);
            }
        }
    });
}

// The microstructure, book-level and funding cells of rows [from, to), into rows of
// `dim` cells from `out` (row `from`'s first cell). Bars without
// book lists, funding or open interest give 0.0 in every one of them.
void Env::write_book_cells(const BarList& candles, std::uint64_t from, std::uint64_t to,
                           const std::vector<std::size_t>& micro, double* out, std::uint64_t dim) const {
    const ObsSpec& o = spec_.observation;
    double* const obs = out - from * dim;  // row r of the bars at obs + r × dim
    const std::uint64_t tail = o.features.size(), tail_cells = dim - tail;
    if (candles.extra_of.size() <= from) {  // no bar from here on carries any
        for (std::uint64_t r = from; r < to; ++r) {
            double* row = obs + r * dim;
            for (const std::size_t i : micro) row[i] = 0.0;
            std::fill(row + tail, row + tail + tail_cells, 0.0);
        }
        return;
    }
    for (std::uint64_t r = from; r < to; ++r) {
        const BarView b(candles, r);
        double* row = obs + r * dim;
        for (const std::size_t i : micro) {
            const Feature& f = o.features[i];
            row[i] = report_round(micro_value(b, f.micro, f.level.value_or(0)));
        }
        double* cell = row + tail;
        for (std::uint32_t level = 0; level < o.include_book_levels; ++level) {
            *cell++ = report_round(at_or_zero(b.bid_px, level));
            *cell++ = report_round(at_or_zero(b.bid_sz, level));
            *cell++ = report_round(at_or_zero(b.ask_px, level));
            *cell++ = report_round(at_or_zero(b.ask_sz, level));
        }
        if (o.include_funding_oi) {
            *cell++ = report_round(b.funding.value_or(0.0));
            *cell++ = report_round(b.oi.value_or(0.0));
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

}  // namespace torvex::gym
