#include "gym_core/candle_split.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

#include "gym_core/phase_team.hpp"

namespace torvex::gym {

namespace {

// A character escapes the next one when it ends an odd run of backslashes, as the
// parser decides it: wherever the run stands, inside a string or not.
bool escaped_at(std::string_view text, std::size_t at) {
    std::size_t run = 0;
    while (run < at && text[at - 1 - run] == '\\') ++run;
    return run % 2 == 1;
}

// Commas are tallied at the depths a chunk may start below its list's bars: between
// bars, inside a bar, or inside the values nested in one. A chunk that starts deeper
// ends the cutting: what follows is read with the document's head.
constexpr int kDepths = 16;

// What one chunk holds, followed from each state at its start: h = 0 outside a string,
// h = 1 inside one. A character lies outside strings under exactly one of the two.
struct ChunkScan {
    bool odd_quotes = false;
    std::array<std::int64_t, 2> depth_change{};
    std::array<std::int64_t, 2> lowest{};
    // Per state and depth below the chunk's start (0, -1, ...): the first comma there,
    // and how many.
    std::array<std::array<std::size_t, kDepths>, 2> first_comma{};
    std::array<std::array<std::size_t, kDepths>, 2> commas{};
};

ChunkScan scan_chunk(std::string_view text, std::size_t from, std::size_t to) {
    ChunkScan s;
    std::array<std::int64_t, 2> depth{};
    bool in = false;  // inside a string, counted from state 0
    bool escape = escaped_at(text, from);
    const char* const p = text.data();
    for (std::size_t i = from; i < to; ++i) {
        if (escape) {
            escape = false;
            continue;
        }
        const int h = in ? 1 : 0;  // the state under which this character is outside strings
        switch (p[i]) {
            case '\\': escape = true; break;
            case '"': in = !in; break;
            case '{':
            case '[': ++depth[h]; break;
            case '}':
            case ']':
                --depth[h];
                s.lowest[h] = std::min(s.lowest[h], depth[h]);
                break;
            case ',':
                if (depth[h] <= 0 && depth[h] > -kDepths) {
                    const auto d = static_cast<std::size_t>(-depth[h]);
                    if (s.commas[h][d]++ == 0) s.first_comma[h][d] = i;
                }
                break;
            default: break;
        }
    }
    s.odd_quotes = in;
    s.depth_change = depth;
    return s;
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
    // between bars as a cut, and each piece holds one bar more than the commas between
    // bars inside it.
    CandleSplit split;
    split.list_open = list_open;
    bool in = false;
    std::int64_t depth = 0;  // below the list's bars: 0 between them, more inside one
    std::size_t pending = 1;  // bars of the piece being measured, counted so far
    for (std::size_t c = 0; c < chunks; ++c) {
        const ChunkScan& s = scans[c];
        const int h = in ? 1 : 0;
        if (depth < 0 || depth >= kDepths || depth + s.lowest[h] < 0) break;  // the list ends here
        const auto d = static_cast<std::size_t>(depth);
        const std::size_t commas = s.commas[h][d];
        if (c > 0 && commas > 0) {
            split.cuts.push_back(s.first_comma[h][d]);
            split.bars.push_back(pending);
            pending = commas;  // the cut's own comma opens the next piece's count with its first bar
        } else {
            pending += commas;
        }
        depth += s.depth_change[h];
        in = in != s.odd_quotes;
    }
    if (split.cuts.empty()) return std::nullopt;
    return split;
}

}  // namespace torvex::gym
