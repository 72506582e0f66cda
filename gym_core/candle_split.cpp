#include "gym_core/candle_split.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "gym_core/phase_team.hpp"

namespace torvex::gym {

namespace {

// Runs of backslashes longer than this before a chunk leave its start undecided: the
// cutting stops there rather than look back further.
constexpr std::size_t kLongestRun = std::size_t{64} << 10;

// A character escapes the next one when it ends an odd run of backslashes, as the
// parser decides it: wherever the run stands, inside a string or not. Nothing where the
// run before `at` is longer than kLongestRun.
std::optional<bool> escaped_at(std::string_view text, std::size_t at) {
    std::size_t run = 0;
    while (run < at && text[at - 1 - run] == '\\') {
        if (++run > kLongestRun) return std::nullopt;
    }
    return run % 2 == 1;
}

// What one chunk does to the state, followed from each state at its start: h = 0
// outside a string, h = 1 inside one. A character lies outside strings under exactly
// one of the two.
struct ChunkScan {
    bool decided = true;  // false where the chunk's first character may or may not be escaped
    bool odd_quotes = false;
    std::array<std::int64_t, 2> depth_change{};
};

// The bits of a block of 64 characters: backslashes, quotes, and opening and closing
// brackets of either kind.
struct BlockBits {
    std::uint64_t backslash = 0, quote = 0, open = 0, close = 0;
};

BlockBits block_bits(const char* p) {
    BlockBits b;
#if defined(__SSE2__)
    for (int k = 0; k < 4; ++k) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const __m128i folded = _mm_or_si128(v, _mm_set1_epi8(0x20));  // '[' to '{', ']' to '}'
        const auto bits = [](__m128i eq) {
            return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(eq)));
        };
        b.backslash |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8('\\'))) << (16 * k);
        b.quote |= bits(_mm_cmpeq_epi8(v, _mm_set1_epi8('"'))) << (16 * k);
        b.open |= bits(_mm_cmpeq_epi8(folded, _mm_set1_epi8('{'))) << (16 * k);
        b.close |= bits(_mm_cmpeq_epi8(folded, _mm_set1_epi8('}'))) << (16 * k);
    }
#else
    for (int i = 0; i < 64; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        const char c = p[i];
        if (c == '\\') b.backslash |= bit;
        if (c == '"') b.quote |= bit;
        if (c == '{' || c == '[') b.open |= bit;
        if (c == '}' || c == ']') b.close |= bit;
    }
#endif
    return b;
}

// The characters escaped by an odd run of backslashes, given whether the block's first
// character is escaped (`carry`, 0 or 1), which is set for the next block. A run's
// length is told by where it starts (even or odd place) and where adding its start
// bit carries out of it; a run escaped at the block's start counts one place over.
std::uint64_t escaped_bits(std::uint64_t backslash, std::uint64_t& carry) {
    constexpr std::uint64_t kEven = 0x5555555555555555ull, kOdd = ~kEven;
    const std::uint64_t starts = backslash & ~(backslash << 1);
    const std::uint64_t even_start_mask = kEven ^ carry;
    const std::uint64_t even_starts = starts & even_start_mask, odd_starts = starts & ~even_start_mask;
    const std::uint64_t even_carries = backslash + even_starts;
    std::uint64_t odd_carries = 0;
    const bool overflow = __builtin_add_overflow(backslash, odd_starts, &odd_carries);
    odd_carries |= carry;
    carry = overflow ? 1 : 0;
    const std::uint64_t even_ends = even_carries & ~backslash, odd_ends = odd_carries & ~backslash;
    return (even_ends & kOdd) | (odd_ends & kEven);
}

// Each bit the parity of the bits up to it: inside a string after an opening quote.
std::uint64_t prefix_xor(std::uint64_t x) {
    x ^= x << 1;
    x ^= x << 2;
    x ^= x << 4;
    x ^= x << 8;
    x ^= x << 16;
    x ^= x << 32;
    return x;
}

// The state carried from block to block of a chunk.
struct BlockState {
    std::uint64_t carry = 0;   // the next block's first character is escaped
    std::uint64_t inside = 0;  // all ones where the next block starts inside a string (from state 0)
    std::array<std::int64_t, 2> depth_change{};
};

