// Reads specification and command documents into typed records. Every reader message
// names what was wrong and where ("... at line L column C"); every document is
// validated whole, including values under keys that no record reads.
#pragma once

#include <expected>
#include <string>
#include <string_view>

#include "gym_core/records.hpp"

namespace torvex::gym {

std::expected<EnvSpec, std::string> read_env_spec(std::string_view text);
std::expected<Command, std::string> read_command(std::string_view text);

}  // namespace torvex::gym
