// A compact JSON writer: no whitespace, the response number format, minimal escapes.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "gym_core/number_text.hpp"

namespace torvex::gym {

class JsonWriter {
public:
    JsonWriter& begin_object() { return open('{'); }
    JsonWriter& end_object() { return close('}'); }
    JsonWriter& begin_array() { return open('['); }
    JsonWriter& end_array() { return close(']'); }

    JsonWriter& key(std::string_view k) {
        comma();
        append_string(k);
        out_ += ':';
        after_key_ = true;
        return *this;
    }
    JsonWriter& string(std::string_view s) {
        comma();
        append_string(s);
        return *this;
    }
    JsonWriter& number(double x) {
        comma();
        append_json_number(out_, x);
        return *this;
    }
    JsonWriter& integer(std::uint64_t n) {
        comma();
        char buf[24];
        out_.append(buf, static_cast<std::size_t>(std::to_chars(buf, buf + sizeof buf, n).ptr - buf));
        return *this;
    }
    JsonWriter& boolean(bool b) {
        comma();
        out_ += b ? "true" : "false";
        return *this;
    }

    std::string take() { return std::move(out_); }
    std::string& buffer() { return out_; }

private:
    JsonWriter& open(char c) {
        comma();
        out_ += c;
        first_ = true;
        return *this;
    }
    JsonWriter& close(char c) {
        out_ += c;
        first_ = false;
        return *this;
    }
    void comma() {
        if (after_key_) {
            after_key_ = false;
            return;
        }
        if (!first_) out_ += ',';
        first_ = false;
    }
    void append_string(std::string_view s);

    std::string out_;
    bool first_ = true;
    bool after_key_ = false;
};

}  // namespace torvex::gym