inline void step_block(const BlockBits& b, BlockState& st) {
    const std::uint64_t escaped = escaped_bits(b.backslash, st.carry);
    const std::uint64_t strings = prefix_xor(b.quote & ~escaped) ^ st.inside;
    st.inside = static_cast<std::uint64_t>(static_cast<std::int64_t>(strings) >> 63);
    const std::uint64_t open = b.open & ~escaped, close = b.close & ~escaped;
    st.depth_change[0] += __builtin_popcountll(open & ~strings) - __builtin_popcountll(close & ~strings);
    st.depth_change[1] += __builtin_popcountll(open & strings) - __builtin_popcountll(close & strings);
}

void block_baseline(const char* p, BlockState& st) { step_block(block_bits(p), st); }

#if defined(__x86_64__) && defined(__GNUC__)
// The same on processors with AVX2 and a population count: two compares of 32
// characters per kind, and the counts one instruction each.
__attribute__((target("avx2,popcnt"))) void block_wide(const char* p, BlockState& st) {
    BlockBits b;
    for (int k = 0; k < 2; ++k) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * k));
        const __m256i folded = _mm256_or_si256(v, _mm256_set1_epi8(0x20));  // '[' to '{', ']' to '}'
        const auto at = static_cast<unsigned>(32 * k);
        b.backslash |= std::uint64_t{static_cast<std::uint32_t>(
                           _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('\\'))))} << at;
        b.quote |= std::uint64_t{static_cast<std::uint32_t>(
                       _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_set1_epi8('"'))))} << at;
        b.open |= std::uint64_t{static_cast<std::uint32_t>(
                      _mm256_movemask_epi8(_mm256_cmpeq_epi8(folded, _mm256_set1_epi8('{'))))} << at;
        b.close |= std::uint64_t{static_cast<std::uint32_t>(
                       _mm256_movemask_epi8(_mm256_cmpeq_epi8(folded, _mm256_set1_epi8('}'))))} << at;
    }
    step_block(b, st);
}
#endif

using BlockFn = void (*)(const char*, BlockState&);

BlockFn block_fn() {
#if defined(__x86_64__) && defined(__GNUC__)
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt")) return block_wide;
#endif
    return block_baseline;
}

ChunkScan scan_chunk(std::string_view text, std::size_t from, std::size_t to) {
    static const BlockFn block = block_fn();
    ChunkScan s;
    const std::optional<bool> escaped = escaped_at(text, from);
    if (!escaped) {
        s.decided = false;
        return s;
    }
    BlockState st;
    st.carry = *escaped ? 1 : 0;
    char last[64];
    for (std::size_t at = from; at < to; at += 64) {
        const char* p = text.data() + at;
        if (to - at < 64) {  // the chunk's last bytes, padded with blanks
            std::memset(last, ' ', sizeof last);
            std::memcpy(last, p, to - at);
            p = last;
        }
        block(p, st);
    }
    s.odd_quotes = st.inside != 0;
    s.depth_change = st.depth_change;
    return s;
}

// The first comma between the list's bars from `from` on, before `to`, given the
// state there (inside a string or not; `depth` below the bars); npos where there is
// none, or where the list ends first (`ended`).
std::size_t first_cut(std::string_view text, std::size_t from, std::size_t to, bool in, std::int64_t depth,
                      bool& ended) {
    bool escape = escaped_at(text, from).value_or(false);  // decided: its chunk's scan was
    for (std::size_t i = from; i < to; ++i) {
        if (escape) {
            escape = false;
            continue;
        }
        const char c = text[i];
        if (c == '\\') {
            escape = true;
        } else if (c == '"') {
            in = !in;
        } else if (!in) {
            if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (--depth < 0) {
                    ended = true;
                    return std::string_view::npos;
                }
            } else if (c == ',' && depth == 0) {
                return i;
            }
        }
    }
    return std::string_view::npos;
}

// Skips blanks from `i`.
std::size_t skip_blanks(std::string_view text, std::size_t i) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r')) ++i;
    return i;
}

}  // namespace

