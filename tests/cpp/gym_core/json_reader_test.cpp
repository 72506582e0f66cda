// The document reader: long strings inside tagged records, read once, and the reader's
// own messages for faults that the parser reports.
#include <gtest/gtest.h>

#include <sys/mman.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>

#include "gym_core/json_reader.hpp"

namespace torvex::gym {
namespace {

std::string spec_with(const std::string& features, const std::string& action = R"({"type":"discrete","n":3})") {
    return R"({"dataset_ref":"d","symbol":"s","observation":{"features":[)" + features + R"(]},"action_space":)" +
           action + R"(,"reward":"pnl","episode":{"max_steps":10,"warmup":20}})";
}

// A text of `size` bytes with escapes in it, so that the unescaped text is shorter than
// the written one, and the text it stands for.
struct LongText {
    std::string written;
    std::string value;
};

LongText long_text(std::size_t size) {
    LongText t;
    while (t.written.size() < size) {
        t.written += "moving average \\n of the close \\u00e9 ";
        t.value += "moving average \n of the close \u00e9 ";
    }
    return t;
}

TEST(GymReaderLongStrings, EveryPositionOfATaggedRecordReadsOnce) {
    for (std::size_t size : {1u << 10, 1u << 12, 1u << 16, 1u << 20}) {
        const LongText t = long_text(size);
        const std::string q = "\"" + t.written + "\"";
        SCOPED_TRACE(size);

        // An ignored member's value, before and after the kind.
        auto spec = read_env_spec(spec_with(R"({"kind":"indicator","name":"Sma","params":[20],"description":)" + q +
                                            "}," + R"({"description":)" + q +
                                            R"(,"name":"Ema","params":[5],"kind":"indicator"})"));
        ASSERT_TRUE(spec) << spec.error();
        ASSERT_EQ(spec->observation.features.size(), 2u);
        EXPECT_EQ(spec->observation.features[0].name, "Sma");
        EXPECT_EQ(spec->observation.features[1].name, "Ema");
        EXPECT_EQ(spec->observation.features[1].params, std::vector<double>{5});

        // The indicator's name and field, kind last.
        spec = read_env_spec(spec_with(R"({"name":)" + q + R"(,"field":)" + q + R"(,"kind":"indicator"})"));
        ASSERT_TRUE(spec) << spec.error();
        EXPECT_EQ(spec->observation.features[0].name, t.value);
        EXPECT_EQ(spec->observation.features[0].field, t.value);

        // An ignored key, and a key written with escapes that spells the kind.
        spec = read_env_spec(spec_with("{" + q + R"(:1,"\u006bind":"price","field":"close"})"));
        ASSERT_TRUE(spec) << spec.error();
        EXPECT_EQ(spec->observation.features[0].kind, Feature::Kind::Price);
        EXPECT_EQ(spec->observation.features[0].price, PriceField::Close);

        // The array form.
        spec = read_env_spec(spec_with(R"(["indicator",)" + q + R"(,[1,2],)" + q + "]"));
        ASSERT_TRUE(spec) << spec.error();
        EXPECT_EQ(spec->observation.features[0].name, t.value);
        EXPECT_EQ(spec->observation.features[0].field, t.value);

        // The action space, both forms.
        spec = read_env_spec(spec_with("", R"({"note":)" + q + "," + q + R"(:[)" + q + R"(],"type":"discrete","n":4})"));
        ASSERT_TRUE(spec) << spec.error();
        EXPECT_EQ(spec->action_space.n, 4u);
        spec = read_env_spec(spec_with("", R"(["continuous",-1,1])"));
        ASSERT_TRUE(spec) << spec.error();
        EXPECT_EQ(spec->action_space.high, 1.0);

        // A long kind name is refused with the name as written.
        spec = read_env_spec(spec_with("", R"({"type":)" + q + "}"));
        ASSERT_FALSE(spec);
        EXPECT_EQ(spec.error().rfind("unknown variant `" + t.value + "`, expected `discrete` or `continuous` at", 0), 0u);

        // The command document holds no tagged record, but the same strings pass through it.
        auto cmd = read_command(R"({"x":)" + q + R"(,"cmd":)" + q + R"(,"candles":[{"ts":1,"open":1,"high":1,"low":1,"close":1,"vwap":)" + q + "}]}");
        ASSERT_TRUE(cmd) << cmd.error();
        EXPECT_EQ(cmd->cmd, t.value);
        EXPECT_EQ(cmd->candles.size(), 1u);
    }
}

// A tagged record with a fault among its members reports the first fault in document
// order, whichever pass finds it.
TEST(GymReaderLongStrings, FirstFaultInDocumentOrder) {
    const std::pair<std::string, std::string> cases[] = {
        {R"({"zz":"\q","kind":"price","kind":"price"})", "invalid escape at line 1 column 7"},
        {R"({"kind":"price","zz":tru,"kind":"price"})", "expected value at line 1 column 22"},
        {R"({"kind":"price","field":"close","kind":"price"})", "duplicate field `kind` at line 1 column 40"},
        {R"({"zz":[1,"\x"],"field":"close"})", "invalid escape at line 1 column 10"},
        {R"({"field":"close"})", "missing field `kind` at line 1 column 18"},
        {R"({"zz":"a","kind":7})", "invalid type: integer `7`, expected variant identifier at line 1 column 18"},
        {R"({"zz":"\q","kind":7})", "invalid escape at line 1 column 7"},
        {R"([])", "missing field `kind` at line 1 column 3"},
        {R"([7,"close"])", "invalid type: integer `7`, expected variant identifier at line 1 column 2"},
    };
    for (const auto& [feature, message] : cases) {
        const std::string doc = spec_with(feature);
        const std::string prefix = spec_with("");
        auto spec = read_env_spec(doc);
        ASSERT_FALSE(spec) << feature;
        // Columns are counted from the start of the document; shift them to the feature.
        const std::size_t offset = prefix.find("]}");
        const std::string where = " at line 1 column ";
        const std::size_t at = message.find(where);
        const std::size_t column = std::stoul(message.substr(at + where.size())) + offset;
        EXPECT_EQ(spec.error(), message.substr(0, at) + where + std::to_string(column)) << feature;
    }
}

// Faults the parser reports by a code alone get their own message, placed where the
// fault is in the text.
TEST(GymReaderMessages, ParserFaultsHaveTheirOwnMessages) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\"cmd\":\"x\x01y\"}", "control character (\\u0000-\\u001F) found while parsing a string at line 1 column 10"},
        {"{\"cmd\":\n  \"x\ty\"}", "control character (\\u0000-\\u001F) found while parsing a string at line 2 column 5"},
        {"{\"cmd\":\"a\\\"b\",\n\"x\":\"abc", "EOF while parsing a string at line 2 column 5"},
        {"{\"cmd\":\"ab\xff\"}", "invalid unicode code point at line 1 column 11"},
        {"{\"cmd\":\"\xe9t\xc3\xa9\xed\xa0\x80\"}", "invalid unicode code point at line 1 column 9"},
        {R"({"cmd":"reset","seed":18446744073709551616})",
         "invalid value: integer `18446744073709551616`, expected u64 at line 1 column 23"},
        {R"({"cmd":"reset","seed":-99999999999999999999})",
         "invalid value: integer `-99999999999999999999`, expected u64 at line 1 column 23"},
        {R"({"cmd":"load","candles":[{"ts":99999999999999999999,"open":1,"high":1,"low":1,"close":1}]})",
         "invalid value: integer `99999999999999999999`, expected i64 at line 1 column 32"},
        {R"({"cmd":"load","candles":[[-9223372036854775809,1,1,1,1]]})",
         "invalid value: integer `-9223372036854775809`, expected i64 at line 1 column 27"},
        {R"({"cmd":"load","candles":[[1,1e400,1,1,1]]})", "number out of range at line 1 column 29"},
        {R"({"cmd":"step","action":-2.5e+99999999999 })", "number out of range at line 1 column 24"},
        {R"({"cmd":"step","zz":[1e999]})", "number out of range at line 1 column 21"},
    };
    for (const auto& [doc, message] : cases) {
        auto cmd = read_command(doc);
        ASSERT_FALSE(cmd) << doc;
        EXPECT_EQ(cmd.error(), message) << doc;
    }
    // A 64-bit integer too large for a u32 member, and one too large for 64 bits.
    auto spec = read_env_spec(R"({"dataset_ref":"d","symbol":"s","observation":{"features":[]},)"
                              R"("action_space":{"type":"discrete","n":3},"reward":"pnl","episode":{"max_steps":99999999999999999999}})");
    ASSERT_FALSE(spec);
    EXPECT_EQ(spec.error(), "invalid value: integer `99999999999999999999`, expected u32 at line 1 column 142");
    // A big integer is still a number where a double is read.
    auto big = read_command(R"({"cmd":"step","action":123456789012345678901234567890})");
    ASSERT_TRUE(big) << big.error();
    EXPECT_EQ(big->action, 123456789012345678901234567890.0);
}

