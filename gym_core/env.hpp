// The environment record: specification, loaded data and episode, driven by command
// documents.
#pragma once

#include <cstdint>
#include <expected>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gym_core/env_error.hpp"
#include "gym_core/json_reader.hpp"
#include "gym_core/large_buffer.hpp"
#include "gym_core/pnl_history.hpp"
#include "gym_core/records.hpp"
#include "indicators/indicator.hpp"

namespace torvex::gym {

inline constexpr std::string_view kVersion = "0.2.0";

// Widest observation a specification may describe: every column is listed in the
// spec document, so a row far wider than any dataset could use is refused up front.
inline constexpr std::uint64_t kMaxObservationDim = 16'777'216;

enum class FeedClass : std::uint8_t { Bar, Reference, Funding, OrderBook, Trades, TradesAndOrderBook, CrossSection };

std::string feature_key(const Feature& f);
std::string format_key_param(double p);
std::optional<FeedClass> feed_of(std::string_view name);

struct IndicatorColumn {
    std::string key;
    std::string name;
    std::optional<std::string> field;
    IndicatorBox indicator;
    bool produced = false;
    bool field_found = false;
};

std::expected<std::vector<IndicatorColumn>, EnvError> build_indicators(const std::vector<Feature>& features);

// Refuses the first indicator feature whose feed the bars do not offer: the order book
// only where every bar has bid and ask prices, funding only where every bar carries a
// funding rate or an open interest.
std::expected<void, EnvError> check_feeds(const std::vector<Feature>& features, const BarList& bars);

// Columns of a row: the features, four per book level, and funding and open interest.
inline std::uint64_t observation_dim(const ObsSpec& o) {
    return o.features.size() + 4ull * o.include_book_levels + (o.include_funding_oi ? 2 : 0);
}

struct LoadedData {
    std::vector<double, LargeBufferAllocator<double>> obs;  // rows × dim, row-major, already report-rounded
    std::vector<double, LargeBufferAllocator<double>> closes;
    std::uint64_t rows = 0;
    std::uint64_t dim = 0;
    std::uint64_t needed_warmup = 0;
};

class Env {
public:
    // Parses and checks a specification and proves its feature set can be built.
    static std::expected<Env, EnvError> create(std::string_view spec_json);

    // Always answers a response document; environment errors become the error document.
    std::string command(std::string_view cmd_json);

    const EnvSpec& spec() const { return spec_; }

    // Loads bar by bar, every indicator updated in turn on each bar, and reads every
    // document as one: the reference against which the column-at-a-time load and the
    // reading in pieces are tested. Results are identical.
    void use_reference_load(bool on) {
        reference_load_ = on;
        if (on) reader_.read_in_pieces(SIZE_MAX, 0);
    }
    // Where the reader starts cutting large documents into pieces, and their size.
    void read_in_pieces(std::size_t from_bytes, std::size_t piece_bytes) { reader_.read_in_pieces(from_bytes, piece_bytes); }

private:
    explicit Env(EnvSpec spec) : spec_(std::move(spec)) {}

    std::expected<std::string, EnvError> dispatch(Command& cmd);
    // Lets go of the pages of a large bar list as the matrix is filled: nothing reads
    // the bars after a load.
    std::expected<std::string, EnvError> load(BarList& candles);
    std::expected<std::string, EnvError> reset(std::optional<std::uint64_t> seed);
    std::expected<std::string, EnvError> step(std::optional<double> action);
    std::string spec_document() const;
    // `reused`: the matrix's storage is kept from an earlier load.
    void fill_by_columns(BarList& candles, std::vector<IndicatorColumn>& columns, LoadedData& data, bool reused) const;
    void write_book_cells(const BarList& candles, std::uint64_t from, std::uint64_t to,
                          const std::vector<std::size_t>& micro, double* out, std::uint64_t dim) const;
    void fill_bar_by_bar(const BarList& candles, std::vector<IndicatorColumn>& columns, LoadedData& data) const;
    void write_info(class JsonWriter& w) const;
    void clear_episode();

    EnvSpec spec_;
    PnlHistory pnl_history_;  // appended only under the sharpe reward
    std::uint64_t cursor_ = 0;
    double position_ = 0.0;
    double equity_ = 0.0;
    std::uint32_t steps_ = 0;
    bool started_ = false;
    std::optional<LoadedData> data_;
    ReadBuffers reader_;
    SpareStorage<decltype(LoadedData::obs)> spare_obs_;  // storage of the matrix a load replaced
    bool reference_load_ = false;
};

}  // namespace torvex::gym
