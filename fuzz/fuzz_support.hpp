// Checks shared by the fuzz targets: a violated expectation stops the run with a
// message, so that the fuzzer keeps the input that caused it.
#pragma once

#include <simdjson.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "gym_core/env.hpp"

namespace torvex::fuzz {

inline void require(bool ok, const char* what, std::string_view detail = {}) {
    if (ok) return;
    std::fprintf(stderr, "fuzz expectation failed: %s: %.*s\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// A response is one JSON object; answers whether it is the error document.
inline bool require_document(const std::string& response) {
    static simdjson::dom::parser parser;
    simdjson::dom::element doc;
    require(!parser.parse(response).get(doc), "a response that is not JSON", response);
    simdjson::dom::object object;
    require(!doc.get_object().get(object), "a response that is not an object", response);
    bool ok = true;
    if (object["ok"].get_bool().get(ok)) return false;
    if (!ok) {
        std::string_view error;
        require(!object["error"].get_string().get(error) && !error.empty(), "an error document without a text",
                response);
    }
    return !ok;
}

}  // namespace torvex::fuzz
