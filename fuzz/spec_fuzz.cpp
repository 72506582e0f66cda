// Fuzz target: a specification document. Construction answers an environment or an
// error, and a built environment answers its spec document.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto env = torvex::gym::Env::create(text);
    if (!env) {
        torvex::fuzz::require(!env.error().display().empty(), "an empty construction error");
        return 0;
    }
    // An observation of millions of book columns answers a spec document of hundreds
    // of MB: under the sanitizers that takes longer than the fuzzer's time limit, and
    // checking it as a tree takes more than its memory limit. Only its size grows
    // there, so the spec document is checked up to a million columns.
    if (torvex::gym::observation_dim(env->spec().observation) <= (std::uint64_t{1} << 20))
        torvex::fuzz::require_document(env->command(R"({"cmd":"spec"})"));
    torvex::fuzz::require_document(env->command(R"({"cmd":"version"})"));
    return 0;
}
