// Where the candle list of a large command document may be cut into pieces that
// parsers read apart, side by side.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace torvex::gym {

// The cuts of one candle list. Piece 0 runs from just after the list's '[' to the
// first cut, piece j from just after cut j - 1 to cut j; what follows the last cut (the
// list's last bars and the rest of the document) is read with the document's head.
// Each cut is a comma between two bars of the list, outside any string. A document that breaks the grammar can mislead the cuts: the
// reader of the pieces checks what they hold, and reads the whole document as one on
// any doubt.
struct CandleSplit {
    std::size_t list_open = 0;        // offset of the list's '['
    std::vector<std::size_t> cuts;    // offsets of the commas between pieces, rising
};

// The offset of the '[' that opens the `candles` member of a command (an object's
// member, or the second value of the array form), found within the first `limit` bytes.
std::optional<std::size_t> find_candle_list(std::string_view text, std::size_t limit);

// Cuts the list that opens at `list_open` into pieces of about `piece_bytes` (rounded
// up to a multiple of 64). The text is scanned once, by chunks on a team of `members`
// threads, 64 characters at a time: each chunk's strings, escapes and nesting are
// followed from both possible states at its start (inside a string or not), and the
// states are joined in order afterwards; from the state at its start, each chunk's
// first comma between bars is its cut. Answers nothing where no cut is found.
std::optional<CandleSplit> split_candle_list(std::string_view text, std::size_t list_open, std::size_t piece_bytes,
                                             unsigned members);

// Cuts found without scanning the list: from every multiple of `piece_bytes` past the
// list's '[', the first comma that stands between a closing and an opening bracket of
// the same kind (blanks aside), as a comma between two bars does. Only a guess, which
// saves the scan where it holds: a comma like that inside a string or within a bar
// gives a piece that does not read as a list of bars, and the reader then takes the
// scanned cuts. Answers nothing where no cut is found.
std::optional<CandleSplit> guess_candle_cuts(std::string_view text, std::size_t list_open, std::size_t piece_bytes);

}  // namespace torvex::gym
