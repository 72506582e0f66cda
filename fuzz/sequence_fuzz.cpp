// Fuzz target: a short sequence of documents, one per line. The first line is the
// specification (a fixed one when it is refused); each further line is a command. A
// command answered with the error document must leave the environment exactly as it
// was: its answers to every later command stay those of the environment before it.
// The one failure that changes the record is a reset refused for its warm-up, which
// clears the episode.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.hpp"

namespace {

using torvex::gym::Env;

constexpr std::string_view kDefaultSpec =
    R"({"dataset_ref":"fuzz","symbol":"X","observation":{"features":[{"kind":"indicator","name":"Sma","params":[3]},)"
    R"({"kind":"indicator","name":"BollingerBands","params":[3,2],"field":"upper"},{"kind":"price","field":"close"},)"
    R"({"kind":"microstructure","field":"bid_px","level":1}],"include_book_levels":1,"include_funding_oi":true},)"
    R"("action_space":{"type":"continuous","low":-1,"high":1},"reward":"sharpe","episode":{"max_steps":4,"warmup":3}})";

// What an environment answers to the commands that read every part of its state: the
// episode (two steps), and the data (a reset and a step after it). Runs on copies.
std::string observe(const Env& env) {
    Env episode = env;
    std::string seen = episode.command(R"({"cmd":"step","action":0.5})");
    seen += episode.command(R"({"cmd":"step","action":-1})");
    Env data = env;
    seen += data.command(R"({"cmd":"reset"})");
    seen += data.command(R"({"cmd":"step","action":1})");
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    while (!text.empty() && lines.size() < 9) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    if (lines.empty()) return 0;
    auto created = Env::create(lines[0]);
    if (!created) created = Env::create(kDefaultSpec);
    torvex::fuzz::require(created.has_value(), "the default specification");
    Env env = std::move(*created);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string before = observe(env);
        const std::string answer = env.command(lines[i]);
        if (!torvex::fuzz::require_document(answer)) continue;
        if (answer == R"({"error":"data: warmup exceeds the loaded dataset","ok":false})") continue;
        torvex::fuzz::require(observe(env) == before, "a failed command changed the environment", answer);
    }
    return 0;
}
