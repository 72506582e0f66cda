#include "gym_core/json_reader.hpp"
#include "gym_core/large_buffer.hpp"
#include "gym_core/phase_team.hpp"

#include <simdjson.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <bit>
#include <cstring>
#include <functional>
#include <memory>
#include <new>

#include "gym_core/candle_split.hpp"
#include "gym_core/number_text.hpp"
#include "gym_core/plain_candle.hpp"

namespace torvex::gym {

namespace od = simdjson::ondemand;

// Documents from this size on are read with their candle list cut into pieces.
constexpr std::size_t kPiecesFromBytes = std::size_t{4} << 20;

// A piece of a candle list, read by one parser into bars of its own, joined to the
// command's list afterwards.
struct PieceRows {
    std::vector<Ohlcv, LargeBufferAllocator<Ohlcv>> candles;  // of the type of a bar list's, to be handed over
    std::vector<std::uint32_t> bar_of_extras;  // the piece's bar of each entry
    std::vector<BarList::Extras> extras;        // book spans within `pool`
    std::vector<double> pool;
};

// What a ReadBuffers keeps between documents: the padded copy of the text and the
// parser with its index.
struct ReadBuffers::State {
    std::unique_ptr<char[]> text;
    std::size_t capacity = 0;  // bytes of `text`, padding included
    od::parser parser;
    BarList spare_bars;  // storage for the next command's bars
    // For the reading of large documents in pieces: each member's parser and copy of
    // its piece, and each piece's bars.
    struct PieceMember {
        od::parser parser;
        std::vector<char> buffer;
    };
    std::vector<PieceMember> piece_members;
    std::vector<PieceRows> piece_rows;
    std::size_t pieces_from = kPiecesFromBytes;
    std::size_t piece_bytes = 0;  // 0: chosen by the document's size and the team's
};

namespace {

// Deeper documents are refused: no input may exhaust the stack.
constexpr int kMaxDepth = 128;

struct Failure {
    std::string message;
    const char* where = nullptr;  // position in the document, when known
    bool positioned = true;       // false for faults of the document as a whole
};
using Step = std::expected<void, Failure>;

std::unexpected<Failure> fail(std::string message, const char* where) {
    return std::unexpected(Failure{std::move(message), where});
}

std::string library_message(simdjson::error_code code) {
    switch (code) {
        case simdjson::DEPTH_ERROR: return "recursion limit exceeded";
        case simdjson::NUMBER_ERROR: return "invalid number";
        case simdjson::NUMBER_OUT_OF_RANGE: return "number out of range";
        case simdjson::STRING_ERROR: return "invalid escape";
        case simdjson::UNCLOSED_STRING: return "EOF while parsing a string";
        case simdjson::UTF8_ERROR: return "invalid unicode code point";
        case simdjson::EMPTY: return "EOF while parsing a value";
        case simdjson::T_ATOM_ERROR:
        case simdjson::F_ATOM_ERROR:
        case simdjson::N_ATOM_ERROR: return "expected ident";
        case simdjson::INCOMPLETE_ARRAY_OR_OBJECT: return "EOF while parsing a list or object";
        default: return "expected value";
    }
}

// Whether `text` is one JSON number as the grammar writes it.
bool json_number_syntax(std::string_view text) {
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > from;
    };
    if (i < text.size() && text[i] == '-') ++i;
    if (i < text.size() && text[i] == '0') {
        ++i;
    } else if (!digits()) {
        return false;
    }
    if (i < text.size() && text[i] == '.' && (++i, !digits())) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (!digits()) return false;
    }
    return i == text.size();
}

// How many objects and arrays `text` opens: one plain pass that the compiler turns
// into wide compares.
std::size_t count_containers(std::string_view text) {
    std::size_t n = 0;
    for (const char ch : text) n += static_cast<std::size_t>((ch == '{') | (ch == '['));
    return n;
}

