// Reads specification and command documents into typed records. Every reader message
// names what was wrong and where ("... at line L column C"); every document is
// validated whole, including values under keys that no record reads.
#pragma once

#include <cstddef>
#include <expected>
#include <memory>
#include <string>
#include <string_view>

#include "gym_core/records.hpp"

namespace torvex::gym {

// What the reading of one environment's commands keeps between them. The padded text
// buffer serves documents up to kKeepBytes, so a step allocates nothing to be read;
// after a larger document it is let go of at once, before the load that follows adds
// its matrix to the peak. The parser and the storage of a load's bars serve the next
// load, until a document of ordinary size comes (the reset or step that follows a
// load): one large load does not pin its memory for the episodes that use it.
class ReadBuffers {
public:
    static constexpr std::size_t kKeepBytes = std::size_t{16} << 20;

    ReadBuffers();
    ~ReadBuffers();
    ReadBuffers(ReadBuffers&&) noexcept;
    ReadBuffers& operator=(ReadBuffers&&) noexcept;
    // A copy starts with buffers of its own (they hold nothing a later document reads)
    // and reads as the original does.
    ReadBuffers(const ReadBuffers&);
    ReadBuffers& operator=(const ReadBuffers& other);

    // Documents from `from_bytes` on are read with their candle list cut into pieces
    // of about `piece_bytes` (0: chosen by the document's size and the team's), side
    // by side; SIZE_MAX reads every document as one. For tests: the answers are the same.
    void read_in_pieces(std::size_t from_bytes, std::size_t piece_bytes);

    // Takes back the bar list of a command once it has been served: its storage serves
    // the next command's bars, under the same rule as the buffers.
    void recycle(BarList&& bars);

    struct State;

private:
    friend std::expected<Command, std::string> read_command(std::string_view text, ReadBuffers& buffers);
    std::unique_ptr<State> state_;
};

std::expected<EnvSpec, std::string> read_env_spec(std::string_view text);
std::expected<Command, std::string> read_command(std::string_view text, ReadBuffers& buffers);
std::expected<Command, std::string> read_command(std::string_view text);

}  // namespace torvex::gym