// A document beyond the parser's 32-bit positions is refused by its size, before its
// text is copied or read (the mapping is never touched).
TEST(GymReaderMessages, DocumentLargerThanTheReaderCanIndex) {
    const std::size_t size = (std::size_t{1} << 32) + 10;
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(text, MAP_FAILED);
    auto cmd = read_command(std::string_view(static_cast<const char*>(text), size));
    munmap(text, size);
    ASSERT_FALSE(cmd);
    EXPECT_EQ(cmd.error(), "the document of 4294967306 bytes is larger than the reader's limit of 4294967295 bytes");
}

}  // namespace
}  // namespace torvex::gym

namespace torvex::gym {
namespace {

// A large load, one bar per line: the reader lets go of the part of its copy it has
// read, so every bar must still come out as written and a fault near the end must
// still be placed by its line and column.
TEST(GymReaderLargeDocuments, BarsAndPlacesSurviveTheCopyLettingGo) {
    constexpr int kBars = 300'000;
    std::string doc = "{\"cmd\":\"load\",\"candles\":[\n";
    for (int i = 0; i < kBars; ++i) {
        const double close = 1000.0 + i * 0.25;
        doc += (i ? ",\n" : "") + std::string(R"({"ts":)") + std::to_string(i) + R"(,"open":)" +
               std::to_string(close) + R"(,"high":)" + std::to_string(close + 1) + R"(,"low":)" +
               std::to_string(close - 1) + R"(,"close":)" + std::to_string(close) + R"(,"volume":)" +
               std::to_string(i % 7) + "}";
    }
    doc += "\n]}";
    ASSERT_GT(doc.size(), std::size_t{16} << 20);
    ReadBuffers buffers;
    for (int round = 0; round < 2; ++round) {  // the second with the bar storage of the first
        auto cmd = read_command(doc, buffers);
        ASSERT_TRUE(cmd) << cmd.error();
        ASSERT_EQ(cmd->candles.size(), static_cast<std::size_t>(kBars));
        for (const int i : {0, 1, kBars / 2, kBars - 2, kBars - 1}) {
            const Ohlcv& c = cmd->candles.candles[static_cast<std::size_t>(i)];
            EXPECT_EQ(c.ts, i);
            EXPECT_EQ(c.close, 1000.0 + i * 0.25);
            EXPECT_EQ(c.high, c.close + 1);
            EXPECT_EQ(c.volume, i % 7);
        }
        buffers.recycle(std::move(cmd->candles));
    }
    // The last bar's volume written as a string: line kBars + 1 (the first line holds the
    // command), at the column of the value.
    std::string bad = doc;
    const std::size_t at = bad.rfind(R"("volume":)") + 9;
    bad.insert(at, "\"x\"");
    bad.erase(at + 3, bad.find('}', at) - (at + 3));
    const std::size_t line_start = bad.rfind('\n', at) + 1;
    auto refused = read_command(bad, buffers);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error(), "invalid type: string \"x\", expected f64 at line " + std::to_string(kBars + 1) +
                                   " column " + std::to_string(at - line_start + 1));
}

}  // namespace
}  // namespace torvex::gym