// Faults that the parser finds while indexing the whole document, before any value is
// read, say only what went wrong; the place is found here by scanning the text.
Failure indexing_failure(std::string_view text, simdjson::error_code code) {
    const char* begin = text.data();
    switch (code) {
        case simdjson::UNCLOSED_STRING:
        case simdjson::UNESCAPED_CHARS: {
            const char* open = nullptr;  // the opening quote of the string being scanned
            for (std::size_t i = 0; i < text.size(); ++i) {
                const unsigned char c = static_cast<unsigned char>(text[i]);
                if (open == nullptr) {
                    if (c == '"') open = begin + i;
                } else if (c == '\\') {
                    ++i;
                } else if (c == '"') {
                    open = nullptr;
                } else if (c < 0x20 && code == simdjson::UNESCAPED_CHARS) {
                    return {"control character (\\u0000-\\u001F) found while parsing a string", begin + i};
                }
            }
            if (code == simdjson::UNCLOSED_STRING) return {"EOF while parsing a string", open};
            return {"control character (\\u0000-\\u001F) found while parsing a string", nullptr};
        }
        case simdjson::UTF8_ERROR: {
            std::size_t i = 0;
            while (i < text.size()) {
                const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
                const unsigned char c = byte(i);
                std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 0;
                if (len == 0 || i + len > text.size()) break;
                std::uint32_t cp = len == 1 ? c : c & (0x7F >> len);
                bool ok = true;
                for (std::size_t k = 1; k < len && ok; ++k) {
                    ok = (byte(i + k) & 0xC0) == 0x80;
                    cp = (cp << 6) | (byte(i + k) & 0x3F);
                }
                constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
                if (!ok || cp < kSmallest[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) break;
                i += len;
            }
            return {"invalid unicode code point", begin + std::min(i, text.size())};
        }
        case simdjson::MEMALLOC:
            return {"the document of " + std::to_string(text.size()) + " bytes does not fit in memory", nullptr,
                    false};
        case simdjson::CAPACITY:
            return {"the document of " + std::to_string(text.size()) + " bytes is larger than the reader's limit of " +
                        std::to_string(simdjson::SIMDJSON_MAXSIZE_BYTES) + " bytes",
                    nullptr, false};
        default: return {library_message(code), nullptr};
    }
}

class Reader {
public:
    // `text` is the padded copy being parsed; `origin`, the same bytes as the caller
    // holds them, which places a fault even after the copy's read part is let go of.
    Reader(std::string_view text, std::string_view origin) : text_(text), origin_(origin) {}
    explicit Reader(std::string_view text) : Reader(text, text) {}

    std::string finish(const Failure& f) const {
        if (!f.positioned) return f.message;
        const char* p = f.where;
        if (p == nullptr || p < text_.data() || p > text_.data() + text_.size()) p = last_;
        if (p == nullptr) p = text_.data();
        std::size_t line = 1, col = 1;
        const char* const end = origin_.data() + (p - text_.data());
        for (const char* c = origin_.data(); c < end; ++c) {
            if (*c == '\n') {
                ++line;
                col = 1;
            } else {
                ++col;
            }
        }
        return f.message + " at line " + std::to_string(line) + " column " + std::to_string(col);
    }

    // Marks the position of a value about to be read.
    const char* mark(od::value& v) {
        const std::string_view tok = v.raw_json_token();
        if (tok.data() != nullptr) last_ = tok.data();
        return last_;
    }

    const char* last() const { return last_; }
    std::size_t text_size() const { return text_.size(); }

    // Lets go of the pages of a large copy that lie wholly before `consumed` (with a
    // page to spare): the reading only goes forward, and faults are placed in the
    // caller's text. Keeps the reading's peak memory near the text's own size.
    void release_before(const char* consumed) {
        constexpr std::size_t kStep = std::size_t{4} << 20;
        if (text_.data() == origin_.data() || text_.size() < kStep) return;  // not a copy, or small
        if (released_ == nullptr) released_ = text_.data();
        constexpr std::size_t kMargin = std::size_t{64} << 10;
        if (consumed == nullptr || consumed < released_ + kStep + kMargin) return;
        const char* until = consumed - kMargin;
        release_pages(released_, until);
        released_ = until;
    }

    // How many objects and arrays the document opens: an upper bound on its records of
    // any kind, so lists can be reserved once instead of doubling. Counted when the
    // text was copied, or here.
    std::size_t containers() const {
        return containers_ ? *containers_ : count_containers(text_);
    }
    void set_containers(std::optional<std::size_t> n) { containers_ = n; }
    void set_last(const char* p) { last_ = p; }

    // serde-style description of a value found where something else was expected;
    // consumes the value.
    std::string describe(od::value& v) {
        od::json_type t;
        if (v.type().get(t)) return "value";
        switch (t) {
            case od::json_type::array: return "sequence";
            case od::json_type::object: return "map";
            case od::json_type::null: return "null";
            case od::json_type::boolean: {
                bool b = false;
                if (v.get_bool().get(b)) return "boolean";
                return std::string("boolean `") + (b ? "true" : "false") + "`";
            }
            case od::json_type::string: {
                std::string_view s;
                if (v.get_string().get(s)) return "string";
                return "string " + debug_quote(s);
            }
            case od::json_type::number: return describe_number(v);
        }
        return "value";
    }

    std::string describe_number(od::value& v) {
        od::number_type nt;
        if (!v.get_number_type().get(nt)) {
            if (nt == od::number_type::signed_integer) {
                std::int64_t i = 0;
                if (!v.get_int64().get(i)) return "integer `" + std::to_string(i) + "`";
            } else if (nt == od::number_type::unsigned_integer) {
                std::uint64_t u = 0;
                if (!v.get_uint64().get(u)) return "integer `" + std::to_string(u) + "`";
            }
        }
        double d = 0;
        if (v.get_double().get(d)) return "floating point";
        return "floating point `" + float_with_point(d) + "`";
    }

    static std::string debug_quote(std::string_view s) {
        std::string out = "\"";
        for (char c : s) {
            switch (c) {
                case '"': out += "\\\""; break;
                case '\\': out += "\\\\"; break;
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default: out += c;
            }
        }
        return out + "\"";
    }

    // The written text of a number value, without the blanks that follow it.
    static std::string_view number_text(od::value& v) {
        std::string_view t = v.raw_json_token();
        while (!t.empty() && (t.back() == ' ' || t.back() == '\t' || t.back() == '\n' || t.back() == '\r'))
            t.remove_suffix(1);
        return t;
    }

    // A number that could not be converted: a well-formed one lies beyond the range of
    // a double.
    static std::unexpected<Failure> number_fault(od::value& v, simdjson::error_code e, const char* at) {
        if (json_number_syntax(number_text(v))) return fail("number out of range", at);
        return fail(library_message(e), at);
    }

    // An integer that could not be converted to `expected` ("u64", "i64"): one written
    // with more digits than 64 bits hold is an invalid value, named as written.
    static std::unexpected<Failure> integer_fault(od::value& v, simdjson::error_code e, std::string_view expected,
                                                  const char* at) {
        const std::string_view text = number_text(v);
        if (json_number_syntax(text) && text.find_first_of(".eE") == std::string_view::npos)
            return fail("invalid value: integer `" + std::string(text) + "`, expected " + std::string(expected), at);
        return fail(library_message(e), at);
    }

    std::unexpected<Failure> invalid_type(od::value& v, std::string_view expected) {
        const char* at = mark(v);
        return fail("invalid type: " + describe(v) + ", expected " + std::string(expected), at);
    }

    // Calls `each(key, value)` for every member of an object, in document order.
    template <class Each>
    Step each_field(od::object& o, Each&& each) {
        for (auto f : o) {
            od::field fld;
            if (auto e = std::move(f).get(fld)) return fail(library_message(e), last_);
            std::string_view key;
            if (auto e = fld.unescaped_key().get(key)) return fail(library_message(e), last_);
            od::value x = fld.value();
            if (auto s = each(key, x); !s) return s;
        }
        return {};
    }

    // Calls `each(value)` for every element of an array, in order.
    template <class Each>
    Step each_item(od::array& a, Each&& each) {
        for (auto el : a) {
            od::value x;
            if (auto e = std::move(el).get(x)) return fail(library_message(e), last_);
            if (auto s = each(x); !s) return s;
        }
        return {};
    }

    // Walks a value nobody reads, so that a malformed one still fails the document.
    Step skip(od::value& v, int depth) {
        const char* at = mark(v);
        if (depth > kMaxDepth) return fail("recursion limit exceeded", at);
        od::json_type t;
        if (auto e = v.type().get(t)) return fail(library_message(e), at);
        switch (t) {
            case od::json_type::array: {
                od::array a;
                if (auto e = v.get_array().get(a)) return fail(library_message(e), at);
                return each_item(a, [&](od::value& x) { return skip(x, depth + 1); });
            }
            case od::json_type::object: {
                od::object o;
                if (auto e = v.get_object().get(o)) return fail(library_message(e), at);
                return each_field(o, [&](std::string_view, od::value& x) { return skip(x, depth + 1); });
            }
            case od::json_type::number: {
                double d;
                if (auto e = v.get_double().get(d)) return number_fault(v, e, at);
                return {};
            }
            case od::json_type::string: {
                std::string_view text;
                return check(v.get_string().get(text), at);
            }
            case od::json_type::boolean: {
                bool b;
                return check(v.get_bool().get(b), at);
            }
            case od::json_type::null: {
                bool n = false;
                if (auto e = v.is_null().get(n); e || !n) return fail("expected ident", at);
                return {};
            }
        }
        return {};
    }

    bool is_null(od::value& v) {
        od::json_type t;
        if (v.type().get(t) || t != od::json_type::null) return false;
        bool n = false;
        return !v.is_null().get(n) && n;
    }

    static Step check(simdjson::error_code e, const char* at) {
        if (e) return fail(library_message(e), at);
        return {};
    }

    // Marks the value and refuses one whose JSON type is not `want`.
    Step expect_type(od::value& v, od::json_type want, std::string_view expected) {
        const char* at = mark(v);
        od::json_type t;
        if (auto e = v.type().get(t)) return fail(library_message(e), at);
        if (t != want) return invalid_type(v, expected);
        return {};
    }

    Step read_string(od::value& v, std::string& out) {
        if (auto s = expect_type(v, od::json_type::string, "a string"); !s) return s;
        std::string_view text;
        if (auto s = check(v.get_string().get(text), last_); !s) return s;
        out.assign(text);
        return {};
    }

    Step read_bool(od::value& v, bool& out) {
        if (auto s = expect_type(v, od::json_type::boolean, "a boolean"); !s) return s;
        return check(v.get_bool().get(out), last_);
    }

    Step read_f64(od::value& v, double& out) {
        if (auto s = expect_type(v, od::json_type::number, "f64"); !s) return s;
        if (auto e = v.get_double().get(out)) return number_fault(v, e, last_);
        return {};
    }

    // Marks the value and refuses anything but a JSON integer; `kind` tells which.
    Step expect_integer(od::value& v, std::string_view expected, od::number_type& kind) {
        if (auto s = expect_type(v, od::json_type::number, expected); !s) return s;
        if (auto e = v.get_number_type().get(kind)) return integer_fault(v, e, expected, last_);
        if (kind == od::number_type::floating_point_number) return invalid_type(v, expected);
        return {};
    }

    static std::unexpected<Failure> invalid_integer(auto value, std::string_view expected, const char* at) {
        return fail("invalid value: integer `" + std::to_string(value) + "`, expected " + std::string(expected), at);
    }

    // Unsigned integers: only JSON integers within range; `bits` is 32 or 64.
    Step read_unsigned(od::value& v, std::uint64_t& out, int bits) {
        const char* name = bits == 32 ? "u32" : "u64";
        const std::uint64_t max = bits == 32 ? 4294967295ULL : UINT64_MAX;
        od::number_type kind = od::number_type::floating_point_number;
        if (auto s = expect_integer(v, name, kind); !s) return s;
        if (kind == od::number_type::signed_integer) {
            std::int64_t i = 0;
            if (auto e = v.get_int64().get(i)) return integer_fault(v, e, name, last_);
            if (i < 0 || static_cast<std::uint64_t>(i) > max) return invalid_integer(i, name, last_);
            out = static_cast<std::uint64_t>(i);
            return {};
        }
        if (auto e = v.get_uint64().get(out)) return integer_fault(v, e, name, last_);
        if (out > max) return invalid_integer(out, name, last_);
        return {};
    }

    Step read_u32(od::value& v, std::uint32_t& out) {
        std::uint64_t u = 0;
        if (auto r = read_unsigned(v, u, 32); !r) return r;
        out = static_cast<std::uint32_t>(u);
        return {};
    }

    Step read_i64(od::value& v, std::int64_t& out) {
        od::number_type kind = od::number_type::floating_point_number;
        if (auto s = expect_integer(v, "i64", kind); !s) return s;
        if (kind == od::number_type::unsigned_integer) {  // above the signed range
            std::uint64_t u = 0;
            if (auto e = v.get_uint64().get(u)) return integer_fault(v, e, "i64", last_);
            return invalid_integer(u, "i64", last_);
        }
        if (auto e = v.get_int64().get(out)) return integer_fault(v, e, "i64", last_);
        return {};
    }

    // Calls `each(element)` for every element of a JSON array, in order.
    template <class Each>
    Step for_each_element(od::value& v, Each&& each) {
        if (auto s = expect_type(v, od::json_type::array, "a sequence"); !s) return s;
        od::array a;
        if (auto s = check(v.get_array().get(a), last_); !s) return s;
        return each_item(a, each);
    }

    Step read_f64_list(od::value& v, std::vector<double>& out) {
        out.clear();
        return append_f64_list(v, out);
    }

    // Appends the numbers of a JSON array to `out`.
    Step append_f64_list(od::value& v, std::vector<double>& out) {
        return for_each_element(v, [&](od::value& x) -> Step {
            double d = 0;
            if (auto r = read_f64(x, d); !r) return r;
            out.push_back(d);
            return {};
        });
    }

    // A unit name, written as a string or as a map whose one key is the name and whose
    // value is null.
    Step read_name(od::value& v, std::span<const char* const> names, std::string_view expected_list,
                   bool allow_map, std::size_t& out) {
        const char* at = mark(v);
        od::json_type t;
        if (auto e = v.type().get(t)) return fail(library_message(e), at);
        std::string name;
        if (t == od::json_type::string) {
            if (auto r = read_string(v, name); !r) return r;
        } else if (allow_map && t == od::json_type::object) {
            od::object o;
            if (auto e = v.get_object().get(o)) return fail(library_message(e), at);
            std::size_t keys = 0;
            auto one_key = [&](std::string_view key, od::value& x) -> Step {
                if (++keys > 1) return fail("invalid value: map, expected map with a single key", at);
                name.assign(key);
                if (is_null(x)) return {};
                if (auto r = skip(x, 1); !r) return r;
                return fail("invalid type: map, expected unit variant", at);
            };
            if (auto r = each_field(o, one_key); !r) return r;
            if (keys == 0) return fail("invalid value: map, expected map with a single key", at);
        } else {
            return invalid_type(v, allow_map ? "string or map" : "variant identifier");
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (name == names[i]) {
                out = i;
                return {};
            }
        }
        return fail("unknown variant `" + name + "`, expected " + std::string(expected_list), at);
    }

    // Reads a record given as an object (any order, unknown keys skipped, duplicates
    // refused) or as an array (declaration order, defaulted trailing members optional).
    // `read_member(i, value)` reads member i.
    using MemberReader = std::function<Step(std::size_t, od::value&)>;

    struct RecordShape {
        std::string_view description;         // "struct EnvSpec"
        std::span<const char* const> members;  // in declaration order
        std::size_t required;                  // the first `required` members must be given
        std::string_view length_description;  // "struct EnvSpec with 7 elements"
        std::string_view tag_key = {};         // kind member of a tagged record, skipped here
    };

    // Reads a record given as an object (any order, unknown keys skipped, duplicates
    // refused) or as an array (declaration order, defaulted trailing members optional).
    Step read_record(od::value& v, const RecordShape& shape, const MemberReader& read_member, int depth) {
        const char* at = mark(v);
        if (depth > kMaxDepth) return fail("recursion limit exceeded", at);
        od::json_type t;
        if (auto e = v.type().get(t)) return fail(library_message(e), at);
        if (t == od::json_type::object) {
            od::object o;
            if (auto e = v.get_object().get(o)) return fail(library_message(e), at);
            return read_object_members(o, shape, read_member, depth);
        }
        if (t == od::json_type::array) {
            od::array a;
            if (auto e = v.get_array().get(a)) return fail(library_message(e), at);
            return read_array_members(a, shape, read_member);
        }
        return invalid_type(v, shape.description);
    }

    Step read_object_members(od::object& o, const RecordShape& shape, const MemberReader& read_member, int depth) {
        std::uint32_t seen = 0;
        auto member = [&](std::string_view key, od::value& x) -> Step {
            // The kind's value was read (and a second kind refused) by `read_tag`; it is
            // left untouched, since a string may be unescaped only once.
            if (!shape.tag_key.empty() && key == shape.tag_key) return Step{};
            std::size_t i = 0;
            while (i < shape.members.size() && key != shape.members[i]) ++i;
            if (i == shape.members.size()) return skip(x, depth + 1);
            if (seen & (1u << i)) return fail("duplicate field `" + std::string(key) + "`", mark(x));
            seen |= 1u << i;
            return read_member(i, x);
        };
        if (auto r = each_field(o, member); !r) return r;
        for (std::size_t i = 0; i < shape.required; ++i)
            if (!(seen & (1u << i))) return fail("missing field `" + std::string(shape.members[i]) + "`", here());
        return {};
    }

    Step read_array_members(od::array& a, const RecordShape& shape, const MemberReader& read_member) {
        std::size_t i = 0;
        bool skip_first = !shape.tag_key.empty();
        auto element = [&](od::value& x) -> Step {
            if (skip_first) {  // the kind's name, already read by `read_tag`
                skip_first = false;
                return Step{};
            }
            if (i >= shape.members.size()) return fail("trailing characters", mark(x));
            return read_member(i++, x);
        };
        if (auto r = each_item(a, element); !r) return r;
        if (i < shape.required)
            return fail("invalid length " + std::to_string(i) + ", expected " + std::string(shape.length_description),
                        here());
        return {};
    }

    // The position the parser stands at, or the last value read.
    const char* here() {
        const char* p = nullptr;
        if (doc_ != nullptr && !doc_->current_location().get(p)) return p;
        return last_;
    }
    void set_document(od::document* doc) { doc_ = doc; }

    // A tagged record's container, opened and rewound after its kind was read.
    struct Tagged {
        bool is_object = false;
        od::object object;
        od::array array;
    };

    // Whether an object key (raw, as written) equals `name` once unescaped. The key is
    // not unescaped into the parser's string buffer, which holds room for one pass over
    // the document: the record's members are unescaped later, each exactly once.
    std::expected<bool, Failure> raw_key_is(od::field& fld, std::string_view name) {
        const char* raw = fld.key().raw();
        std::size_t len = 0;
        bool escaped = false;
        while (raw[len] != '"') {
            if (raw[len] == '\\') {
                escaped = true;
                ++len;
            }
            ++len;
        }
        if (!escaped) return std::string_view(raw, len) == name;
        scratch_.resize(len + simdjson::SIMDJSON_PADDING);
        std::uint8_t* dst = scratch_.data();
        std::string_view key;
        if (auto e = parser_->unescape(fld.key(), dst).get(key)) return fail(library_message(e), last_);
        return key == name;
    }

    // Finds the kind name of a tagged record (object key `tag_key` anywhere, or the
    // first element of the array form) and rewinds the container for the members. Only
    // the kind's value is read here; every other value is read once, afterwards.
    Step read_tag(od::value& v, std::string_view tag_key, std::string_view enum_description,
                  std::span<const char* const> names, std::string_view expected_list, std::size_t& kind,
                  Tagged& container, int depth) {
        const char* at = mark(v);
        if (depth > kMaxDepth) return fail("recursion limit exceeded", at);
        od::json_type t;
        if (auto e = v.type().get(t)) return fail(library_message(e), at);
        if (t == od::json_type::array) {
            if (auto e = v.get_array().get(container.array)) return fail(library_message(e), at);
            bool found = false;
            for (auto el : container.array) {
                od::value x;
                if (auto e = std::move(el).get(x)) return fail(library_message(e), last_);
                found = true;
                if (auto s = read_name(x, names, expected_list, false, kind); !s) return s;
                break;
            }
            if (!found) return fail("missing field `" + std::string(tag_key) + "`", here());
            return check(container.array.reset().error(), at);
        }
        if (t != od::json_type::object) return invalid_type(v, enum_description);
        container.is_object = true;
        if (auto e = v.get_object().get(container.object)) return fail(library_message(e), at);
        std::size_t index = 0, tag_index = SIZE_MAX, failed_at = SIZE_MAX;
        Step outcome;
        for (auto f : container.object) {
            od::field fld;
            if (auto e = std::move(f).get(fld)) {
                outcome = fail(library_message(e), last_);
                failed_at = index;
                break;
            }
            auto is_tag = raw_key_is(fld, tag_key);
            if (is_tag && *is_tag && tag_index != SIZE_MAX)
                is_tag = std::unexpected(Failure{"duplicate field `" + std::string(tag_key) + "`", mark(fld.value())});
            if (is_tag && *is_tag) {
                tag_index = index;
                outcome = read_name(fld.value(), names, expected_list, false, kind);
            } else if (!is_tag) {
                outcome = std::unexpected(is_tag.error());
            }
            if (!outcome) {
                failed_at = index;
                break;
            }
            ++index;
        }
        if (outcome && tag_index == SIZE_MAX) {
            outcome = fail("missing field `" + std::string(tag_key) + "`", here());
            failed_at = index;
        }
        if (auto e = container.object.reset().error()) return fail(library_message(e), at);
        if (outcome) return outcome;
        // The members before the failure are checked now, so that the first fault in
        // document order is the one reported; the kind's own value was read already.
        std::size_t i = 0;
        auto earlier = [&](std::string_view, od::value& x) -> Step {
            if (i >= failed_at) return outcome;
            return i++ == tag_index ? Step{} : skip(x, depth + 1);
        };
        if (auto s = each_field(container.object, earlier); !s) return s;
        return outcome;
    }

    void set_parser(od::parser* parser) { parser_ = parser; }

private:
    std::string_view text_;
    std::string_view origin_;
    std::optional<std::size_t> containers_;
    const char* released_ = nullptr;  // the copy's pages before this are let go of
    const char* last_ = nullptr;
    od::document* doc_ = nullptr;
    od::parser* parser_ = nullptr;
    std::vector<std::uint8_t> scratch_;  // unescaped text of an escaped key
};

// Reads the members of a tagged record from its rewound container.
Step read_tagged(Reader& r, Reader::Tagged& c, const Reader::RecordShape& shape, const Reader::MemberReader& read,
                 int depth) {
    return c.is_object ? r.read_object_members(c.object, shape, read, depth)
                       : r.read_array_members(c.array, shape, read);
}

// ---- records ---------------------------------------------------------------------

constexpr const char* kFeatureKinds[] = {"indicator", "price", "microstructure"};
constexpr const char* kActionKinds[] = {"discrete", "continuous"};
constexpr const char* kRewardNames[] = {"pnl", "sharpe", "log_return"};

Step read_feature(Reader& r, od::value& v, Feature& out, int depth) {
    std::size_t kind = 0;
    Reader::Tagged c;
    if (auto s = r.read_tag(v, "kind", "internally tagged enum Feature", kFeatureKinds,
                            "one of `indicator`, `price`, `microstructure`", kind, c, depth);
        !s)
        return s;
    out.kind = static_cast<Feature::Kind>(kind);
    switch (out.kind) {
        case Feature::Kind::Indicator: {
            static constexpr const char* members[] = {"name", "params", "field"};
            return read_tagged(
                r, c,
                {"struct variant Feature::Indicator", members, 1, "struct variant Feature::Indicator with 3 elements",
                 "kind"},
                [&](std::size_t i, od::value& x) -> Step {
                    if (i == 0) return r.read_string(x, out.name);
                    if (i == 1) return r.read_f64_list(x, out.params);
                    if (r.is_null(x)) return {};
                    std::string f;
                    if (auto s = r.read_string(x, f); !s) return s;
                    out.field = std::move(f);
                    return {};
                },
                depth);
        }
        case Feature::Kind::Price: {
            static constexpr const char* members[] = {"field"};
            return read_tagged(
                r, c,
                {"struct variant Feature::Price", members, 1, "struct variant Feature::Price with 1 element", "kind"},
                [&](std::size_t, od::value& x) -> Step {
                    std::size_t f = 0;
                    if (auto s = r.read_name(x, kPriceFieldNames, "one of `open`, `high`, `low`, `close`, `volume`",
                                             true, f);
                        !s)
                        return s;
                    out.price = static_cast<PriceField>(f);
                    return {};
                },
                depth);
        }
        case Feature::Kind::Microstructure: {
            static constexpr const char* members[] = {"field", "level"};
            return read_tagged(
                r, c,
                {"struct variant Feature::Microstructure", members, 1,
                 "struct variant Feature::Microstructure with 2 elements", "kind"},
                [&](std::size_t i, od::value& x) -> Step {
                    if (i == 0) {
                        std::size_t f = 0;
                        if (auto s = r.read_name(x, kMicroFieldNames,
                                                 "one of `bid_px`, `bid_sz`, `ask_px`, `ask_sz`, `spread`, "
                                                 "`imbalance`, `funding`, `oi`",
                                                 true, f);
                            !s)
                            return s;
                        out.micro = static_cast<MicroField>(f);
                        return {};
                    }
                    if (r.is_null(x)) return {};
                    std::uint32_t level = 0;
                    if (auto s = r.read_u32(x, level); !s) return s;
                    out.level = level;
                    return {};
                },
                depth);
        }
    }
    return {};
}

Step read_action_space(Reader& r, od::value& v, ActionSpace& out, int depth) {
    std::size_t kind = 0;
    Reader::Tagged c;
    if (auto s = r.read_tag(v, "type", "internally tagged enum ActionSpace", kActionKinds,
                            "`discrete` or `continuous`", kind, c, depth);
        !s)
        return s;
    out.kind = static_cast<ActionSpace::Kind>(kind);
    if (out.kind == ActionSpace::Kind::Discrete) {
        static constexpr const char* members[] = {"n"};
        return read_tagged(r, c,
                           {"struct variant ActionSpace::Discrete", members, 1,
                            "struct variant ActionSpace::Discrete with 1 element", "type"},
                           [&](std::size_t, od::value& x) { return r.read_u32(x, out.n); }, depth);
    }
    static constexpr const char* members[] = {"low", "high"};
    return read_tagged(r, c,
                       {"struct variant ActionSpace::Continuous", members, 2,
                        "struct variant ActionSpace::Continuous with 2 elements", "type"},
                       [&](std::size_t i, od::value& x) { return r.read_f64(x, i == 0 ? out.low : out.high); },
                       depth);
}

Step read_obs_spec(Reader& r, od::value& v, ObsSpec& out, int depth) {
    static constexpr const char* members[] = {"features", "include_book_levels", "include_funding_oi"};
    return r.read_record(
        v, {"struct ObsSpec", members, 1, "struct ObsSpec with 3 elements"},
        [&](std::size_t i, od::value& x) -> Step {
            if (i == 1) return r.read_u32(x, out.include_book_levels);
            if (i == 2) return r.read_bool(x, out.include_funding_oi);
            out.features.clear();
            return r.for_each_element(x, [&](od::value& fv) -> Step {
                Feature& f = out.features.emplace_back();
                return read_feature(r, fv, f, depth + 2);
            });
        },
        depth);
}

Step read_optional_u64(Reader& r, od::value& x, std::optional<std::uint64_t>& out) {
    if (r.is_null(x)) {
        out.reset();
        return {};
    }
    std::uint64_t u = 0;
    if (auto s = r.read_unsigned(x, u, 64); !s) return s;
    out = u;
    return {};
}

Step read_spec_doc(Reader& r, od::value& v, EnvSpec& out) {
    static constexpr const char* members[] = {"dataset_ref", "symbol", "observation", "action_space",
                                              "reward",      "episode", "seed"};
    return r.read_record(
        v, {"struct EnvSpec", members, 6, "struct EnvSpec with 7 elements"},
        [&](std::size_t i, od::value& x) -> Step {
            switch (i) {
                case 0: return r.read_string(x, out.dataset_ref);
                case 1: return r.read_string(x, out.symbol);
                case 2: return read_obs_spec(r, x, out.observation, 2);
                case 3: return read_action_space(r, x, out.action_space, 2);
                case 4: {
                    std::size_t k = 0;
                    if (auto s = r.read_name(x, kRewardNames, "one of `pnl`, `sharpe`, `log_return`", true, k); !s)
                        return s;
                    out.reward = static_cast<RewardKind>(k);
                    return {};
                }
                case 5: {
                    static constexpr const char* ep[] = {"max_steps", "warmup"};
                    return r.read_record(
                        x, {"struct EpisodeSpec", ep, 1, "struct EpisodeSpec with 2 elements"},
                        [&](std::size_t j, od::value& y) {
                            return r.read_u32(y, j == 0 ? out.episode.max_steps : out.episode.warmup);
                        },
                        2);
                }
                default: return read_optional_u64(r, x, out.seed);
            }
        },
        1);
}

// Reads one bar into `c` and `extras`, its book lists appended to `pool`.
Step read_bar(Reader& r, od::value& v, Ohlcv& c, BarList::Extras& extras, std::vector<double>& pool) {
    static constexpr const char* members[] = {"ts",     "open",   "high",   "low",     "close", "volume",
                                              "bid_px", "bid_sz", "ask_px", "ask_sz", "funding", "oi"};
    std::optional<double>& funding = extras.funding;
    std::optional<double>& oi = extras.oi;
    std::array<BarList::Span, 4>& book = extras.book;
    const Reader::RecordShape shape{"struct Candle", members, 5, "struct Candle with 12 elements"};
    od::json_type type;
    od::object object;
    od::array array;
    bool rewound = false, rewound_array = false;
    if (!v.type().get(type)) {
        if (type == od::json_type::object) {
            r.mark(v);
            if (!v.get_object().get(object)) {
                if (read_plain_candle(object, c)) return {};
                rewound = !object.reset().error();
            }
        } else if (type == od::json_type::array) {
            r.mark(v);
            if (!v.get_array().get(array)) {
                if (read_plain_candle(array, c)) return {};
                rewound_array = !array.reset().error();
            }
        }
    }
    const Reader::MemberReader member = [&](std::size_t i, od::value& x) -> Step {
            switch (i) {
                case 0: return r.read_i64(x, c.ts);
                case 1: return r.read_f64(x, c.open);
                case 2: return r.read_f64(x, c.high);
                case 3: return r.read_f64(x, c.low);
                case 4: return r.read_f64(x, c.close);
                case 5: return r.read_f64(x, c.volume);
                case 6:
                case 7:
                case 8:
                case 9: {
                    const std::size_t offset = pool.size();
                    if (auto s = r.append_f64_list(x, pool); !s) return s;
                    book[i - 6] = {offset, pool.size() - offset};
                    return {};
                }
                default: {
                    std::optional<double>& slot = i == 10 ? funding : oi;
                    if (r.is_null(x)) {
                        slot.reset();
                        return {};
                    }
                    double d = 0;
                    if (auto s = r.read_f64(x, d); !s) return s;
                    slot = d;
                    return {};
                }
            }
    };
    return rewound         ? r.read_object_members(object, shape, member, 3)
           : rewound_array ? r.read_array_members(array, shape, member)
                           : r.read_record(v, shape, member, 3);
}

// Appends one bar to the list; a refused bar leaves nothing half-appended that a later
// reader could see, because the whole command then fails.
Step read_candle(Reader& r, od::value& v, BarList& bars) {
    Ohlcv& c = bars.candles.emplace_back(Ohlcv{});  // from a value: a field the bar lacks stays at its default
    BarList::Extras extras;
    if (auto s = read_bar(r, v, c, extras, bars.pool); !s) return s;
    if (extras.any()) {
        if (bars.extras.size() >= BarList::kNoExtras) throw std::bad_alloc();  // past any list an index can name
        bars.attach_extras(extras);
    }
    return {};
}

// The bars of a candle list read apart, in pieces, and where the list opens in the
// text that holds the rest of the document: there the list's own bars follow them.
struct Splice {
    const char* at = nullptr;
    BarList* bars = nullptr;
    bool used = false;
};

// `spare` lends its storage to the command's bars.
Step read_command_doc(Reader& r, od::value& v, Command& out, BarList& spare, Splice* splice = nullptr) {
    static constexpr const char* members[] = {"cmd", "candles", "action", "seed"};
    return r.read_record(
        v, {"struct Command", members, 1, "struct Command with 4 elements"},
        [&](std::size_t i, od::value& x) -> Step {
            switch (i) {
                case 0: return r.read_string(x, out.cmd);
                case 1: {
                    // Every bar is an object or an array of at least 12 characters. Running
                    // out of memory here is placed at the list.
                    if (splice != nullptr && !splice->used && r.mark(x) == splice->at) {
                        out.candles = std::move(*splice->bars);
                        splice->used = true;
                    } else {
                        out.candles = std::move(spare);
                        out.candles.clear();
                        r.mark(x);
                    }
                    out.candles.reserve(std::min(r.containers(), r.text_size() / 12 + 1));
                    return r.for_each_element(x, [&](od::value& cv) {
                        const Step s = read_candle(r, cv, out.candles);
                        r.release_before(r.last());
                        return s;
                    });
                }
                case 2: {
                    if (r.is_null(x)) {
                        out.action.reset();
                        return {};
                    }
                    double d = 0;
                    if (auto s = r.read_f64(x, d); !s) return s;
                    out.action = d;
                    return {};
                }
                default: return read_optional_u64(r, x, out.seed);
            }
        },
        1);
}

// Reads one whole indexed document: the record, then nothing but whitespace.
template <class T, class ReadFn>
std::expected<T, std::string> read_parsed(Reader& r, od::document& doc, std::string_view padded,
                                          std::string_view description, ReadFn read) {
    r.set_document(&doc);
    od::json_type t;
    if (auto e = doc.type().get(t)) return std::unexpected(r.finish({library_message(e), nullptr}));
    T out{};
    if (t != od::json_type::object && t != od::json_type::array) {
        std::string found = "value";
        switch (t) {
            case od::json_type::null: {
                bool n = false;
                if (doc.is_null().get(n) || !n) return std::unexpected(r.finish({"expected value", padded.data()}));
                found = "null";
                break;
            }
            case od::json_type::boolean: {
                bool b = false;
                if (doc.get_bool().get(b)) return std::unexpected(r.finish({"expected value", padded.data()}));
                found = std::string("boolean `") + (b ? "true" : "false") + "`";
                break;
            }
            case od::json_type::string: {
                std::string_view s;
                found = doc.get_string().get(s) ? "string" : "string " + Reader::debug_quote(s);
                break;
            }
            default: {
                double d = 0;
                std::int64_t i = 0;
                if (!doc.get_int64().get(i)) found = "integer `" + std::to_string(i) + "`";
                else if (!doc.get_double().get(d)) found = "floating point `" + float_with_point(d) + "`";
                else return std::unexpected(r.finish({"invalid number", padded.data()}));
            }
        }
        return std::unexpected(
            r.finish({"invalid type: " + found + ", expected " + std::string(description), padded.data()}));
    }
    od::value v;
    if (auto e = doc.get_value().get(v)) return std::unexpected(r.finish({library_message(e), nullptr}));
    if (auto s = read(r, v, out); !s) return std::unexpected(r.finish(s.error()));
    // Anything but whitespace after the document is refused.
    const char* rest = nullptr;
    if (!doc.current_location().get(rest)) return std::unexpected(r.finish({"trailing characters", rest}));
    return out;
}

// Copies the text into the padded buffer. A large copy is shared by a team of threads:
// much of its cost is the system zeroing the fresh pages it touches, which they do side
// by side, and each counts the containers of its piece while it is in cache (the
// count is returned then).
std::optional<std::size_t> copy_text(char* to, std::string_view text) {
    constexpr std::size_t kPiece = std::size_t{4} << 20;
    if (text.size() < 4 * kPiece) {  // asking for the processor count costs more than this
        std::memcpy(to, text.data(), text.size());
        return std::nullopt;
    }
    const std::size_t pieces = (text.size() + kPiece - 1) / kPiece;
    std::atomic<std::size_t> containers{0};
    PhaseTeam team(static_cast<unsigned>(std::min<std::size_t>(usable_cpus(), pieces)));
    team.run([&](PhaseTeam& t) {
        t.phase(pieces, [&](std::size_t i) {
            const std::size_t from = i * kPiece, size = std::min(kPiece, text.size() - from);
            std::memcpy(to + from, text.data() + from, size);
            containers.fetch_add(count_containers({to + from, size}));
        });
    });
    return containers.load();
}

template <class T, class ReadFn>
std::expected<T, std::string> read_document(std::string_view text, ReadBuffers::State& kept, std::string_view description,
                                            ReadFn read) {
    // The size is checked before the text is copied, and every allocation of the
    // reading is answered as a message: a document never ends the process.
    if (text.size() > simdjson::SIMDJSON_MAXSIZE_BYTES)
        return std::unexpected(indexing_failure(text, simdjson::CAPACITY).message);
    const std::size_t need = text.size() + simdjson::SIMDJSON_PADDING;
    if (kept.capacity < need) {
        kept.text.reset();
        kept.capacity = 0;
        kept.text.reset(new (std::nothrow) char[need]);
        if (!kept.text) return std::unexpected(indexing_failure(text, simdjson::MEMALLOC).message);
        kept.capacity = need;
    }
    const std::optional<std::size_t> containers = copy_text(kept.text.get(), text);
    std::memset(kept.text.get() + text.size(), 0, simdjson::SIMDJSON_PADDING);
    const std::string_view padded(kept.text.get(), text.size());
    Reader r(padded, text);
    r.set_containers(containers);
    od::document doc;
    r.set_parser(&kept.parser);
    if (auto e = kept.parser.iterate(kept.text.get(), text.size(), kept.capacity).get(doc))
        return std::unexpected(r.finish(indexing_failure(padded, e)));
    try {
        return read_parsed<T>(r, doc, padded, description, read);
    } catch (const std::bad_alloc&) {
        return std::unexpected(r.finish({"out of memory while reading the document", r.last()}));
    }
}

// Reads with the kept buffers, first letting go of the parser and the bar storage when
// they have grown past what a command of ordinary size needs and this document is of
// ordinary size.
template <class T, class ReadFn>
std::expected<T, std::string> read_kept(std::string_view text, ReadBuffers::State& kept, std::string_view description,
                                        ReadFn read) {
    if (text.size() + simdjson::SIMDJSON_PADDING <= ReadBuffers::kKeepBytes) {
        if (kept.spare_bars.storage_bytes() > ReadBuffers::kKeepBytes) kept.spare_bars = BarList{};
        if (kept.parser.capacity() > ReadBuffers::kKeepBytes) kept.parser = od::parser{};
        std::vector<ReadBuffers::State::PieceMember>().swap(kept.piece_members);
        std::vector<PieceRows>().swap(kept.piece_rows);
    }
    auto out = read_document<T>(text, kept, description, read);
    // After a large document the copy (mostly let go of already) is released before
    // the load builds its matrix, where it would add to the load's peak. The parser
    // stays, for the next large load.
    if (kept.capacity > ReadBuffers::kKeepBytes) {
        kept.text.reset();
        kept.capacity = 0;
    }
    return out;
}

// Reads piece `text` (bars without the list's brackets) as a list of at least one bar
// onto the end of `rows`; false on anything else, whose message the reading of the
// whole document will give.
bool read_piece(std::string_view text, PieceRows& rows, od::parser& parser, std::vector<char>& buffer) {
    const std::size_t need = text.size() + 2 + simdjson::SIMDJSON_PADDING;
    if (buffer.size() < need) return false;  // sized by the caller
    buffer[0] = '[';
    std::memcpy(buffer.data() + 1, text.data(), text.size());
    buffer[text.size() + 1] = ']';
    std::memset(buffer.data() + text.size() + 2, 0, simdjson::SIMDJSON_PADDING);
    const std::string_view padded(buffer.data(), text.size() + 2);
    od::document doc;
    if (parser.iterate(buffer.data(), padded.size(), buffer.size()).get(doc)) return false;
    Reader r(padded);
    r.set_parser(&parser);
    r.set_document(&doc);
    const std::size_t before = rows.candles.size();
    od::array list;
    if (doc.get_array().get(list)) return false;
    for (auto element : list) {
        od::value v;
        if (std::move(element).get(v)) return false;
        BarList::Extras extras;
        if (!read_bar(r, v, rows.candles.emplace_back(Ohlcv{}), extras, rows.pool)) return false;
        if (extras.any()) {
            if (rows.candles.size() > BarList::kNoExtras) return false;
            rows.bar_of_extras.push_back(static_cast<std::uint32_t>(rows.candles.size() - 1));
            rows.extras.push_back(extras);
        }
    }
    const char* rest = nullptr;
    return rows.candles.size() > before && doc.current_location().get(rest) != simdjson::SUCCESS;
}

// Reads a large command with its candle list cut into pieces that a team of parsers
// reads side by side, each piece straight into its bars' places; the rest of the
// document (its head, and the list's bars after the last cut) is read as one
// document around them. Answers nothing where the list is not cut or anything fails
// or looks amiss: the document is then read as one, which gives every message.
std::optional<Command> read_command_in_pieces(std::string_view text, const std::optional<CandleSplit>& split,
                                              ReadBuffers::State& kept, unsigned members) {
    if (!split) return std::nullopt;
    const std::size_t pieces = split->cuts.size();
    const std::size_t tail = split->cuts.back() + 1;  // the rest begins after the last cut

    std::vector<PieceRows>& rows = kept.piece_rows;  // their storage serves the next large load
    if (rows.size() < pieces) rows.resize(pieces);
    for (PieceRows& p : rows) {
        p.candles.clear();
        p.bar_of_extras.clear();
        p.extras.clear();
        p.pool.clear();
    }
    std::atomic<bool> failed{false};
    std::atomic<unsigned> next_member{0};
    const unsigned team_size = static_cast<unsigned>(std::min<std::size_t>(members, pieces));
    // A reader alone reads every piece in order onto the end of the first piece's rows,
    // whose bars then become the command's list as they are, without a copy.
    const bool alone = team_size == 1;
    if (kept.piece_members.size() < team_size) kept.piece_members.resize(team_size);
    // Storage is taken here, on the calling thread, before the team starts: memory that
    // the members took would come from pools of their own, whose address space the C
    // library keeps for the life of the process.
    std::size_t longest = 0;
    for (std::size_t j = 0; j < pieces; ++j) {
        const std::size_t from = j == 0 ? split->list_open + 1 : split->cuts[j - 1] + 1;
        longest = std::max(longest, split->cuts[j] - from);
        // A bar takes more than 32 characters, mostly.
        if (!alone) rows[j].candles.reserve((split->cuts[j] - from) / 32 + 1);
    }
    // Alone, the rows are the list: room for the bars after the last cut too, as below.
    if (alone) rows[0].candles.reserve((tail - split->list_open) / 32 + (text.size() - tail) / 12 + 2);
    for (unsigned m = 0; m < team_size; ++m) {
        ReadBuffers::State::PieceMember& pm = kept.piece_members[m];
        if (pm.buffer.size() < longest + 2 + simdjson::SIMDJSON_PADDING)
            pm.buffer.resize(longest + 2 + simdjson::SIMDJSON_PADDING);
        if (pm.parser.capacity() < longest + 2 && pm.parser.allocate(longest + 2)) throw std::bad_alloc();
    }
    // Where each piece's bars, extras and book values go in the command's lists.
    std::vector<std::size_t> first(pieces + 1, 0), extras_first(pieces + 1, 0), pool_first(pieces + 1, 0);
    BarList bars = std::move(kept.spare_bars);
    bars.clear();
    PhaseTeam team(team_size);
    team.run([&](PhaseTeam& t) {
        const unsigned member = next_member.fetch_add(1);
        od::parser& parser = kept.piece_members[member].parser;
        std::vector<char>& buffer = kept.piece_members[member].buffer;
        t.phase(pieces, [&](std::size_t j) {
            if (failed.load(std::memory_order_relaxed)) return;
            const std::size_t from = j == 0 ? split->list_open + 1 : split->cuts[j - 1] + 1;
            if (!read_piece(text.substr(from, split->cuts[j] - from), rows[alone ? 0 : j], parser, buffer))
                failed.store(true);
        });
        // One member sizes the command's lists; then each piece moves its bars in.
        t.phase(1, [&](std::size_t) {
            if (failed.load()) return;
            for (std::size_t j = 0; j < pieces; ++j) {
                first[j + 1] = first[j] + rows[j].candles.size();
                extras_first[j + 1] = extras_first[j] + rows[j].extras.size();
                pool_first[j + 1] = pool_first[j] + rows[j].pool.size();
            }
            if (extras_first[pieces] >= BarList::kNoExtras) {  // past any list an index can name
                failed.store(true);
                return;
            }
            if (alone) bars.candles.swap(rows[0].candles);  // in order already, whole
            bars.candles.reserve(first[pieces] + (text.size() - tail) / 12 + 1);
            bars.candles.resize(first[pieces]);
            if (extras_first[pieces] == 0) return;
            bars.extra_of.assign(first[pieces], BarList::kNoExtras);
            bars.extras.resize(extras_first[pieces]);
            bars.pool.resize(pool_first[pieces]);
        });
        t.phase(pieces, [&](std::size_t j) {
            if (failed.load(std::memory_order_relaxed)) return;
            PieceRows& p = rows[j];
            if (!alone) {
                // The list's pages were given back by the last load: each member has the
                // system provide its piece's pages in one call rather than fault on each,
                // all members at once on one address space.
                Ohlcv* const to = bars.candles.data() + first[j];
                prefault_pages(reinterpret_cast<char*>(to), reinterpret_cast<char*>(to + p.candles.size()));
                std::copy(p.candles.begin(), p.candles.end(), to);
            }
            std::copy(p.pool.begin(), p.pool.end(), bars.pool.begin() + static_cast<std::ptrdiff_t>(pool_first[j]));
            for (std::size_t k = 0; k < p.extras.size(); ++k) {
                BarList::Extras e = p.extras[k];
                for (BarList::Span& span : e.book) span.offset += pool_first[j];
                bars.extras[extras_first[j] + k] = e;
                bars.extra_of[first[j] + p.bar_of_extras[k]] = static_cast<std::uint32_t>(extras_first[j] + k);
            }
        });
    });
    if (failed.load()) {
        bars.clear();
        kept.spare_bars = std::move(bars);
        return std::nullopt;
    }

    // The head and the rest, as one document whose list holds the bars after the cut.
    const std::size_t head = split->list_open + 1;
    const std::size_t rest_size = head + (text.size() - tail);
    std::unique_ptr<char[]> rest(new char[rest_size + simdjson::SIMDJSON_PADDING]);
    std::memcpy(rest.get(), text.data(), head);
    std::memcpy(rest.get() + head, text.data() + tail, text.size() - tail);
    std::memset(rest.get() + rest_size, 0, simdjson::SIMDJSON_PADDING);
    const std::string_view padded(rest.get(), rest_size);
    Reader r(padded);
    r.set_parser(&kept.parser);
    od::document doc;
    if (kept.parser.iterate(rest.get(), rest_size, rest_size + simdjson::SIMDJSON_PADDING).get(doc))
        return std::nullopt;
    Splice splice{rest.get() + split->list_open, &bars};
    auto out = read_parsed<Command>(r, doc, padded, "struct Command", [&](Reader& rr, od::value& v, Command& c) {
        return read_command_doc(rr, v, c, kept.spare_bars, &splice);
    });
    if (!out || !splice.used) return std::nullopt;
    return std::move(*out);
}

}  // namespace

