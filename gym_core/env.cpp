// The environment record: construction from a specification, and the one entry point
// that reads a command document, dispatches it and answers a response document.
#include "gym_core/env.hpp"

#include <new>
#include <string_view>

#include "gym_core/json_reader.hpp"
#include "gym_core/json_writer.hpp"

namespace torvex::gym {

namespace {

std::string error_document(const EnvError& e) {
    JsonWriter w;
    w.begin_object().key("error").string(e.display()).key("ok").boolean(false).end_object();
    return w.take();
}

}  // namespace

std::expected<Env, EnvError> Env::create(std::string_view spec_json) {
    auto spec = read_env_spec(spec_json);
    if (!spec) return std::unexpected(EnvError::parse(std::move(spec.error())));
    if (spec->episode.max_steps == 0) return std::unexpected(EnvError::bad_spec("episode.max_steps must be > 0"));
    const ActionSpace& a = spec->action_space;
    if (a.kind == ActionSpace::Kind::Continuous && !(a.high > a.low))
        return std::unexpected(EnvError::bad_spec("continuous action space needs low < high"));
    if (a.kind == ActionSpace::Kind::Discrete && a.n == 0)
        return std::unexpected(EnvError::bad_spec("discrete action space needs n >= 1"));
    if (observation_dim(spec->observation) > kMaxObservationDim)
        return std::unexpected(EnvError::bad_spec("observation has " + std::to_string(observation_dim(spec->observation)) +
                                                  " columns, more than the " + std::to_string(kMaxObservationDim) +
                                                  " an environment supports"));
    if (auto cols = build_indicators(spec->observation.features); !cols) return std::unexpected(cols.error());
    return Env(std::move(*spec));
}

std::string Env::command(std::string_view cmd_json) {
    // The matrix storage a load set aside serves the next load of a similar size; a
    // command of ordinary size (the reset or step that follows a load) lets go of it,
    // as the reader lets go of its buffers.
    if (cmd_json.size() <= ReadBuffers::kKeepBytes) spare_obs_.value = {};
    auto cmd = read_command(cmd_json, reader_);
    if (!cmd) return error_document(EnvError::parse(std::move(cmd.error())));
    std::expected<std::string, EnvError> out;
    try {
        out = dispatch(*cmd);
    } catch (const std::bad_alloc&) {
        // A load, the one operation whose memory grows with its input, changes nothing
        // in the record before it succeeds.
        out = std::unexpected(EnvError::data("out of memory while serving the " + cmd->cmd + " command"));
    }
    reader_.recycle(std::move(cmd->candles));
    if (!out) return error_document(out.error());
    return std::move(*out);
}

std::expected<std::string, EnvError> Env::dispatch(Command& cmd) {
    std::expected<std::string, EnvError> out;
    if (cmd.cmd == "version") {
        JsonWriter w;
        w.begin_object().key("version").string(kVersion).end_object();
        out = w.take();
    } else if (cmd.cmd == "reset") {
        out = reset(cmd.seed);
    } else if (cmd.cmd == "load") {
        out = load(cmd.candles);
    } else if (cmd.cmd == "step") {
        out = step(cmd.action);
    } else if (cmd.cmd == "spec") {
        out = spec_document();
    } else {
        out = std::unexpected(EnvError::bad_spec("unknown cmd: " + cmd.cmd));
    }
    return out;
}

std::string Env::spec_document() const {
    const ObsSpec& o = spec_.observation;
    const std::uint64_t dim = observation_dim(o);
    JsonWriter w;
    w.begin_object().key("observation_dim").integer(dim);
    w.key("observation_low").begin_array();
    for (std::uint64_t i = 0; i < dim; ++i) w.number(-1e30);
    w.end_array().key("observation_high").begin_array();
    for (std::uint64_t i = 0; i < dim; ++i) w.number(1e30);
    w.end_array().key("action_space").begin_object();
    if (spec_.action_space.kind == ActionSpace::Kind::Discrete) {
        w.key("type").string("discrete").key("n").integer(spec_.action_space.n);
    } else {
        w.key("type").string("continuous").key("low").number(spec_.action_space.low);
        w.key("high").number(spec_.action_space.high);
    }
    w.end_object().key("feature_keys").begin_array();
    for (const Feature& f : o.features) w.string(feature_key(f));
    for (std::uint32_t i = 0; i < o.include_book_levels; ++i) {
        const std::string level = std::to_string(i);
        w.string("micro.bid_px." + level).string("micro.bid_sz." + level);
        w.string("micro.ask_px." + level).string("micro.ask_sz." + level);
    }
    if (o.include_funding_oi) w.string("micro.funding").string("micro.oi");
    w.end_array().end_object();
    return w.take();
}

void Env::clear_episode() {
    pnl_history_.clear();
    cursor_ = 0;
    position_ = 0.0;
    equity_ = 0.0;
    steps_ = 0;
    started_ = false;
}

}  // namespace torvex::gym