namespace torvex::gym {
namespace {

// Bars written as arrays read as the same bars written as objects, whether short (no
// volume), plain, or carrying more than the candle (read by the general path).
TEST(GymReaderArrayBars, SameBarsAsTheObjectForm) {
    const std::string arrays =
        R"({"cmd":"load","candles":[[1,2.5,3,2,2.75],[2,2.75,4,2.5,3.5,10],[3,3.5,3.5,1e-3,1,0,[3.4],[1],[3.6],[2]],)"
        R"([-4,1,1,1,1,-0.0],[5,1,1,1,1,7]]})";
    const std::string objects =
        R"({"cmd":"load","candles":[{"ts":1,"open":2.5,"high":3,"low":2,"close":2.75},)"
        R"({"ts":2,"open":2.75,"high":4,"low":2.5,"close":3.5,"volume":10},)"
        R"({"ts":3,"open":3.5,"high":3.5,"low":1e-3,"close":1,"volume":0,"bid_px":[3.4],"bid_sz":[1],"ask_px":[3.6],"ask_sz":[2]},)"
        R"({"ts":-4,"open":1,"high":1,"low":1,"close":1,"volume":-0.0},{"volume":7,"ts":5,"open":1,"high":1,"low":1,"close":1}]})";
    auto a = read_command(arrays);
    auto o = read_command(objects);
    ASSERT_TRUE(a) << a.error();
    ASSERT_TRUE(o) << o.error();
    ASSERT_EQ(a->candles.size(), 5u);
    ASSERT_EQ(o->candles.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const Ohlcv &x = a->candles.candles[i], &y = o->candles.candles[i];
        EXPECT_EQ(x.ts, y.ts) << i;
        for (const auto field : {&Ohlcv::open, &Ohlcv::high, &Ohlcv::low, &Ohlcv::close, &Ohlcv::volume})
            EXPECT_EQ(std::bit_cast<std::uint64_t>(x.*field), std::bit_cast<std::uint64_t>(y.*field)) << i;
        for (const auto list : {BarList::BidPx, BarList::BidSz, BarList::AskPx, BarList::AskSz}) {
            const auto lx = a->candles.list(i, list), ly = o->candles.list(i, list);
            EXPECT_TRUE(std::equal(lx.begin(), lx.end(), ly.begin(), ly.end())) << i;
        }
    }
    EXPECT_EQ(a->candles.candles[0].volume, 0.0);
    EXPECT_EQ(a->candles.list(2, BarList::AskSz).size(), 1u);
    // A fault inside an array bar keeps the general path's message and place.
    auto bad = read_command(R"({"cmd":"load","candles":[[1,2,3,1,2],[2,2,3,"1",2]]})");
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error(), "invalid type: string \"1\", expected f64 at line 1 column 45");
}

}  // namespace
}  // namespace torvex::gym