ReadBuffers::ReadBuffers() : state_(std::make_unique<State>()) {}
ReadBuffers::~ReadBuffers() = default;
ReadBuffers::ReadBuffers(ReadBuffers&&) noexcept = default;
ReadBuffers::ReadBuffers(const ReadBuffers& other) : ReadBuffers() { *this = other; }
ReadBuffers& ReadBuffers::operator=(const ReadBuffers& other) {
    if (this != &other) read_in_pieces(other.state_->pieces_from, other.state_->piece_bytes);
    return *this;
}
ReadBuffers& ReadBuffers::operator=(ReadBuffers&&) noexcept = default;

void ReadBuffers::read_in_pieces(std::size_t from_bytes, std::size_t piece_bytes) {
    state_->pieces_from = from_bytes;
    state_->piece_bytes = piece_bytes;
}

void ReadBuffers::recycle(BarList&& bars) {
    bars.clear();
    state_->spare_bars = std::move(bars);
}

std::expected<EnvSpec, std::string> read_env_spec(std::string_view text) {
    ReadBuffers::State once;
    return read_document<EnvSpec>(text, once, "struct EnvSpec",
                                  [](Reader& r, od::value& v, EnvSpec& out) { return read_spec_doc(r, v, out); });
}

std::expected<Command, std::string> read_command(std::string_view text, ReadBuffers& buffers) {
    ReadBuffers::State& kept = *buffers.state_;
    if (text.size() >= kept.pieces_from && text.size() <= simdjson::SIMDJSON_MAXSIZE_BYTES) {
        // On one processor too: the pieces are read in cache, and no copy of the whole
        // text is made.
        const unsigned members = usable_cpus();
        {
            constexpr std::size_t kHeadBytes = std::size_t{64} << 10;  // where the list must open
            if (const std::optional<std::size_t> open = find_candle_list(text, kHeadBytes)) {
                bool out_of_memory = false;
                try {
                    std::size_t piece_bytes = kept.piece_bytes;
                    if (piece_bytes == 0)
                        piece_bytes = std::clamp<std::size_t>(text.size() / (std::size_t{32} * members),
                                                              std::size_t{64} << 10, std::size_t{512} << 10);
                    // Cuts found without a scan of the list are tried first: a wrong one
                    // leaves a piece that does not read as a list of bars.
                    if (auto cmd = read_command_in_pieces(text, guess_candle_cuts(text, *open, piece_bytes), kept,
                                                          members))
                        return std::move(*cmd);
                    if (auto cmd = read_command_in_pieces(
                            text, split_candle_list(text, *open, piece_bytes, members), kept, members))
                        return std::move(*cmd);
                } catch (const std::bad_alloc&) {
                    out_of_memory = true;
                }
                std::vector<ReadBuffers::State::PieceMember>().swap(kept.piece_members);
                std::vector<PieceRows>().swap(kept.piece_rows);
                // As the reading as one does, running out of memory for the bars is placed at
                // their list: what the team's threads took is not all given back at once.
                if (out_of_memory) {
                    kept.spare_bars = BarList{};
                    return std::unexpected(
                        Reader(text).finish({"out of memory while reading the document", text.data() + *open}));
                }
            }
        }
    }
    return read_kept<Command>(text, kept, "struct Command", [&kept](Reader& r, od::value& v, Command& out) {
        return read_command_doc(r, v, out, kept.spare_bars);
    });
}

std::expected<Command, std::string> read_command(std::string_view text) {
    ReadBuffers once;
    return read_command(text, once);
}

}  // namespace torvex::gym
