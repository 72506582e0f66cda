// The environment's one error type; its display text is what the user reads.
#pragma once

#include <string>
#include <string_view>

namespace torvex::gym {

struct EnvError {
    enum class Kind : unsigned char {
        Parse,
        UnknownIndicator,
        NeedsFeed,
        BadSpec,
        BadAction,
        Data,
        NoData,
        NotReset,
        EpisodeDone,
    };

    Kind kind;
    std::string text;          // payload (name for NeedsFeed)
    std::string_view feed{};   // NeedsFeed only
    std::string_view reason{};  // NeedsFeed only

    static EnvError parse(std::string m) { return {Kind::Parse, std::move(m)}; }
    static EnvError unknown_indicator(std::string name) { return {Kind::UnknownIndicator, std::move(name)}; }
    static EnvError needs_feed(std::string name, std::string_view feed, std::string_view reason) {
        return {Kind::NeedsFeed, std::move(name), feed, reason};
    }
    static EnvError bad_spec(std::string m) { return {Kind::BadSpec, std::move(m)}; }
    static EnvError bad_action(std::string m) { return {Kind::BadAction, std::move(m)}; }
    static EnvError data(std::string m) { return {Kind::Data, std::move(m)}; }
    static EnvError no_data() { return {Kind::NoData, {}}; }
    static EnvError not_reset() { return {Kind::NotReset, {}}; }
    static EnvError episode_done() { return {Kind::EpisodeDone, {}}; }

    std::string display() const;
};

}  // namespace torvex::gym