std::optional<std::size_t> find_candle_list(std::string_view text, std::size_t limit) {
    limit = std::min(limit, text.size());
    std::size_t i = skip_blanks(text, 0);
    if (i >= limit || (text[i] != '{' && text[i] != '[')) return std::nullopt;
    const bool object = text[i] == '{';
    std::size_t member = 0;  // values of the top container met so far
    int depth = 0;
    bool key_next = object;  // in the object form, the next string at depth 1 is a key
    std::string_view key;
    for (; i < limit; ++i) {
        const char c = text[i];
        if (c == '"') {  // a whole string: keys are compared as written
            const std::size_t open = i;
            for (++i; i < limit && text[i] != '"'; ++i)
                if (text[i] == '\\') ++i;
            if (i >= limit) return std::nullopt;
            if (depth == 1 && key_next) {
                key = text.substr(open + 1, i - open - 1);
                key_next = false;
            }
            continue;
        }
        if (c == '[' && depth == 1 && ((object && key == "candles") || (!object && member == 1))) return i;
        switch (c) {
            case '{':
            case '[': ++depth; break;
            case '}':
            case ']':
                if (--depth <= 0) return std::nullopt;
                break;
            case ',':
                if (depth == 1) {
                    ++member;
                    key_next = object;
                    key = {};
                }
                break;
            default: break;
        }
    }
    return std::nullopt;
}

std::optional<CandleSplit> split_candle_list(std::string_view text, std::size_t list_open, std::size_t piece_bytes,
                                             unsigned members) {
    const std::size_t start = list_open + 1;
    if (start >= text.size() || piece_bytes == 0) return std::nullopt;
    const std::size_t chunks = (text.size() - start + piece_bytes - 1) / piece_bytes;
    if (chunks < 2) return std::nullopt;
    std::vector<ChunkScan> scans(chunks);
    PhaseTeam team(static_cast<unsigned>(std::min<std::size_t>(members, chunks)));
    team.run([&](PhaseTeam& t) {
        t.phase(chunks, [&](std::size_t c) {
            const std::size_t from = start + c * piece_bytes;
            scans[c] = scan_chunk(text, from, std::min(text.size(), from + piece_bytes));
        });
    });

    // The states joined in order: the list's bars stand at depth 0 relative to its
    // '[', outside strings. Each chunk from the second on gives its first comma
    // between bars as a cut.
    CandleSplit split;
    split.list_open = list_open;
    bool in = false;
    std::int64_t depth = 0;  // below the list's bars: 0 between them, more inside one
    for (std::size_t c = 0; c < chunks; ++c) {
        const std::size_t from = start + c * piece_bytes, to = std::min(text.size(), from + piece_bytes);
        if (depth < 0 || !scans[c].decided) break;  // the list has ended, or the state is unknown
        if (c > 0) {
            bool ended = false;
            const std::size_t cut = first_cut(text, from, to, in, depth, ended);
            if (ended) break;
            if (cut != std::string_view::npos) split.cuts.push_back(cut);
        }
        const ChunkScan& s = scans[c];
        depth += s.depth_change[in ? 1 : 0];
        in = in != s.odd_quotes;
    }
    if (split.cuts.empty()) return std::nullopt;
    return split;
}

std::optional<CandleSplit> guess_candle_cuts(std::string_view text, std::size_t list_open, std::size_t piece_bytes) {
    const std::size_t start = list_open + 1;
    if (start >= text.size() || piece_bytes == 0) return std::nullopt;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    CandleSplit split;
    split.list_open = list_open;
    for (std::size_t from = start + piece_bytes; from < text.size(); from += piece_bytes) {
        const std::size_t to = std::min(text.size(), from + piece_bytes);
        for (std::size_t i = from; i < to; ++i) {
            const void* comma = std::memchr(text.data() + i, ',', to - i);
            if (!comma) break;
            i = static_cast<std::size_t>(static_cast<const char*>(comma) - text.data());
            std::size_t before = i, after = i + 1;
            while (before > start && blank(text[before - 1])) --before;
            while (after < text.size() && blank(text[after])) ++after;
            if (before == start || after == text.size()) continue;
            const char closing = text[before - 1], opening = text[after];
            if ((closing == '}' && opening == '{') || (closing == ']' && opening == '[')) {
                split.cuts.push_back(i);
                break;
            }
        }
    }
    if (split.cuts.empty()) return std::nullopt;
    return split;
}

}  // namespace torvex::gym
