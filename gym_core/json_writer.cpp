#include "gym_core/json_writer.hpp"

namespace torvex::gym {

void JsonWriter::append_string(std::string_view s) {
    static constexpr char kHex[] = "0123456789abcdef";
    out_ += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case 8: out_ += "\\b"; break;
            case 9: out_ += "\\t"; break;
            case 10: out_ += "\\n"; break;
            case 12: out_ += "\\f"; break;
            case 13: out_ += "\\r"; break;
            default:
                if (c < 32) {
                    out_ += "\\u00";
                    out_ += kHex[c >> 4];
                    out_ += kHex[c & 15];
                } else {
                    out_ += ch;
                }
        }
    }
    out_ += '"';
}

}  // namespace torvex::gym
