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

// The padded text buffer and the parser kept between the commands of one environment,
// so a step allocates nothing to be read. Let go of after any document that made them
// grow past kKeepBytes.
class ReadBuffers {
public:
    static constexpr std::size_t kKeepBytes = std::size_t{16} << 20;

    ReadBuffers();
    ~ReadBuffers();
    ReadBuffers(ReadBuffers&&) noexcept;
    ReadBuffers& operator=(ReadBuffers&&) noexcept;
    // A copy starts with buffers of its own: they hold nothing a later document reads.
    ReadBuffers(const ReadBuffers&);
    ReadBuffers& operator=(const ReadBuffers&) { return *this; }

    struct State;

private:
    friend std::expected<Command, std::string> read_command(std::string_view text, ReadBuffers& buffers);
    std::unique_ptr<State> state_;
};

std::expected<EnvSpec, std::string> read_env_spec(std::string_view text);
std::expected<Command, std::string> read_command(std::string_view text, ReadBuffers& buffers);
std::expected<Command, std::string> read_command(std::string_view text);

}  // namespace torvex::gym
