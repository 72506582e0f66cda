#include "gym_core/env_error.hpp"

namespace torvex::gym {

std::string EnvError::display() const {
    switch (kind) {
        case Kind::Parse: return "parse: " + text;
        case Kind::UnknownIndicator: return "unknown indicator: " + text;
        case Kind::NeedsFeed:
            return text + " needs the " + std::string(feed) + " feed: " + std::string(reason);
        case Kind::BadSpec: return "bad spec: " + text;
        case Kind::BadAction: return "bad action: " + text;
        case Kind::Data: return "data: " + text;
        case Kind::NoData: return "no data loaded";
        case Kind::NotReset: return "not reset";
        case Kind::EpisodeDone: return "episode done";
    }
    return {};
}

}  // namespace torvex::gym
