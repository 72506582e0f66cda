// Large commands read with their candle list cut into pieces against the same commands
// read as one document and loaded bar by bar: the same answers, byte for byte, faults
// included, wherever a fault stands.
#include <gtest/gtest.h>
#include <sched.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "gym_core/candle_split.hpp"
#include "gym_core/env.hpp"
#include "gym_core/json_reader.hpp"
#include "gym_core/number_text.hpp"

namespace torvex::gym {
namespace {

constexpr std::size_t kPiece = 4096;

std::string num(double x) {
    std::string s;
    append_json_number(s, x);
    return s;
}

// A string value full of what a cut must not be taken for.
std::string tricky_string(std::mt19937_64& rng, std::size_t length) {
    static const char* parts[] = {"},{", "],[", "\\\"", "},{\\\"ts\\\":1,", "],[1,2,3,4,5],[", "\\\\", ", ", "x"};
    std::string s = "\"";
    while (s.size() < length) s += parts[rng() % std::size(parts)];
    return s + "\"";
}

// A list of bars in every form the reader takes: plain objects, objects with book
// lists, funding and strings under unknown keys, members in another order, arrays of
// five to twelve values, and blanks and line breaks between them.
std::string bars_document(std::mt19937_64& rng, int bars) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::string out = "{\"cmd\":\"load\",\n\"candles\":[";
    double price = 100.0;
    for (int i = 0; i < bars; ++i) {
        price *= 1.0 + (u(rng) - 0.5) * 0.01;
        const double open = price, close = price * 1.001, high = price * 1.01, low = price * 0.99;
        if (i) out += rng() % 7 == 0 ? ",\n  " : ",";
        const std::string ts = std::to_string(1'700'000'000'000LL + 60'000LL * i);
        const int form = static_cast<int>(rng() % 10);
        if (form <= 3) {
            out += R"({"ts":)" + ts + R"(,"open":)" + num(open) + R"(,"high":)" + num(high) + R"(,"low":)" +
                   num(low) + R"(,"close":)" + num(close) + R"(,"volume":)" + num(10 + i % 7) + "}";
        } else if (form == 4) {
            out += R"({"note":)" + tricky_string(rng, 8 + rng() % (rng() % 20 == 0 ? 6000 : 60)) + R"(,"ts":)" + ts +
                   R"(,"open":)" + num(open) + R"(,"high":)" + num(high) + R"(,"low":)" + num(low) + R"(,"close":)" +
                   num(close) + R"(,"extra":[{"a":"],["},[1,[2,{"b":"},{"}]]]})";
        } else if (form == 5) {
            out += R"({"close":)" + num(close) + R"(,"low":)" + num(low) + R"(,"ts":)" + ts + R"(,"high":)" +
                   num(high) + R"(,"open":)" + num(open) + R"(,"bid_px":[)" + num(low) + "," + num(low * 0.999) +
                   R"(],"bid_sz":[1,2],"ask_px":[)" + num(high) + R"(],"ask_sz":[3],"funding":)" +
                   num((u(rng) - 0.5) * 1e-3) + R"(,"oi":)" + num(1e5 + i) + "}";
        } else if (form <= 7) {
            out += "[" + ts + "," + num(open) + "," + num(high) + "," + num(low) + "," + num(close) +
                   (form == 6 ? "," + num(3) : "") + "]";
        } else if (form == 8) {
            out += "[" + ts + "," + num(open) + "," + num(high) + "," + num(low) + "," + num(close) + ",4,[" +
                   num(low) + "],[2],[" + num(high) + "],[1],null," + num(2e5) + "]";
        } else {
            out += R"({ "ts" : )" + ts + R"( , "open" : )" + num(open) + R"( , "high" : )" + num(high) +
                   R"( , "low" : )" + num(low) + R"( , "close" : )" + num(close) + " }";
        }
    }
    return out + "],\"seed\":7}";
}

const char* kSpec =
    R"({"dataset_ref":"d","symbol":"s","observation":{"features":[{"kind":"price","field":"close"},)"
    R"({"kind":"indicator","name":"Sma","params":[3]},{"kind":"microstructure","field":"spread"},)"
    R"({"kind":"indicator","name":"BollingerBands","params":[4,2],"field":"upper"}],)"
    R"("include_book_levels":2,"include_funding_oi":true},)"
    R"("action_space":{"type":"discrete","n":3},"reward":"sharpe","episode":{"max_steps":50,"warmup":5}})";

// The environment under test (pieces of kPiece bytes from `from` on), and the reference
// (every document read as one, loaded bar by bar); copies read as their originals.
struct Pair {
    Env pieces;
    Env whole;
};

Pair make_pair(std::size_t from) {
    auto a = Env::create(kSpec);
    auto b = Env::create(kSpec);
    EXPECT_TRUE(a && b);
    a->read_in_pieces(from, kPiece);
    b->use_reference_load(true);
    return {*a, *b};
}

// Both answer the document alike, and then the same episode.
void expect_same(Pair& p, const std::string& doc, const std::string& context) {
    const std::string a = p.pieces.command(doc), b = p.whole.command(doc);
    ASSERT_EQ(a, b) << context;
    std::string x = p.pieces.command(R"({"cmd":"reset"})"), y = p.whole.command(R"({"cmd":"reset"})");
    ASSERT_EQ(x, y) << context;
    for (int s = 0; s < 20 && x.find("\"error\"") == std::string::npos; ++s) {
        const std::string step = R"({"cmd":"step","action":)" + std::to_string(s % 3) + "}";
        x = p.pieces.command(step);
        y = p.whole.command(step);
        ASSERT_EQ(x, y) << context << " step " << s;
    }
}

TEST(PieceReader, CutsFallBetweenBarsOutsideStrings) {
    std::mt19937_64 rng(11);
    for (int trial = 0; trial < 20; ++trial) {
        const std::string doc = bars_document(rng, 3000);
        const auto open = find_candle_list(doc, 1 << 16);
        ASSERT_TRUE(open.has_value());
        EXPECT_EQ(doc.substr(*open - 10, 11), "\"candles\":[");
        const auto split = split_candle_list(doc, *open, kPiece, 4);
        ASSERT_TRUE(split.has_value());
        ASSERT_GT(split->cuts.size(), 10u);
        // Each piece read as a list of its own, and the rest read with the head, hold
        // between them every bar of the document read as one.
        auto whole = read_command(doc);
        ASSERT_TRUE(whole.has_value()) << whole.error();
        std::size_t counted = 0, from = *open + 1;
        for (const std::size_t cut : split->cuts) {
            ASSERT_EQ(doc[cut], ',');
            auto piece = read_command("{\"cmd\":\"x\",\"candles\":[" + doc.substr(from, cut - from) + "]}");
            ASSERT_TRUE(piece.has_value()) << piece.error() << " " << doc.substr(cut, 40);
            ASSERT_GT(piece->candles.size(), 0u);
            counted += piece->candles.size();
            from = cut + 1;
        }
        auto rest = read_command(doc.substr(0, *open + 1) + doc.substr(from));
        ASSERT_TRUE(rest.has_value()) << rest.error();
        EXPECT_EQ(counted + rest->candles.size(), whole->candles.size());
        Pair p = make_pair(1);
        expect_same(p, doc, "trial " + std::to_string(trial));
    }
}

// A run of backslashes too long to look back over leaves the state after it undecided:
// the cuts stop before it, and the rest is read with the head, to the same answers.
TEST(PieceReader, LongBackslashRunsEndTheCutting) {
    std::mt19937_64 rng(41);
    std::string doc = bars_document(rng, 600);
    const std::size_t mid = doc.find(R"({"ts":)", doc.size() / 2);
    ASSERT_NE(mid, std::string::npos);
    doc.insert(mid + 1, "\"note\":\"" + std::string(200'000, '\\') + "\",");
    const auto open = find_candle_list(doc, 1 << 16);
    ASSERT_TRUE(open.has_value());
    const auto split = split_candle_list(doc, *open, kPiece, 4);
    ASSERT_TRUE(split.has_value());
    EXPECT_GT(split->cuts.size(), 5u);
    EXPECT_LT(split->cuts.back(), mid + 100'000);
    Pair p = make_pair(1);
    expect_same(p, doc, "a long run of backslashes");
    std::string odd = doc;
    odd.insert(mid + 20, "\\");  // an odd run: the string's closing quote is escaped
    EXPECT_EQ(p.pieces.command(odd), p.whole.command(odd));
}

// Faults of every kind at every kind of place: in each piece, on each side of each cut,
// inside strings holding what looks like a cut, and at the last byte.
TEST(PieceReader, FaultsAnswerAsTheWholeDocument) {
    std::mt19937_64 rng(23);
    const std::string doc = bars_document(rng, 900);
    const auto open = find_candle_list(doc, 1 << 16);
    ASSERT_TRUE(open.has_value());
    const auto split = split_candle_list(doc, *open, kPiece, 4);
    ASSERT_TRUE(split.has_value());

    std::vector<std::size_t> places = {doc.size() - 1, doc.size() - 2, *open, *open + 1};
    std::size_t from = *open + 1;
    for (const std::size_t cut : split->cuts) {
        for (const std::size_t d : {0, 1, 2}) places.push_back(cut - d), places.push_back(cut + d);
        places.push_back((from + cut) / 2);  // inside the piece
        from = cut + 1;
    }
    for (std::size_t at = doc.find("\"note\":"); at != std::string::npos && places.size() < 260;
         at = doc.find("\"note\":", at + 1)) {
        const std::size_t inside = doc.find("},{", at + 8);
        places.push_back(at + 9);
        if (inside != std::string::npos) places.push_back(inside + 1);
    }
    // Each fault puts `text` in place of the `drop` bytes at a place.
    struct Fault {
        const char* name;
        std::size_t drop;
        const char* text;
    };
    const Fault faults[] = {
        {"a letter", 1, "x"},         {"a quote", 0, "\""},  {"a byte gone", 1, ""},
        {"a comma", 0, ","},          {"a closing brace", 0, "}"}, {"a control character", 1, "\x01"},
        {"a bad escape", 0, "\\q"}, {"a string value", 0, "\"v\":"},
    };
    Pair p = make_pair(1);
    int refused = 0, cases = 0;
    for (const std::size_t at : places) {
        for (const Fault& f : faults) {
            std::string bad = doc.substr(0, at);
            bad += f.text;
            bad += doc.substr(at + f.drop);
            const std::string context = std::string(f.name) + " at " + std::to_string(at);
            const std::string a = p.pieces.command(bad), b = p.whole.command(bad);
            ASSERT_EQ(a, b) << context;
            refused += a.find("\"ok\":false") != std::string::npos;
            ++cases;
        }
    }
    // Nearly every change breaks the document; the comparison covers the messages.
    EXPECT_GT(refused, cases * 3 / 4);
    // After all the refused documents, the data of neither changed: the same episodes.
    expect_same(p, doc, "the document itself");
}

// The process on the one processor it runs on, for the life of the guard: the reader
// then works alone.
class OneProcessor {
public:
    OneProcessor() {
        sched_getaffinity(0, sizeof saved_, &saved_);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        sched_setaffinity(0, sizeof one, &one);
    }
    ~OneProcessor() { sched_setaffinity(0, sizeof saved_, &saved_); }
    OneProcessor(const OneProcessor&) = delete;
    OneProcessor& operator=(const OneProcessor&) = delete;

private:
    cpu_set_t saved_;
};

// The reader guesses its cuts without a scan. In a list of plain bars every guess is
// a comma between two bars, one per piece; where strings and nested lists hold what
// looks like a cut, a misleading guess costs a second reading, never an answer.
TEST(PieceReader, GuessedCutsAnswerAsTheWholeDocument) {
    std::string plain = R"({"cmd":"load","candles":[)";
    for (int i = 0; i < 3000; ++i)
        plain += std::string(i ? (i % 5 == 0 ? " ,\n " : ",") : "") + R"({"ts":)" + std::to_string(i) +
                 R"(,"open":1.5,"high":2.25,"low":1,"close":2,"volume":)" + std::to_string(i % 9) + "}";
    plain += "]}";
    const auto open = find_candle_list(plain, 1 << 16);
    ASSERT_TRUE(open.has_value());
    const auto guess = guess_candle_cuts(plain, *open, kPiece);
    ASSERT_TRUE(guess.has_value());
    EXPECT_EQ(guess->cuts.size(), (plain.size() - *open - 1) / kPiece);
    std::size_t from = *open + 1, counted = 0;
    for (const std::size_t cut : guess->cuts) {
        ASSERT_EQ(plain[cut], ',');
        auto piece = read_command("{\"cmd\":\"x\",\"candles\":[" + plain.substr(from, cut - from) + "]}");
        ASSERT_TRUE(piece.has_value()) << piece.error() << " " << plain.substr(cut, 40);
        counted += piece->candles.size();
        from = cut + 1;
    }
    auto rest = read_command(plain.substr(0, *open + 1) + plain.substr(from));
    ASSERT_TRUE(rest.has_value()) << rest.error();
    EXPECT_EQ(counted + rest->candles.size(), 3000u);

    // A reader alone, and a team, which guesses the same cuts before it scans.
    for (const bool one_processor : {true, false}) {
        std::optional<OneProcessor> alone;
        if (one_processor) alone.emplace();
        const std::string who = one_processor ? "alone, " : "team, ";
        std::mt19937_64 rng(53);
        Pair p = make_pair(1);
        expect_same(p, plain, who + "plain bars");
        for (int trial = 0; trial < 8; ++trial) {
            const std::string doc = bars_document(rng, 2000);
            expect_same(p, doc, who + "trial " + std::to_string(trial));
            // Faults just before and after each guessed cut, where the guess is read.
            const auto open_at = find_candle_list(doc, 1 << 16);
            ASSERT_TRUE(open_at.has_value());
            const auto cuts = guess_candle_cuts(doc, *open_at, kPiece);
            ASSERT_TRUE(cuts.has_value());
            for (const std::size_t cut : cuts->cuts)
                for (const std::size_t at : {cut - 1, cut, cut + 1}) {
                    std::string bad = doc;
                    bad.insert(at, "\"");
                    ASSERT_EQ(p.pieces.command(bad), p.whole.command(bad)) << who << "trial " << trial << " at " << at;
                }
        }
    }
}

// At the reader's own threshold and piece size: a document of several megabytes.
TEST(PieceReader, LargeDocumentsAtTheDefaultSize) {
    std::mt19937_64 rng(31);
    const std::string doc = bars_document(rng, 40'000);
    ASSERT_GT(doc.size(), std::size_t{4} << 20);
    auto a = Env::create(kSpec);
    auto b = Env::create(kSpec);
    ASSERT_TRUE(a && b);
    b->use_reference_load(true);
    Pair p{std::move(*a), std::move(*b)};
    expect_same(p, doc, "valid");
    for (const std::size_t at : {doc.size() / 5, doc.size() / 2, doc.size() - 40, doc.size() - 1}) {
        std::string bad = doc;
        bad[at] = bad[at] == '[' ? '{' : '[';
        const std::string x = p.pieces.command(bad), y = p.whole.command(bad);
        ASSERT_EQ(x, y) << at;
        EXPECT_NE(x.find("\"ok\":false"), std::string::npos) << at;
    }
}

}  // namespace
}  // namespace torvex::gym
